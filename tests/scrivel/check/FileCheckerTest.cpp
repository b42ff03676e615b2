// Each check on small texts made from the mistakes the server's syntax test rejects (its
// message names each case), caught on the line the server names; the server's stock
// configuration and the sample server give no problem at all; and an edit re-checks to the
// same problems as a check of the whole new text.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "CheckTestSupport.h"
#include "FileChecker.h"

using namespace check;

namespace check {
void PrintTo(const Problem& p, std::ostream* out)
{
    *out << p.line << ":" << p.start << "-" << p.end << " " << p.message;
}
}  // namespace check

namespace {

struct Expected {
    int line;
    Severity severity;
    const char* part;     // the text underlined
    const char* message;  // a part of the message
};

std::vector<Problem> CheckText(const std::string& text, FileSetting setting = {})
{
    FileChecker checker(checktest::Directives());
    checker.SetSetting(std::move(setting));
    checker.SetText(text);
    return checker.Problems();
}

void ExpectProblems(const std::string& text, const std::vector<Expected>& expected, FileSetting setting = {})
{
    SCOPED_TRACE(text);
    const std::vector<Problem> found = CheckText(text, std::move(setting));
    ASSERT_EQ(found.size(), expected.size()) << (found.empty() ? "" : found[0].message);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].line, expected[i].line) << found[i].message;
        EXPECT_EQ(found[i].severity, expected[i].severity) << found[i].message;
        const std::string& line = lines[static_cast<std::size_t>(found[i].line)];
        EXPECT_EQ(line.substr(static_cast<std::size_t>(found[i].start),
                              static_cast<std::size_t>(found[i].end - found[i].start)),
                  expected[i].part);
        EXPECT_NE(found[i].message.find(expected[i].message), std::string::npos) << found[i].message;
    }
}

const std::string kRoot = TESSALY_SOURCE_DIR;

// The facts of a configuration below `folder`, with texts a test may put in place of files.
std::shared_ptr<const ConfigFacts> Facts(const std::string& folder, const checktest::Texts& texts)
{
    return ReadConfigFacts({folder, folder + "/conf/httpd.conf", {}}, texts);
}

}  // namespace

TEST(FileCheckerTest, CatchesWhatTheServerRejectsOnTheSameLine)
{
    const Severity E = Severity::kError;
    // Invalid command 'ServerNmae', perhaps misspelled or defined by a module not included...
    ExpectProblems("ServerNmae localhost\n<Foo>\n</Foo>",
                   {{0, Severity::kWarning, "ServerNmae", "not a directive of the server's manual"},
                    {1, Severity::kWarning, "<Foo", "'<Foo'"}});
    // Listen cannot occur within <Directory> section; <VirtualHost> cannot occur within <VirtualHost> section
    ExpectProblems("<Directory \"C:/x\">\n  Listen 8080\n</Directory>\n<VirtualHost *>\n<VirtualHost *:81>\n"
                   "</VirtualHost>\n</VirtualHost>",
                   {{1, E, "Listen", "Listen cannot occur within <Directory> section: it may stand only in the server"},
                    {4, E, "<VirtualHost", "cannot occur within <VirtualHost> section"}});
    // DocumentRoot not allowed here; AllowOverride not allowed here; ServerAlias not allowed here (Alias may stand
    // in <Location>, as the manual's text says, and RemoveType, which FileInfo lets into .htaccess, in the server
    // config)
    ExpectProblems("<Location /x>\nDocumentRoot \"C:/y\"\nAlias \"C:/z\"\n</Location>\nAllowOverride None\nServerAlias "
                   "a\nRemoveType .x",
                   {{1, E, "DocumentRoot", "not allowed here, within <Location>: it may stand in the server config or"},
                    {4, E, "AllowOverride", "it may stand only in <Directory>"},
                    {5, E, "ServerAlias", "only in <VirtualHost>"}});
    ExpectProblems("Listen 80\n<Files x>\nRequire all denied\n</Files>", {{0, E, "Listen", "not allowed in .htaccess"}},
                   {".htaccess", true, 1, false, nullptr});
    // </Directory> without matching <Directory> section; Expected </Directory> but saw </VirtualHost>
    ExpectProblems("</Directory>\n<VirtualHost *:80>\n<Directory /x>\n</VirtualHost>\n<Location /\n<Files a>",
                   {{0, E, "</Directory", "</Directory> without matching <Directory> section"},
                    {3, E, "</VirtualHost", "Expected </Directory> but saw </VirtualHost>"},
                    {4, E, "<Location", "<Location> was not closed"},
                    {4, E, "<Location", "<Location> directive missing closing '>'"},
                    {5, E, "<Files", "<Files> was not closed: add </Files>"}});
    // DocumentRoot takes one argument, Root directory of the document tree
    ExpectProblems(
        "DocumentRoot C:/a C:/b\nServerName\nListen 1 2 3\nLoadModule a b\nDefine X \"a b\"\nListen ${P} 2 3",
        {{0, E, "C:/a C:/b", "DocumentRoot takes one argument: DocumentRoot directory-path"},
         {1, E, "ServerName", "takes one argument"},
         {2, E, "1 2 3", "Listen takes one or two arguments"}});
    // Continued lines are one directive; a <Macro> body is read where it is used; forms the manual writes
    // loosely (an expression, "[HTTP-method]...", ProxySet's url taken from <Proxy>) are not counted against.
    ExpectProblems(
        "BrowserMatch \"MSIE\" \\\n  nokeepalive \\\n  downgrade-1.0\n<Macro M $x>\nListen $x\nFoo\n"
        "</Directory>\n</Macro>\n<Directory /x>\nSSLRequire %{SSL_CIPHER} !~ m/^EXP/\n"
        "AllowMethods GET POST OPTIONS\n</Directory>\n<Proxy balancer://h>\nProxySet lbmethod=bytraffic\n</Proxy>",
        {});
}

