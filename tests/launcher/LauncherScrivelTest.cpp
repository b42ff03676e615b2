// The Launcher stand-in and the real Scrivel together: the Launcher starts the editor,
// runs the configuration test for it, and the editor lands on the reported line.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LauncherIds.h"
#include "LauncherSession.h"
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

class LauncherScrivelTest : public SampleServerInSettingsTest {
protected:
    void SetUp() override
    {
        SampleServerInSettingsTest::SetUp();
        // Only httpd.conf is open at start, so a report on access.conf opens a new document.
        m_sandbox.Store().WriteString(settings::kFilesKey, "File0", m_server + "\\conf\\httpd.conf");
    }

    // Starts the Launcher and has it start Scrivel with "Edit configuration".
    void StartBoth()
    {
        ASSERT_TRUE(session.StartLauncher());
        const std::string failure = session.StartScrivel();
        ASSERT_EQ(failure, "");
        ASSERT_TRUE(ui::WaitUntil([&] { return ActiveChildTitle(frame).find("httpd.conf") != std::string::npos; }));
    }

    void PressTestConfiguration() { ASSERT_TRUE(ui::Click(::GetDlgItem(main, IDC_TEST_CONFIGURATION))); }

    CLauncherSession session;
    // The session's parts under the names the cases use.
    CChildProcess& launcher = session.launcher;
    CSharedData& block = session.block;
    CKernelHandle& scrivel = session.scrivel;
    HWND& main = session.main;
    HWND& notices = session.notices;
    HWND& frame = session.frame;
};

}  // namespace

TEST_F(LauncherScrivelTest, TestOfABrokenConfigurationTakesScrivelToTheLine)
{
    ASSERT_TRUE(WriteServerFile(m_server, "conf/access.conf", kBadAccessConf, true));
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
    EXPECT_TRUE(session.ListsLine("10 LN_TEST_CONFIG"));
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
    // Scrivel clears its handle only while the Launcher's is still in the block, and the
    // Launcher clears its own as it ends: which of the two comes first is theirs to race.
    EXPECT_FALSE(::IsWindow(block.GetEditorWnd())) << "the block names no live editor";
    EXPECT_EQ(launcher.Wait(20000), 0) << "the Launcher ends after the editor agreed";
}
