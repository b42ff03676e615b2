#include <gtest/gtest.h>

#include <string>

#include "ConfigReader.h"
#include "DirectiveList.h"
#include "ServerFolder.h"
#include "ServerReports.h"

namespace {

// The directives the test configurations use, in the keyword script's own format.
constexpr const char kScript[] = "# test script\n"
                                 "directive\tServerRoot\thtdocs/manual/mod/core.html#serverroot\n"
                                 "directive\tListen\thtdocs/manual/mod/mpm_common.html#listen\n"
                                 "directive\tServerName\thtdocs/manual/mod/core.html#servername\n"
                                 "directive\tDocumentRoot\thtdocs/manual/mod/core.html#documentroot\n"
                                 "directive\tErrorLog\thtdocs/manual/mod/core.html#errorlog\n"
                                 "directive\tCustomLog\thtdocs/manual/mod/mod_log_config.html#customlog\n"
                                 "directive\tTransferLog\thtdocs/manual/mod/mod_log_config.html#transferlog\n"
                                 "directive\tInclude\thtdocs/manual/mod/core.html#include\n"
                                 "directive\tIncludeOptional\thtdocs/manual/mod/core.html#includeoptional\n"
                                 "directive\tVirtualHost\thtdocs/manual/mod/core.html#virtualhost\n"
                                 "directive\tDirectory\thtdocs/manual/mod/core.html#directory\n"
                                 "directive\tIfModule\thtdocs/manual/mod/core.html#ifmodule\n"
                                 "directive\tRequire\thtdocs/manual/mod/mod_authz_core.html#require\n"
                                 "constant\tOn\n";

class ConfigReaderTest : public ::testing::Test {
protected:
    ConfigReaderTest() { EXPECT_TRUE(directives.ReadScriptText(kScript)); }

    std::string Check(const CServerFolder& folder)
    {
        CConfigReader reader(folder.Path(), &directives);
        reader.Read();
        return reports::SyntaxCheck(reader);
    }

    // The server's reports of a mistake found while it builds the tree, and of a directive
    // it refuses.
    static std::string BuildError(const CServerFolder& folder, const char* file, int line, const std::string& what)
    {
        return "httpd.exe: Syntax error on line " + std::to_string(line) + " of " + folder.PathOf(file) + ": " + what +
               "\n";
    }
    static std::string DirectiveError(const CServerFolder& folder, const char* file, int line, const std::string& what)
    {
        return "AH00526: Syntax error on line " + std::to_string(line) + " of " + folder.PathOf(file) + ":\n" + what +
               "\n";
    }
    static std::string InvalidCommand(const std::string& name)
    {
        return "Invalid command '" + name +
               "', perhaps misspelled or defined by a module not included in the server configuration";
    }

    CDirectiveList directives;
};

constexpr const char kGoodMain[] = "# Main server\n"
                                   "ServerRoot \"C:/Apache24\"\n"
                                   "Listen 80\n"
                                   "DocumentRoot \"C:/Apache24/htdocs\"\n"
                                   "ErrorLog logs/error.log\n"
                                   "CustomLog \"logs/access.log\" common\n"
                                   "CustomLog \"|bin/rotatelogs.exe logs/rotated.log 86400\" common\n"
                                   "<Directory \"C:/Apache24/htdocs\">\n"
                                   "    Require all granted\n"
                                   "</Directory>\n"
                                   "Include conf/extra/vhosts.conf\n"
                                   "IncludeOptional conf/optional/*.conf\n";

constexpr const char kGoodHosts[] = "<VirtualHost *:80>\n"
                                    "    ServerName www.alpha.test:80\n"
                                    "    DocumentRoot \"C:/Apache24/sites/alpha\"\n"
                                    "    ErrorLog \"logs/alpha-error.log\"\n"
                                    "    CustomLog logs/alpha-access.log combined\n"
                                    "</VirtualHost>\n"
                                    "\n"
                                    "<VirtualHost *:80>\n"
                                    "    ServerName beta.test\n"
                                    "    DocumentRoot D:/www/beta\n"
                                    "    TransferLog D:/www/logs/beta.log\n"
                                    "    ErrorLog \"|bin/rotatelogs.exe beta 86400\"\n"
                                    "</VirtualHost>\n";

}  // namespace

