// After "Syntax OK" to Scrivel's own test request, a port the configuration listens on that
// another program holds is named in red. Wine's table of listeners tells no owner, so the
// message here says "another program"; the owner's name is read in PortClashTest.
#include <winsock2.h>

#include <gtest/gtest.h>

#include "LauncherLink.h"
#include "Screenshot.h"
#include "ScrivelDriver.h"
#include "TestPaths.h"
#include "UiDriver.h"

using namespace scriveltest;

namespace {

constexpr UINT kSaveAllAndTest = 32778;

// A listening socket on a free port of every IPv4 address, as another program would hold it.
class CHeldPort {
public:
    CHeldPort()
    {
        if (::WSAStartup(MAKEWORD(2, 2), &m_wsa) != 0)
            return;
        m_started = true;
        m_socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        int length = sizeof(address);
        if (m_socket == INVALID_SOCKET || ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(m_socket, 1) != 0 || ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ::ntohs(address.sin_port);
    }
    ~CHeldPort()
    {
        if (m_socket != INVALID_SOCKET)
            ::closesocket(m_socket);
        if (m_started)
            ::WSACleanup();
    }
    CHeldPort(const CHeldPort&) = delete;
    CHeldPort& operator=(const CHeldPort&) = delete;
    int Port() const { return m_port; }

private:
    WSADATA m_wsa{};
    bool m_started = false;
    SOCKET m_socket = INVALID_SOCKET;
    int m_port = 0;
};

}  // namespace

TEST(ScrivelPorts, SyntaxOkToOurTestNamesAPortThatIsTaken)
{
    const CHeldPort held;
    ASSERT_NE(held.Port(), 0);
    const std::string port = std::to_string(held.Port());
    // The main file of the "Test" line, with the port through its -D name and a variable.
    const std::string server = testpaths::MakeWorkDir("scrivel-ports");
    ASSERT_TRUE(testpaths::WriteTextFile(testpaths::Join(server, "ports.conf"),
                                         "<IfDefine HELD>\r\n  Define PORT " + port +
                                             "\r\n</IfDefine>\r\nListen 127.0.0.1:${PORT}\r\n"));
    CScrivelRun run;
    run.Registry().Store().SetProfileString(settings::kSection, settings::kApachePath, server.c_str());
    run.Registry().Store().WriteCommandLine(settings::CommandLine::Test, "-t -f ports.conf -D HELD");
    ASSERT_TRUE(run.Start());

    ASSERT_TRUE(ui::PostCommand(run.Frame(), kSaveAllAndTest));
    ASSERT_TRUE(run.Launcher().WaitForCode(LN_TEST_CONFIG, 5000));
    run.Launcher().SetText("AH00558: httpd.exe: Could not reliably determine the server's name\r\nSyntax OK\r\n");
    run.Launcher().SendCode(run.Frame(), LN_STATUS_INFO);
    const std::string expected = "Syntax OK, but port " + port + " is in use by another program";
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(run.Frame()) == expected; }, 3000));
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusPaneColour(run.Frame()) == kErrorBack; }, 2000));
    EXPECT_NE(SaveWindowPng(run.Frame(), "scrivel-port-taken"), "");
    EXPECT_EQ(run.CloseNow(), 0);
}
