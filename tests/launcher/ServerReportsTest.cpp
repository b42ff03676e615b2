#include <gtest/gtest.h>

#include "DirectiveList.h"
#include "ServerReports.h"
#include "TestReport.h"
#include "LauncherLink.h"

TEST(DirectiveList, ReadsTheKeywordScriptAndSkipsWhatIsNotADirective)
{
    CDirectiveList list;
    EXPECT_TRUE(list.ReadScriptText("# comment\n"
                                    "directive\tVirtualHost\thtdocs/manual/mod/core.html#virtualhost\r\n"
                                    "constant\tOn\n"
                                    "directive\tAlias\thtdocs/manual/mod/mod_alias.html#alias\n"
                                    "directive\tListen\thtdocs/manual/mod/mpm_common.html#listen\n"
                                    "directive\t\tbroken\n"
                                    "garbage line\n"));
    EXPECT_TRUE(list.FromScript());
    ASSERT_EQ(list.All().size(), 3u);
    EXPECT_EQ(list.All()[0].name, "Alias");
    EXPECT_EQ(list.All()[0].module, "mod_alias.c");
    EXPECT_TRUE(list.IsKnown("virtualhost"));
    EXPECT_FALSE(list.IsKnown("On"));
    EXPECT_EQ(list.Modules(), (std::vector<std::string>{"core.c", "mod_alias.c", "mpm_winnt.c"}));

    // A script without a single directive leaves the list as it was.
    EXPECT_FALSE(list.ReadScriptText("constant\tOn\n"));
    EXPECT_EQ(list.All().size(), 3u);
    EXPECT_FALSE(list.ReadScriptFile("no/such/keywords.txt"));
}

TEST(DirectiveList, BuiltInListCoversTheSampleServer)
{
    CDirectiveList list;
    list.UseBuiltIn();
    EXPECT_FALSE(list.FromScript());
    for (const char* name : {"ServerRoot", "VirtualHost", "IfModule", "Include", "CustomLog", "LoadModule", "Require"})
        EXPECT_TRUE(list.IsKnown(name)) << name;
}

TEST(ServerReports, ModulesAndDirectivesInTheServerFormats)
{
    CDirectiveList list;
    ASSERT_TRUE(list.ReadScriptText("directive\tVirtualHost\thtdocs/manual/mod/core.html#virtualhost\n"
                                    "directive\tAlias\thtdocs/manual/mod/mod_alias.html#alias\n"));
    EXPECT_EQ(reports::CompiledModules(list), "Compiled in modules:\n  core.c\n  mod_alias.c\n");
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
    EXPECT_EQ(reports::VirtualHosts(config),
              "VirtualHost configuration:\n"
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

TEST(TestAnswer, TwoLineReportIsPassedWithoutTheMessageNumber)
{
    const TestAnswer a = AnswerForTestOutput(
        "AH00526: Syntax error on line 12 of C:/Apache24/conf/httpd.conf:\r\nInvalid command 'Foo', perhaps misspelled\r\n",
        true, "stub.exe  -t");
    EXPECT_EQ(a.code, LN_SYNTAX_ERROR);
    EXPECT_EQ(a.text, "Syntax error on line 12 of C:/Apache24/conf/httpd.conf:\nInvalid command 'Foo', perhaps misspelled");
}

TEST(TestAnswer, OneLineReportNamesTheInnermostFile)
{
    const TestAnswer nested = AnswerForTestOutput(
        "httpd.exe: Syntax error on line 5 of C:/A/conf/httpd.conf: Syntax error on line 2 of C:/A/conf/v.conf: "
        "C:/A/conf/v.conf:2: <VirtualHost> was not closed.\n",
        true, "x");
    EXPECT_EQ(nested.code, LN_SYNTAX_ERROR);
    EXPECT_EQ(nested.text, "Syntax error on line 2 of C:/A/conf/v.conf:\nC:/A/conf/v.conf:2: <VirtualHost> was not closed.");

    const TestAnswer missing = AnswerForTestOutput(
        "httpd.exe: Syntax error on line 7 of C:/A/conf/httpd.conf: Could not open configuration file "
        "C:/A/conf/x.conf: No such file or directory\n",
        true, "x");
    EXPECT_EQ(missing.text, "Syntax error on line 7 of C:/A/conf/httpd.conf:\nCould not open configuration file "
                            "C:/A/conf/x.conf: No such file or directory");
}

TEST(TestAnswer, PassedFailedAndUnrunTests)
{
    const TestAnswer ok = AnswerForTestOutput("AH00558: could not determine name\r\nSyntax OK\r\n", true, "x");
    EXPECT_EQ(ok.code, LN_STATUS_INFO);
    EXPECT_EQ(ok.text, "AH00558: could not determine name\r\nSyntax OK");

    const TestAnswer other = AnswerForTestOutput("httpd.exe: Could not open configuration file C:/x: No such file\n", true, "x");
    EXPECT_EQ(other.code, LN_STATUS_ERROR);
    EXPECT_EQ(other.text, "httpd.exe: Could not open configuration file C:/x: No such file");

    EXPECT_EQ(AnswerForTestOutput("", true, "C:/bin/stub.exe  -t").text,
              "The configuration test printed nothing: C:/bin/stub.exe  -t");
    const TestAnswer unrun = AnswerForTestOutput("", false, "C:/bin/stub.exe  -t");
    EXPECT_EQ(unrun.code, LN_STATUS_ERROR);
    EXPECT_EQ(unrun.text, "The configuration test could not be run: C:/bin/stub.exe  -t");

    // A damaged report (no line number, no path) is not taken for one.
    EXPECT_EQ(AnswerForTestOutput("Syntax error on line x of y", true, "x").code, LN_STATUS_ERROR);
}