TEST_F(ConfigReaderTest, GoodConfigurationYieldsHostsAndLogsBelowTheRealFolder)
{
    CServerFolder folder("good");
    folder.Write("conf/httpd.conf", kGoodMain);
    folder.Write("conf/extra/vhosts.conf", kGoodHosts);

    CConfigReader reader(folder.Path(), &directives);
    ASSERT_TRUE(reader.Read()) << reports::SyntaxCheck(reader);
    const ServerConfig& config = reader.Config();
    EXPECT_EQ(config.serverRoot, "C:/Apache24");
    EXPECT_EQ(config.mainFile, folder.PathOf("conf/httpd.conf"));
    EXPECT_EQ(config.documentRoot, folder.PathOf("htdocs"));
    EXPECT_EQ(config.errorLog, folder.PathOf("logs/error.log"));
    EXPECT_EQ(config.logs,
              (std::vector<std::string>{folder.PathOf("logs/error.log"), folder.PathOf("logs/access.log")}));

    ASSERT_EQ(config.hosts.size(), 2u);
    const VirtualHostInfo& alpha = config.hosts[0];
    EXPECT_EQ(alpha.address, "*:80");
    EXPECT_EQ(alpha.serverName, "www.alpha.test");
    EXPECT_EQ(alpha.documentRoot, folder.PathOf("sites/alpha"));
    EXPECT_EQ(alpha.file, folder.PathOf("conf/extra/vhosts.conf"));
    EXPECT_EQ(alpha.line, 1);
    EXPECT_EQ(alpha.logs, (std::vector<std::string>{folder.PathOf("logs/alpha-error.log"),
                                                    folder.PathOf("logs/alpha-access.log")}));
    const VirtualHostInfo& beta = config.hosts[1];
    EXPECT_EQ(beta.serverName, "beta.test");
    EXPECT_EQ(beta.documentRoot, "D:/www/beta");
    EXPECT_EQ(beta.line, 8);
    EXPECT_EQ(beta.logs, std::vector<std::string>{"D:/www/logs/beta.log"});

    EXPECT_EQ(reports::SyntaxCheck(reader), "Syntax OK\n");
}

TEST_F(ConfigReaderTest, UnknownDirectiveIsReportedInTheTwoLineForm)
{
    CServerFolder folder("unknown");
    folder.Write("conf/httpd.conf", "Listen 80\n\n# comment\nServerNmae www.typo.test\nFoo bar\n");
    EXPECT_EQ(Check(folder), DirectiveError(folder, "conf/httpd.conf", 4, InvalidCommand("ServerNmae")));
}

TEST_F(ConfigReaderTest, UnknownDirectiveInAnIncludedFileNamesThatFile)
{
    CServerFolder folder("unknown-included");
    folder.Write("conf/httpd.conf", kGoodMain);
    folder.Write("conf/extra/vhosts.conf", "<VirtualHost *:80>\n    ServerName a.test\n    Bogus on\n</VirtualHost>\n");
    EXPECT_EQ(Check(folder), DirectiveError(folder, "conf/extra/vhosts.conf", 3, InvalidCommand("Bogus")));
}

TEST_F(ConfigReaderTest, UnclosedVirtualHostIsReportedWhereItOpens)
{
    CServerFolder folder("unclosed");
    folder.Write("conf/httpd.conf", "Listen 80\n<VirtualHost *:80>\n    ServerName a.test\n");
    const std::string file = folder.PathOf("conf/httpd.conf");
    EXPECT_EQ(Check(folder),
              "httpd.exe: Syntax error on line 2 of " + file + ": " + file + ":2: <VirtualHost> was not closed.\n");
}

TEST_F(ConfigReaderTest, BuildErrorsInIncludedFilesNameTheWholeChain)
{
    CServerFolder folder("unclosed-included");
    folder.Write("conf/httpd.conf", "Listen 80\nInclude conf/extra/vhosts.conf\n");
    folder.Write("conf/extra/vhosts.conf", "\n<VirtualHost *:80>\n");
    const std::string inner = folder.PathOf("conf/extra/vhosts.conf");
    EXPECT_EQ(Check(folder), "httpd.exe: Syntax error on line 2 of " + folder.PathOf("conf/httpd.conf") +
                                 ": Syntax error on line 2 of " + inner + ": " + inner +
                                 ":2: <VirtualHost> was not closed.\n");
}

TEST_F(ConfigReaderTest, MissingIncludedFileIsReported)
{
    CServerFolder folder("missing-include");
    folder.Write("conf/httpd.conf", "Listen 80\nInclude conf/extra/missing.conf\n");
    EXPECT_EQ(Check(folder), BuildError(folder, "conf/httpd.conf", 2,
                                        "Could not open configuration file " +
                                            folder.PathOf("conf/extra/missing.conf") + ": No such file or directory"));
}

#ifndef _WIN32
TEST_F(ConfigReaderTest, AnIncludedDeviceIsNotReadAsAFile)
{
    // An endless device would keep the check reading for ever.
    CServerFolder folder("device-include");
    folder.Write("conf/httpd.conf", "Listen 80\nInclude /dev/zero\n");
    EXPECT_EQ(Check(folder), BuildError(folder, "conf/httpd.conf", 2,
                                        "Could not open configuration file /dev/zero: No such file or directory"));
}
#endif

TEST_F(ConfigReaderTest, MissingMainFileIsReported)
{
    CServerFolder folder("missing-main");
    EXPECT_EQ(Check(folder), "httpd.exe: Could not open configuration file " + folder.PathOf("conf/httpd.conf") +
                                 ": No such file or directory\n");
}

