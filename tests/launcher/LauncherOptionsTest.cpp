// "Options..." of the Launcher stand-in: it loads Options.dll from its own folder and calls
// DoOptions with its message window, its dialog variable and the host list of the server's
// configuration. A probe library takes the dialog's place.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ChildProcess.h"
#include "LauncherIds.h"
#include "RegistrySandbox.h"
#include "SampleCopy.h"
#include "SharedData.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace {

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

bool CopyInto(const std::string& from, const std::string& folder, const std::string& name)
{
    return ::CopyFileA(testpaths::Join(from, name).c_str(), testpaths::Join(folder, name).c_str(), FALSE) != FALSE;
}

}  // namespace

TEST(LauncherOptions, OptionsGetsTheHostListAndTheLauncherWaitsForTheDialog)
{
    CRegistrySandbox sandbox;
    const std::string server = CopySampleServer("LauncherOptions");
    ASSERT_FALSE(server.empty());
    sandbox.Store().SetProfileString("Settings", "ApachePath", server.c_str());

    // A Launcher of its own with the probe beside it.
    const std::string folder = testpaths::Join(testpaths::MakeWorkDir("LauncherOptionsBin"), "");
    ASSERT_TRUE(CopyInto(testpaths::BinDir(), folder, "Launcher.exe"));
    ASSERT_TRUE(CopyInto(testpaths::Join(testpaths::TestBinDir(), "options-probe"), folder, "Options.dll"));
    const std::string record = testpaths::Join(folder, "options-call.txt");
    ASSERT_TRUE(::SetEnvironmentVariableA("TESSALY_OPTIONS_PROBE_OUT", record.c_str()));

    CChildProcess launcher;
    ASSERT_TRUE(launcher.Start(testpaths::Join(folder, "Launcher.exe")));
    HWND main = ui::WaitForTopLevel(launcher.Id(), nullptr, kMainCaption, 20000);
    ASSERT_NE(main, nullptr);
    HWND options = ::GetDlgItem(main, IDC_OPTIONS);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsEnabled(options); }, 5000)) << "Options.dll is beside the Launcher";

    ASSERT_TRUE(ui::Click(options));
    HWND dialog = ui::WaitForTopLevel(launcher.Id(), nullptr, "Options probe", 10000);
    ASSERT_NE(dialog, nullptr);

    // A second press while the dialog is open does not call DoOptions again.
    ui::BringToFront(main);
    ui::WaitUntil([&] { return ::GetForegroundWindow() == main; }, 3000);
    ASSERT_TRUE(ui::Click(options));
    ui::WaitUntil([&] { return ::GetForegroundWindow() == dialog; }, 3000);
    EXPECT_EQ(ui::TopLevelWindows(launcher.Id(), "Static").size(), 1u);

    std::string text;
    ASSERT_TRUE(testpaths::ReadTextFile(record, text));
    EXPECT_EQ(Count(text, "launcher window: yes"), 1u) << text;
    EXPECT_NE(text.find("dialog variable: yes"), std::string::npos) << text;
    EXPECT_NE(text.find("hosts: 2\n"), std::string::npos) << text;
    const std::string root = Printed(server);
    EXPECT_NE(text.find("www.example.test|" + root + "/htdocs/www|*:80|0|0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("docs.example.test|" + root + "/htdocs/docs|*:80|0|0\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("(bad layout)"), std::string::npos) << text;

    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    HWND notices = ::GetDlgItem(main, IDC_NOTICES);
    EXPECT_TRUE(ui::WaitUntil(
        [&] {
            return ::SendMessageA(notices, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("Options closed (1)")) >= 0;
        },
        10000));
    EXPECT_GE(::SendMessageA(notices, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("17 LN_HOSTS_CHANGED")), 0);

    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.Wait(10000), 0);
}
