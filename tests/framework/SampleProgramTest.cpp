// The sample editor as a program of its own, started and driven from outside: WinMain,
// the start and exit hooks, the message loop and its end.
#include <windows.h>

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "DocViewTestIds.h"
#include "FwIds.h"
#include "RegistrySettingsBackend.h"
#include "SettingsStore.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace {
const char kRoot[] = "Software\\FwTestSample";

int Exits()
{
    return CSettingsStore(UserSettingsBackend(), "").GetInt("Software\\FwTestSample\\FwSample\\Settings", "Exits", 0);
}

class SampleProgramTest : public ::testing::Test {
protected:
    void SetUp() override { UserSettingsBackend().DeleteKey(kRoot); }
    void TearDown() override { UserSettingsBackend().DeleteKey(kRoot); }
    std::string Program() const { return testpaths::Join(testpaths::TestBinDir(), "FwSampleEditor.exe"); }
};

TEST_F(SampleProgramTest, TheProgramRunsItsLoopUntilExitAndRunsItsExitHook)
{
    CChildProcess sample;
    ASSERT_TRUE(sample.Start(Program()));
    HWND frame = ui::WaitForTopLevel(sample.Id(), nullptr, "Sample Editor", 10000);
    ASSERT_NE(frame, nullptr);

    ui::PostCommand(frame, ID_FILE_NEW);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::TextOf(frame).rfind("Sample Editor - Sample", 0) == 0; }, 5000))
        << ui::TextOf(frame);
    HWND client = ui::FindChild(frame, "MDIClient");
    ASSERT_NE(client, nullptr);
    HWND child = ::GetTopWindow(client);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(ui::TextOf(frame), "Sample Editor - " + ui::TextOf(child));

    ui::PostCommand(frame, ID_APP_EXIT);
    EXPECT_EQ(sample.Wait(10000), 0);
    EXPECT_EQ(Exits(), 1);
}

TEST_F(SampleProgramTest, AStartThatFailsStillRunsTheExitHook)
{
    CChildProcess sample;
    ASSERT_TRUE(sample.Start(Program(), "/refuse"));
    EXPECT_EQ(sample.Wait(10000), 0);
    EXPECT_EQ(Exits(), 1);
    EXPECT_TRUE(ui::TopLevelWindows(sample.Id(), nullptr, "Sample Editor").empty());
}
}  // namespace
