#include <gtest/gtest.h>

#include "DirectiveList.h"
#include "ServerReports.h"
#include "TestReport.h"
#include "LauncherLink.h"

TEST(ServerReports, ModulesAndDirectivesInTheServerFormats)
{
    CDirectiveList list;
    ASSERT_TRUE(list.ReadScriptText("directive\tVirtualHost\thtdocs/manual/mod/core.html#virtualhost\n"
                                    "directive\tAlias\thtdocs/manual/mod/mod_alias.html#alias\n"));
    EXPECT_EQ(reports::CompiledModules(),
              "Compiled in modules:\n  core.c\n  mod_win32.c\n  mpm_winnt.c\n  http_core.c\n  mod_so.c\n")
        << "the Windows server's own; the rest are loaded";
    EXPECT_EQ(reports::Directives(list),
              "Alias (mod_alias.c)\n\tDescribed in htdocs/manual/mod/mod_alias.html#alias\n"
              "<VirtualHost (core.c)\n\tDescribed in htdocs/manual/mod/core.html#virtualhost\n");
    EXPECT_EQ(reports::Version().rfind("Server version: Apache/2.4.62 (Win32)\nServer built:   ", 0), 0u);
}

TEST(ServerReports, VirtualHostsAreGroupedByAddress)
{
    ServerConfig config;
    config.serverFolder = "Z:/srv/Apache24";
    config.documentRoot = "Z:/srv/Apache24/htdocs";
    config.hosts.push_back({"*:80", "alpha.test", "", "Z:/srv/Apache24/conf/v.conf", 3, {}});
    config.hosts.push_back({"*:80", "beta.test", "", "Z:/srv/Apache24/conf/v.conf", 9, {}});
    config.hosts.push_back({"127.0.0.1:8080", "gamma.test", "", "Z:/srv/Apache24/conf/v.conf", 15, {}});
    EXPECT_EQ(reports::VirtualHosts(config), "VirtualHost configuration:\n"
                                             "*:80                   is a NameVirtualHost\n"
                                             "         default server alpha.test (Z:/srv/Apache24/conf/v.conf:3)\n"
                                             "         port 80 namevhost alpha.test (Z:/srv/Apache24/conf/v.conf:3)\n"
                                             "         port 80 namevhost beta.test (Z:/srv/Apache24/conf/v.conf:9)\n"
                                             "127.0.0.1:8080         gamma.test (Z:/srv/Apache24/conf/v.conf:15)\n"
                                             "ServerRoot: \"Z:/srv/Apache24\"\n"
                                             "Main DocumentRoot: \"Z:/srv/Apache24/htdocs\"\n"
                                             "Main ErrorLog: \"Z:/srv/Apache24/logs/error.log\"\n"
                                             "Mutex default: dir=\"Z:/srv/Apache24/logs/\" mechanism=default \n"
                                             "PidFile: \"Z:/srv/Apache24/logs/httpd.pid\"\n"
                                             "Define: DUMP_VHOSTS\n"
                                             "Define: DUMP_RUN_CFG\n");
}

TEST(TestAnswer, ReportsArePassedOnAsTheServerPrintedThem)
{
    // The editor reads the servers' own forms, so the output goes through unchanged but for
    // the blank lines around it: warnings before the report, CR LF line ends and all.
    const std::string twoLine =
        "AH00558: httpd.exe: Could not reliably determine the server's fully qualified domain name\r\n"
        "AH00526: Syntax error on line 12 of C:/Apache24/conf/httpd.conf:\r\n"
        "Invalid command 'Foo', perhaps misspelled or defined by a module not included in the server configuration";
    const TestAnswer a = AnswerForTestOutput("\r\n" + twoLine + "\r\n", true, "stub.exe  -t");
    EXPECT_EQ(a.code, LN_SYNTAX_ERROR);
    EXPECT_EQ(a.text, twoLine);

    const std::string chain =
        "httpd.exe: Syntax error on line 5 of C:/A/conf/httpd.conf: Syntax error on line 2 of C:/A/conf/v.conf: "
        "C:/A/conf/v.conf:2: <VirtualHost> was not closed.";
    const TestAnswer nested = AnswerForTestOutput(chain + "\n", true, "x");
    EXPECT_EQ(nested.code, LN_SYNTAX_ERROR);
    EXPECT_EQ(nested.text, chain);

    const std::string original = "Syntax error on line 7 of C:/A/conf/httpd.conf:\nInvalid command 'x'";
    EXPECT_EQ(AnswerForTestOutput(original, true, "x").text, original);
}

TEST(TestAnswer, LongOutputKeepsTheReportAndFitsTheSharedText)
{
    std::string noise;
    while (noise.size() < 6000)
        noise += "AH00112: Warning: DocumentRoot [C:/nowhere] does not exist\r\n";
    const std::string report = "AH00526: Syntax error on line 3 of C:/A/conf/httpd.conf:\r\nInvalid command 'Bad'";
    const TestAnswer a = AnswerForTestOutput(noise + report + "\r\n" + noise, true, "x");
    EXPECT_EQ(a.code, LN_SYNTAX_ERROR);
    EXPECT_EQ(a.text.size(), kSharedTextSize - 1);
    EXPECT_EQ(a.text.rfind(report, 0), 0u) << "the text starts with the report's line";

    const TestAnswer small = AnswerForTestOutput("x\n" + report, true, "x", 20);
    EXPECT_EQ(small.text, report.substr(0, 20));

    const TestAnswer error = AnswerForTestOutput(noise, true, "x");
    EXPECT_EQ(error.code, LN_STATUS_ERROR);
    EXPECT_EQ(error.text.size(), kSharedTextSize - 1);
}

TEST(TestAnswer, PassedFailedAndUnrunTests)
{
    const TestAnswer ok = AnswerForTestOutput("AH00558: could not determine name\r\nSyntax OK\r\n", true, "x");
    EXPECT_EQ(ok.code, LN_STATUS_INFO);
    EXPECT_EQ(ok.text, "AH00558: could not determine name\r\nSyntax OK");

    const TestAnswer other =
        AnswerForTestOutput("httpd.exe: Could not open configuration file C:/x: No such file\n", true, "x");
    EXPECT_EQ(other.code, LN_STATUS_ERROR);
    EXPECT_EQ(other.text, "httpd.exe: Could not open configuration file C:/x: No such file");

    EXPECT_EQ(AnswerForTestOutput("", true, "C:/bin/stub.exe  -t").text,
              "The configuration test printed nothing: C:/bin/stub.exe  -t");
    const TestAnswer unrun = AnswerForTestOutput("", false, "C:/bin/stub.exe  -t");
    EXPECT_EQ(unrun.code, LN_STATUS_ERROR);
    EXPECT_EQ(unrun.text, "The configuration test could not be run: C:/bin/stub.exe  -t");

    // A damaged report (no line number, no path, no colon after the path) is not taken for one.
    EXPECT_EQ(AnswerForTestOutput("Syntax error on line x of y", true, "x").code, LN_STATUS_ERROR);
    EXPECT_EQ(AnswerForTestOutput("Syntax error on line 4 of :\nmessage", true, "x").code, LN_STATUS_ERROR);
    EXPECT_EQ(AnswerForTestOutput("Syntax error on line 4 of C:/x.conf\nmessage", true, "x").code, LN_STATUS_ERROR);
}