TEST_F(ConfigReaderTest, SectionsClosedOutOfOrderOrWithoutOpening)
{
    CServerFolder folder("order");
    folder.Write("conf/httpd.conf", "<VirtualHost *:80>\n<Directory \"C:/x\">\n</VirtualHost>\n</Directory>\n");
    EXPECT_EQ(Check(folder), BuildError(folder, "conf/httpd.conf", 3, "Expected </Directory> but saw </VirtualHost>"));

    folder.Write("conf/httpd.conf", "Listen 80\n</virtualhost>\n");
    EXPECT_EQ(Check(folder),
              DirectiveError(folder, "conf/httpd.conf", 2, "</VirtualHost> without matching <VirtualHost> section"));
}

TEST_F(ConfigReaderTest, BuildErrorsWinOverEarlierUnknownDirectives)
{
    // The server builds the whole tree before it looks at any directive.
    CServerFolder folder("precedence");
    folder.Write("conf/httpd.conf", "Foo\nInclude conf/nothing.conf\n");
    EXPECT_EQ(Check(folder).rfind("httpd.exe: Syntax error on line 2 of ", 0), 0u) << Check(folder);
}

TEST_F(ConfigReaderTest, OptionalAndWildcardIncludes)
{
    CServerFolder folder("wildcards");
    folder.Write("conf/httpd.conf", "IncludeOptional conf/none/*.conf\nIncludeOptional conf/absent.conf\n"
                                    "Include conf/sites/*.conf\n");
    folder.Write("conf/sites/b.conf", "<VirtualHost *:80>\nServerName b.test\n</VirtualHost>\n");
    folder.Write("conf/sites/a.CONF", "<VirtualHost *:80>\nServerName a.test\n</VirtualHost>\n");
    folder.Write("conf/sites/readme.txt", "not a configuration\n");
    CConfigReader reader(folder.Path(), &directives);
    ASSERT_TRUE(reader.Read()) << reports::SyntaxCheck(reader);
    ASSERT_EQ(reader.Config().hosts.size(), 2u);
    EXPECT_EQ(reader.Config().hosts[0].serverName, "a.test");
    EXPECT_EQ(reader.Config().hosts[1].serverName, "b.test");

    folder.Write("conf/httpd.conf", "Include conf/none/*.conf\n");
    EXPECT_EQ(Check(folder), BuildError(folder, "conf/httpd.conf", 1,
                                        "No matches for the wildcard '*.conf' in '" + folder.PathOf("conf/none") +
                                            "', failing (use IncludeOptional if required)"));
}

TEST_F(ConfigReaderTest, AFileIncludingItselfStopsWithAnError)
{
    CServerFolder folder("recursion");
    folder.Write("conf/httpd.conf", "Include conf/httpd.conf\n");
    const std::string report = Check(folder);
    EXPECT_NE(report.find("Exceeded the maximum include directory nesting level of 16"), std::string::npos) << report;
}

TEST_F(ConfigReaderTest, ContinuationLinesAndMissingBracket)
{
    CServerFolder folder("continued");
    folder.Write("conf/httpd.conf", "CustomLog \\\n  logs/long.log \\\n  common\nUnknownThing\n");
    EXPECT_EQ(Check(folder), DirectiveError(folder, "conf/httpd.conf", 4, InvalidCommand("UnknownThing")));

    folder.Write("conf/httpd.conf", "Listen 80\n<VirtualHost *:80\n</VirtualHost>\n");
    EXPECT_EQ(Check(folder), BuildError(folder, "conf/httpd.conf", 2, "<VirtualHost> directive missing closing '>'"));
}

TEST_F(ConfigReaderTest, WithoutADirectiveListAnyDirectiveIsAccepted)
{
    CServerFolder folder("lenient");
    folder.Write("conf/httpd.conf", "LoadModule x modules/x.so\n<VirtualHost 127.0.0.1:8080>\nErrorLog logs/x.log\n"
                                    "</VirtualHost>\n");
    CConfigReader reader(folder.Path());
    EXPECT_TRUE(reader.Read());
    ASSERT_EQ(reader.Config().hosts.size(), 1u);
    EXPECT_EQ(reader.Config().hosts[0].serverName, "");
    EXPECT_EQ(reader.Config().hosts[0].logs, std::vector<std::string>{folder.PathOf("logs/x.log")});
}

TEST(SplitArguments, QuotesGroupWords)
{
    EXPECT_EQ(SplitArguments(R"("C:/Program Files/x" common  'a b' plain)"),
              (std::vector<std::string>{"C:/Program Files/x", "common", "a b", "plain"}));
    EXPECT_EQ(SplitArguments(R"("%h \"%r\"" x)"), (std::vector<std::string>{"%h \"%r\"", "x"}));
    EXPECT_TRUE(SplitArguments("   ").empty());
    EXPECT_EQ(SplitArguments("\"unterminated"), std::vector<std::string>{"unterminated"});
}