TEST(FileCheckerTest, NamesTheLoadModuleLineToUncommentUnlessTheServerSkipsTheLines)
{
    checktest::Texts texts;
    const std::string folder = "C:/Apache24";
    texts.edited[PathKey(folder + "/conf/httpd.conf")] =
        "LoadModule alias_module modules/mod_alias.so\n#LoadModule ssl_module modules/mod_ssl.so\n"
        "Include conf/extra/ssl.conf\n#Include conf/extra/off.conf\nAlias /a C:/a\nHeader set X y\n"
        "<IfModule ssl_module>\nSSLEngine on\n</IfModule>\n<IfDefine !SSL>\nSSLEngine on\n</IfDefine>";
    texts.edited[PathKey(folder + "/conf/extra/ssl.conf")] = "SSLEngine on\n";
    texts.edited[PathKey(folder + "/conf/extra/off.conf")] = "SSLEngine on\n";
    const auto facts = Facts(folder, texts);
    const Severity E = Severity::kError;
    ExpectProblems(texts.edited[PathKey(folder + "/conf/httpd.conf")],
                   {{5, E, "Header",
                     "Header is defined by mod_headers, which is not loaded: add LoadModule headers_module "
                     "modules/mod_headers.so"},
                    {10, E, "SSLEngine", "mod_ssl, which is not loaded: uncomment line 2 (LoadModule ssl_module"}},
                   SettingFor(folder + "/conf/httpd.conf", facts, nullptr));
    ExpectProblems("SSLEngine on", {{0, E, "SSLEngine", "uncomment line 2 of httpd.conf (LoadModule ssl_module"}},
                   SettingFor(folder + "/conf/extra/ssl.conf", facts, nullptr));
    // An Include of what cannot be read may load anything: nothing is said of modules.
    texts.edited[PathKey(folder + "/conf/httpd.conf")] += "\nInclude conf/missing.conf";
    ExpectProblems("Header set X y", {}, SettingFor(folder + "/conf/httpd.conf", Facts(folder, texts), nullptr));
    // A file no Include reaches, and one that -D SSL skips.
    ExpectProblems("SSLEngine on", {}, SettingFor(folder + "/conf/extra/off.conf", facts, nullptr));
    ExpectProblems("<IfDefine !SSL>\nSSLEngine on\n</IfDefine>", {},
                   SettingFor(folder + "/conf/httpd.conf",
                              ReadConfigFacts({folder, folder + "/conf/httpd.conf", {"SSL"}}, texts), nullptr));
}

TEST(FileCheckerTest, TheStockConfigurationAndTheSampleServerHaveNoProblem)
{
    const checktest::Texts disk;
    for (const std::string& folder : {kRoot + "/tests/launcher/stock-2.4", kRoot + "/sample/Apache24"}) {
        const auto facts = Facts(folder, disk);
        EXPECT_TRUE(facts->Reaches(folder + "/conf/httpd.conf"));
        int files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder + "/conf")) {
            const std::string path = entry.path().generic_string();
            if (entry.path().extension() != ".conf")
                continue;
            ++files;
            const auto own = ReadConfigFacts({folder, path, {}}, disk);
            for (const Problem& p : CheckText(checktest::ReadFile(path), SettingFor(path, facts, own)))
                ADD_FAILURE() << path << ":" << p.line + 1 << ": " << p.message;
        }
        EXPECT_GE(files, 2) << folder;
    }
}

TEST(FileCheckerTest, EditsReCheckToWhatACheckOfTheWholeTextFinds)
{
    const char* const pool[] = {"<VirtualHost *:80>",
                                "</VirtualHost>",
                                "<Directory /x>",
                                "</directory>",
                                "<IfModule ssl_module>",
                                "</IfModule>",
                                "Listen 80",
                                "DocumentRoot a b",
                                "SSLEngine on",
                                "Foo bar",
                                "BrowserMatch x \\",
                                "  y",
                                "",
                                "# c \\",
                                "<Macro M>",
                                "</Macro>",
                                "AllowOverride None",
                                "<Files"};
    std::mt19937 random(11);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    checktest::Texts texts;
    texts.edited[PathKey("C:/s/conf/httpd.conf")] = "#LoadModule ssl_module modules/mod_ssl.so";
    const FileSetting setting = SettingFor("C:/s/conf/httpd.conf", Facts("C:/s", texts), nullptr);
    for (int round = 0; round < 30; ++round) {
        FileChecker checker(checktest::Directives());
        checker.SetSetting(setting);
        std::vector<std::string> lines;
        for (int i = 0; i < 40; ++i)
            lines.push_back(pool[pick(18)]);
        std::string joined;
        for (const std::string& l : lines)
            joined += l + "\n";
        checker.SetText(joined.substr(0, joined.size() - 1));
        for (int edit = 0; edit < 40; ++edit) {
            const int first = pick(static_cast<int>(lines.size()) + 1);
            const int removed = std::min(pick(3), static_cast<int>(lines.size()) - first);
            std::vector<std::string> added(static_cast<std::size_t>(pick(3)));
            for (std::string& l : added)
                l = pool[pick(18)];
            lines.erase(lines.begin() + first, lines.begin() + first + removed);
            lines.insert(lines.begin() + first, added.begin(), added.end());
            checker.ReplaceLines(first, removed, added);
            joined.clear();
            for (std::size_t i = 0; i < lines.size(); ++i)
                joined += (i ? "\n" : "") + lines[i];
            ASSERT_EQ(checker.Problems(), CheckText(joined, setting)) << round << "/" << edit << "\n" << joined;
        }
    }
}
