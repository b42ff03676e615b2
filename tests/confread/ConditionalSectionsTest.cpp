// What the stand-in server settles while it reads: Define's variables, the loaded modules,
// and the bodies of conditional sections it skips; then the server's own stock 2.4
// configuration for Windows, which must pass the check as the server passes it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ConfigReader.h"
#include "DirectiveList.h"
#include "ReadTimeState.h"
#include "ServerFolder.h"
#include "ServerReports.h"

namespace {

std::string Check(const CServerFolder& folder, const CDirectiveList& directives,
                  const std::vector<std::string>& defines = {})
{
    CConfigReader reader(folder.Path(), &directives);
    for (const std::string& name : defines)
        reader.Define(name);
    reader.Read();
    return reports::SyntaxCheck(reader);
}

// The ports the configuration listens on.
std::vector<int> Ports(const CServerFolder& folder, const CDirectiveList& directives)
{
    CConfigReader reader(folder.Path(), &directives);
    reader.Read();
    std::vector<int> ports;
    for (const ListenAddress& listen : reader.Config().listens)
        ports.push_back(listen.port);
    return ports;
}

CDirectiveList BuiltIn()
{
    CDirectiveList list;
    list.UseBuiltIn();
    return list;
}

// The editor's keyword script, as the stub reads it beside itself, with the server's own.
CDirectiveList FromKeywordScript()
{
    CDirectiveList list;
    EXPECT_TRUE(list.ReadScriptFile(TESSALY_KEYWORD_SCRIPT));
    list.AddBuiltIn();
    return list;
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(ReadTimeState, ConditionsVariablesAndModules)
{
    ASSERT_TRUE(ParseCondition("!mpm_netware_module"));
    EXPECT_TRUE(ParseCondition("!mpm_netware_module")->negated);
    EXPECT_EQ(ParseCondition("!mpm_netware_module")->subject, "mpm_netware_module");
    EXPECT_EQ(ParseCondition(" \"C:/Program Files/x\" ")->subject, "C:/Program Files/x");
    EXPECT_FALSE(ParseCondition("  "));
    EXPECT_FALSE(ParseCondition("!"));

    CConfigVariables variables;
    variables.Define("SRVROOT", "c:/Apache24");
    variables.Define("LOOP", "${LOOP}");
    EXPECT_EQ(variables.Expand("\"${SRVROOT}/htdocs\" ${NOT_DEFINED_HERE} ${LOOP} ${"),
              "\"c:/Apache24/htdocs\" ${NOT_DEFINED_HERE} ${LOOP} ${");
    EXPECT_FALSE(variables.IsDefined("srvroot"));
    variables.Undefine("SRVROOT");
    EXPECT_EQ(variables.Expand("${SRVROOT}"), "${SRVROOT}");

    CLoadedModules modules;
    EXPECT_TRUE(modules.IsLoaded("mpm_winnt_module"));
    EXPECT_TRUE(modules.IsLoaded("mod_win32.c"));
    EXPECT_FALSE(modules.IsLoaded("alias_module"));
    modules.Load("alias_module", "modules/mod_alias.so");
    EXPECT_TRUE(modules.IsLoaded("ALIAS_MODULE"));
    EXPECT_TRUE(modules.IsLoaded("mod_alias.c"));
}

TEST(ConditionalSections, FailedConditionsSkipTheirBodyAndHeldOnesAreRead)
{
    CServerFolder folder("conditional");
    folder.Write("conf/present.conf", "ServerAdmin present@example.test\n");
    folder.Write("conf/httpd.conf", "Define SRVROOT \"c:/Apache24\"\n"
                                    "ServerRoot \"${SRVROOT}\"\n"
                                    "LoadModule alias_module modules/mod_alias.so\n"
                                    "<IfModule mpm_simple_module>\n"
                                    "    SimpleProcCount 4\n"
                                    "    <IfModule nested_module>\n"
                                    "        NotADirective here\n"
                                    "    </IfModule>\n"
                                    "    Define NEVER\n"
                                    "    Include conf/missing.conf\n"
                                    "</IfModule>\n"
                                    "<IfModule !mpm_netware_module>\n"
                                    "    ErrorLog \"logs/held.log\"\n"
                                    "</IfModule>\n"
                                    "<IfModule mod_alias.c>\n"
                                    "    <IfDefine !NEVER>\n"
                                    "        <IfDefine FROM_SWITCH>\n"
                                    "            CustomLog \"${SRVROOT}/logs/switch.log\" common\n"
                                    "        </IfDefine>\n"
                                    "    </IfDefine>\n"
                                    "</IfModule>\n"
                                    "<IfFile conf/present.conf>\n"
                                    "    Include conf/present.conf\n"
                                    "</IfFile>\n"
                                    "<IfFile !conf/absent.conf>\n"
                                    "    DocumentRoot \"${SRVROOT}/htdocs\"\n"
                                    "</IfFile>\n"
                                    "<IfDirective NoSuchDirective>\n"
                                    "    NoSuchDirective on\n"
                                    "</IfDirective>\n"
                                    "<IfSection !VirtualHost>\n"
                                    "    AlsoNotADirective\n"
                                    "</IfSection>\n"
                                    "UnDefine SRVROOT\n"
                                    "<IfDefine SRVROOT>\n"
                                    "    StillNotADirective\n"
                                    "</IfDefine>\n");
    const CDirectiveList directives = BuiltIn();
    CConfigReader reader(folder.Path(), &directives);
    reader.Define("FROM_SWITCH");
    EXPECT_TRUE(reader.Read()) << reports::SyntaxCheck(reader);
    const ServerConfig& config = reader.Config();
    EXPECT_EQ(config.errorLog, folder.PathOf("logs/held.log"));
    EXPECT_EQ(config.logs,
              (std::vector<std::string>{folder.PathOf("logs/held.log"), folder.PathOf("logs/switch.log")}));
    EXPECT_EQ(config.documentRoot, folder.PathOf("htdocs"));
    EXPECT_EQ(config.serverRoot, "c:/Apache24");
    EXPECT_EQ(config.filesRead,
              (std::vector<std::string>{folder.PathOf("conf/httpd.conf"), folder.PathOf("conf/present.conf")}));

    // Without the switch the innermost section is skipped too.
    EXPECT_EQ(Check(folder, directives), "Syntax OK\n");
}

TEST(ConditionalSections, ASkippedBodyMustStillCloseInOrder)
{
    CServerFolder folder("conditional-unclosed");
    const CDirectiveList directives = BuiltIn();
    const std::string main = folder.PathOf("conf/httpd.conf");

    auto buildError = [&](int line, const std::string& message) {
        return "httpd.exe: Syntax error on line " + std::to_string(line) + " of " + main + ": " + message + "\n";
    };
    folder.Write("conf/httpd.conf", "<IfModule ssl_module>\n  SSLEngine on\n\n");
    EXPECT_EQ(Check(folder, directives), buildError(3, "Expected </IfModule> before end of configuration"));

    folder.Write("conf/httpd.conf", "<IfDefine SSL>\n  <Directory />\n  </IfDefine>\n</Directory>\n");
    EXPECT_EQ(Check(folder, directives), buildError(3, "Expected </Directory> but saw </IfDefine>"));

    folder.Write("conf/httpd.conf", "<IfModule>\n</IfModule>\n");
    EXPECT_EQ(Check(folder, directives), buildError(1, "<IfModule> directive requires additional arguments"));

    // A held condition is an ordinary section: a wrong close is reported as before.
    folder.Write("conf/httpd.conf", "<IfModule !ssl_module>\n</IfDefine>\n");
    EXPECT_EQ(Check(folder, directives), buildError(2, "Expected </IfModule> but saw </IfDefine>"));
}

// The server's stock configuration as a Windows installation has it, once as shipped and
// once with every conf/extra file included that the stock modules serve.
TEST(StockConfiguration, PassesTheCheckAsShippedAndWithItsExtras)
{
    CServerFolder folder("stock");
    const std::filesystem::path stock(TESSALY_STOCK_CONF);
    std::string main = ReadText(stock / "httpd.conf");
    ASSERT_FALSE(main.empty());
    folder.Write("conf/httpd.conf", main);
    for (const auto& entry : std::filesystem::directory_iterator(stock / "extra"))
        folder.Write("conf/extra/" + entry.path().filename().string(), ReadText(entry.path()));

    const CDirectiveList builtIn = BuiltIn();
    const CDirectiveList script = FromKeywordScript();
    EXPECT_EQ(Check(folder, builtIn), "Syntax OK\n");
    EXPECT_EQ(Check(folder, script), "Syntax OK\n");
    EXPECT_EQ(Ports(folder, script), (std::vector<int>{80}));

    for (const char* extra :
         {"mpm", "multilang-errordoc", "autoindex", "languages", "info", "vhosts", "manual", "default"}) {
        const std::string line = std::string("#Include conf/extra/httpd-") + extra + ".conf";
        const auto at = main.find(line);
        ASSERT_NE(at, std::string::npos) << line;
        main.erase(at, 1);
    }
    folder.Write("conf/httpd.conf", main);
    EXPECT_EQ(Check(folder, builtIn), "Syntax OK\n");
    EXPECT_EQ(Check(folder, script), "Syntax OK\n");

    CConfigReader reader(folder.Path(), &script);
    ASSERT_TRUE(reader.Read());
    const ServerConfig& config = reader.Config();
    ASSERT_EQ(config.hosts.size(), 2u);
    EXPECT_EQ(config.hosts[0].serverName, "dummy-host.example.com");
    EXPECT_EQ(config.hosts[0].documentRoot, folder.PathOf("docs/dummy-host.example.com"));
    EXPECT_EQ(config.documentRoot, folder.PathOf("htdocs"));
    EXPECT_EQ(config.logs,
              (std::vector<std::string>{folder.PathOf("logs/error.log"), folder.PathOf("logs/access.log")}));

    // The stock ssl file needs mod_ssl, which the check knows only from the script.
    main.replace(main.find("#Include conf/extra/httpd-ssl.conf"), 1, "");
    main.replace(main.find("#LoadModule ssl_module"), 1, "");
    folder.Write("conf/httpd.conf", main);
    EXPECT_EQ(Check(folder, script), "Syntax OK\n");
    EXPECT_EQ(Check(folder, script, {"SSL"}), "Syntax OK\n");
    EXPECT_EQ(Ports(folder, script), (std::vector<int>{80, 443}));
}
