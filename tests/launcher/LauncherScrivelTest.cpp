// The Launcher stand-in and the real Scrivel together: the Launcher starts the editor,
// runs the configuration test for it, and the editor lands on the reported line.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ChildProcess.h"
#include "Handles.h"
#include "LauncherIds.h"
#include "RegistrySandbox.h"
#include "SampleCopy.h"
#include "ScrivelDriver.h"
#include "Screenshot.h"
#include "SettingsSchema.h"
#include "SharedData.h"
#include "TestPaths.h"
#include "UiDriver.h"

using namespace scriveltest;

namespace {

constexpr UINT kSaveAllAndTest = 32778;  // Scrivel's "Save all and test" command
constexpr char kBadAccessConf[] = "<Directory \"C:/Apache24/cgi-bin\">\nFoo on\n</Directory>\n";
constexpr int kBadLine = 30;  // the "Foo on" line once appended to the sample's access.conf
constexpr char kBadMessage[] =
    "Invalid command 'Foo', perhaps misspelled or defined by a module not included in the server configuration";

// The Launcher lists every code it receives, one line each.
bool ListsLine(HWND list, const std::string& line)
{
    return ::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str())) >=
           0;
}

class LauncherScrivelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server = CopySampleServer(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_FALSE(server.empty());
        sandbox.Store().SetProfileString("Settings", "ApachePath", server.c_str());
        // Only httpd.conf is open at start, so a report on access.conf opens a new document.
        sandbox.Store().WriteString(settings::kFilesKey, "File0", server + "\\conf\\httpd.conf");
    }

    void TearDown() override
    {
        if (scrivel.Get() != nullptr && ::WaitForSingleObject(scrivel.Get(), 0) == WAIT_TIMEOUT) {
            if (frame != nullptr && ::IsWindow(frame))
                ::PostMessageA(frame, WM_LAUNCHER_NOTIFY, LN_CLOSE_NOW, 0);
            if (::WaitForSingleObject(scrivel.Get(), 10000) != WAIT_OBJECT_0)
                ::TerminateProcess(scrivel.Get(), 1);
        }
        if (main != nullptr && ::IsWindow(main))
            ::PostMessageA(main, WM_CLOSE, 0, 0);
        launcher.Wait(10000);
    }

    // Starts the Launcher and has it start Scrivel with "Edit configuration".
    void StartBoth()
    {
        ASSERT_TRUE(launcher.Start(testpaths::Join(testpaths::BinDir(), "Launcher.exe")));
        main = ui::WaitForTopLevel(launcher.Id(), nullptr, kMainCaption, 20000);
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(ui::WaitUntil([&] { return block.Open() && block.GetLauncherWnd() != nullptr; }, 10000));
        notices = ::GetDlgItem(main, IDC_NOTICES);
        ASSERT_NE(notices, nullptr);

        HWND edit = ::GetDlgItem(main, IDC_EDIT_CONFIGURATION);
        ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsEnabled(edit); }, 5000)) << "Scrivel.exe is beside the Launcher";
        ASSERT_TRUE(ui::Click(edit));
        ASSERT_TRUE(ui::WaitUntil([&] { return ListsLine(notices, "5 LN_EDITOR_STARTED"); }, kStartTimeoutMs))
            << "the Launcher sees Scrivel's start";
        frame = block.GetEditorWnd();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(::IsWindowVisible(frame));
        DWORD processId = 0;
        ::GetWindowThreadProcessId(frame, &processId);
        ASSERT_NE(processId, launcher.Id()) << "Scrivel runs as a program of its own";
        scrivel.Reset(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
        ASSERT_NE(scrivel.Get(), nullptr);
        ASSERT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(frame).find("httpd.conf") != std::string::npos; }));
    }

    void PressTestConfiguration() { ASSERT_TRUE(ui::Click(::GetDlgItem(main, IDC_TEST_CONFIGURATION))); }

    CRegistrySandbox sandbox;
    std::string server;
    CChildProcess launcher;
    CSharedData block;
    CKernelHandle scrivel;
    HWND main = nullptr;
    HWND notices = nullptr;
    HWND frame = nullptr;
};

}  // namespace

TEST_F(LauncherScrivelTest, TestOfABrokenConfigurationTakesScrivelToTheLine)
{
    ASSERT_TRUE(WriteServerFile(server, "conf/access.conf", kBadAccessConf, true));
    StartBoth();

    PressTestConfiguration();
    ASSERT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(frame).find("access.conf") != std::string::npos; }, 20000))
        << "the file the report names is opened; active: " << ActiveChildTitle(frame);
    EXPECT_TRUE(ui::WaitUntil([&] { return CaretLine(ViewOf(ActiveChild(frame))) == kBadLine; }));
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(frame) == kBadMessage; })) << StatusText(frame);
    EXPECT_EQ(StatusPaneColour(frame), kErrorBack);
    SaveWindowPng(frame, "launcher-scrivel-syntax-error");
    EXPECT_EQ(block.GetText(), "") << "Scrivel clears the report once it has read it";

    // "Save all and test" from Scrivel itself goes the whole way round: code 10 to the
    // Launcher, its answer back. The caret is moved away first to see it land again.
    HWND view = ViewOf(ActiveChild(frame));
    ::SendMessageA(view, EM_SETSEL, 0, 0);
    ASSERT_EQ(CaretLine(view), 1);
    ASSERT_TRUE(ui::PostCommand(frame, kSaveAllAndTest));
    EXPECT_TRUE(ui::WaitUntil([&] { return CaretLine(view) == kBadLine; }, 20000));
    EXPECT_TRUE(ListsLine(notices, "10 LN_TEST_CONFIG"));
    EXPECT_EQ(ChildFrames(frame).size(), 2u) << "the open access.conf is reused, not opened twice";
}

TEST_F(LauncherScrivelTest, TestOfAGoodConfigurationFlashesThePassedTest)
{
    StartBoth();
    PressTestConfiguration();
    EXPECT_TRUE(ui::WaitUntil([&] { return StatusText(frame) == "Syntax OK"; }, 20000)) << StatusText(frame);
    EXPECT_EQ(StatusPaneColour(frame), kInfoBack);
    EXPECT_EQ(ChildFrames(frame).size(), 1u);
}

TEST_F(LauncherScrivelTest, ExitClosesScrivelFirst)
{
    StartBoth();
    ASSERT_TRUE(ui::Click(::GetDlgItem(main, IDC_EXIT)));
    ASSERT_EQ(::WaitForSingleObject(scrivel.Get(), 20000), WAIT_OBJECT_0) << "Scrivel closes when asked";
    EXPECT_EQ(block.GetEditorWnd(), nullptr);
    EXPECT_EQ(launcher.Wait(20000), 0) << "the Launcher ends after the editor agreed";
}
