#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ProcessRunner.h"
#include "SampleCopy.h"
#include "TestPaths.h"

namespace {

std::string Stub()
{
    return testpaths::Join(testpaths::BinDir(), "stub.exe");
}

// The stub prints its own answers as a console program does, with CR LF line ends.
std::string Crlf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

ProcessResult RunStub(const std::string& server, const std::string& switches)
{
    std::string commandLine = "\"";
    commandLine.append(Stub()).append("\" ").append(switches);
    return RunCaptured(commandLine, server, 60000);
}

constexpr const char kInvalid[] =
    "', perhaps misspelled or defined by a module not included in the server configuration\n";

class StubTest : public SampleServerTest {
protected:
    void SetUp() override
    {
        SampleServerTest::SetUp();
        conf = Printed(m_server) + "/conf/";
    }
    std::string conf;
};

}  // namespace

TEST_F(StubTest, SampleServerPassesTheSyntaxCheck)
{
    const ProcessResult r = RunStub(m_server, "-t");
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.output, Crlf("Syntax OK\n"));
    EXPECT_EQ(r.exitCode, 0u);
}

// The server's own stock configuration for Windows in place of the sample's, with the
// conf/extra files its stock modules serve included: the server answers "Syntax OK".
TEST_F(StubTest, TheServersStockConfigurationPasses)
{
    namespace fs = std::filesystem;
    auto read = [](const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    const fs::path stock(TESSALY_STOCK_CONF);
    std::string main = read(stock / "httpd.conf");
    for (const char* extra : {"mpm", "multilang-errordoc", "autoindex", "languages", "info", "vhosts", "default"}) {
        const auto at = main.find(std::string("#Include conf/extra/httpd-") + extra + ".conf");
        ASSERT_NE(at, std::string::npos) << extra;
        main.erase(at, 1);
    }
    ASSERT_TRUE(WriteServerFile(m_server, "conf/httpd.conf", main, false));
    fs::create_directories(fs::path(m_server) / "conf" / "extra");
    for (const auto& entry : fs::directory_iterator(stock / "extra"))
        ASSERT_TRUE(
            WriteServerFile(m_server, "conf/extra/" + entry.path().filename().string(), read(entry.path()), false));

    for (const char* switches : {"-t", "-t -D SSL", "-DSSL -t"}) {
        const ProcessResult r = RunStub(m_server, switches);
        EXPECT_EQ(r.output, Crlf("Syntax OK\n")) << switches;
        EXPECT_EQ(r.exitCode, 0u) << switches;
    }
}

TEST_F(StubTest, UnknownDirectiveFailsWithTheServersReport)
{
    ASSERT_TRUE(WriteServerFile(m_server, "conf/access.conf", "Requier all granted\n", true));
    const ProcessResult r = RunStub(m_server, "-t");
    EXPECT_EQ(r.output, Crlf("AH00526: Syntax error on line 29 of " + conf + "access.conf:\nInvalid command 'Requier" +
                             kInvalid));
    EXPECT_EQ(r.exitCode, 1u);
}

TEST_F(StubTest, UnclosedVirtualHostFails)
{
    ASSERT_TRUE(WriteServerFile(m_server, "conf/httpd.conf", "<VirtualHost *:8080>\n    ServerName open.test\n", true));
    const ProcessResult r = RunStub(m_server, "-t");
    EXPECT_EQ(r.output, Crlf("httpd.exe: Syntax error on line 76 of " + conf + "httpd.conf: " + conf +
                             "httpd.conf:76: <VirtualHost> was not closed.\n"));
    EXPECT_EQ(r.exitCode, 1u);
}

TEST_F(StubTest, MissingIncludedFileFails)
{
    ASSERT_TRUE(DeleteFileA((m_server + "\\conf\\access.conf").c_str()));
    const ProcessResult r = RunStub(m_server, "-t");
    EXPECT_EQ(r.output,
              Crlf("httpd.exe: Syntax error on line 59 of " + conf + "httpd.conf: Could not open configuration file " +
                   conf + "access.conf: No such file or directory\n"));
    EXPECT_EQ(r.exitCode, 1u);
}

TEST_F(StubTest, InformationSwitches)
{
    const ProcessResult version = RunStub(m_server, "-v");
    EXPECT_EQ(version.output.rfind(Crlf("Server version: Apache/2.4.62 (Win32)\nServer built:   "), 0), 0u)
        << version.output;
    EXPECT_EQ(version.exitCode, 0u);

    const ProcessResult modules = RunStub(m_server, "-l");
    EXPECT_EQ(modules.output.rfind(Crlf("Compiled in modules:\n  core.c\n"), 0), 0u) << modules.output;
    EXPECT_NE(modules.output.find(Crlf("\n  mpm_winnt.c\n")), std::string::npos);
    EXPECT_EQ(modules.output.find("mod_log_config.c"), std::string::npos) << "loaded, not compiled in";

    const ProcessResult directives = RunStub(m_server, "-L");
    EXPECT_NE(directives.output.find(Crlf("<VirtualHost (core.c)\n")), std::string::npos);
    EXPECT_NE(directives.output.find(Crlf("CustomLog (mod_log_config.c)\n")), std::string::npos);

    const ProcessResult hosts = RunStub(m_server, "-S -t");
    EXPECT_EQ(hosts.exitCode, 0u);
    EXPECT_EQ(hosts.output.rfind(Crlf("VirtualHost configuration:\n*:80                   is a NameVirtualHost\n"
                                      "         default server www.example.test (" +
                                      conf + "httpd.conf:62)\n"),
                                 0),
              0u)
        << hosts.output;
    EXPECT_NE(hosts.output.find(Crlf("         port 80 namevhost docs.example.test (" + conf + "httpd.conf:70)\n")),
              std::string::npos);
    EXPECT_NE(hosts.output.find(Crlf("ServerRoot: \"" + Printed(m_server) + "\"\n")), std::string::npos);

    const ProcessResult start = RunStub(m_server, "-k start");
    EXPECT_NE(start.exitCode, 0u);
}

TEST_F(StubTest, RunsTheServersOwnProgramWhenItIsThere)
{
    ASSERT_TRUE(CopyFileA(testpaths::Join(testpaths::TestBinDir(), "FakeServer.exe").c_str(),
                          (m_server + "\\apache.exe").c_str(), FALSE));
    const ProcessResult r = RunStub(m_server, "-k  restart -n \"Web Server\"");
    // The server's own output, line ends included, in the order it was written.
    EXPECT_EQ(r.output, Crlf("out: switches -k restart -n Web Server\nerr: second\nout: folder " + m_server + "\n"));
    EXPECT_EQ(r.exitCode, 3u);
}
