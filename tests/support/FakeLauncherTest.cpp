#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "FakeLauncher.h"
#include "TestPaths.h"

namespace {

std::string Probe()
{
    return testpaths::Join(testpaths::TestBinDir(), "LauncherProbe.exe");
}

int RunProbe(const std::string& arguments)
{
    CChildProcess probe;
    if (!probe.Start(Probe(), arguments))
        return -100;
    return probe.Wait(20000);
}

}  // namespace

TEST(FakeLauncher, PublishesItsWindowInTheBlock)
{
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());
    EXPECT_EQ(HandleFromBlock(launcher.Block()->hLauncherWnd), launcher.Window());
    EXPECT_TRUE(::IsWindow(launcher.Window()));

    CSharedData block;
    ASSERT_TRUE(block.Open());
    EXPECT_EQ(block.GetLauncherWnd(), launcher.Window());
    launcher.SetText(std::string(6000, 'r').c_str());
    EXPECT_EQ(block.GetText().size(), 4999u);
}

TEST(FakeLauncher, WithoutItsWindowTheBlockHoldsZero)
{
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start(false));
    EXPECT_EQ(launcher.Block()->hLauncherWnd, 0u);
}

TEST(FakeLauncher, NoBlockBeforeStartOrAfterStop)
{
    EXPECT_EQ(RunProbe("expect-text x"), 2);
    {
        CFakeLauncher launcher;
        ASSERT_TRUE(launcher.Start());
    }
    CSharedData block;
    EXPECT_FALSE(block.Open());
}

TEST(FakeLauncher, RecordsSentAndPostedCodesFromAnotherProcess)
{
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());
    launcher.SetResponder([](const LauncherNotice& n) -> LRESULT { return n.code == LN_EDITOR_STARTED ? 42 : 0; });

    EXPECT_EQ(RunProbe("send 5 0x1234"), 42);
    EXPECT_EQ(RunProbe("post 10"), 0);
    ASSERT_TRUE(launcher.WaitForCode(LN_TEST_CONFIG, 5000));

    const auto notices = launcher.Notices();
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].code, LN_EDITOR_STARTED);
    EXPECT_TRUE(notices[0].sent);
    EXPECT_EQ(notices[0].editorWndAtThatMoment, 0x1234u);
    EXPECT_EQ(notices[1].code, LN_TEST_CONFIG);
    EXPECT_FALSE(notices[1].sent);

    launcher.ClearNotices();
    EXPECT_FALSE(launcher.WaitForCode(LN_TEST_CONFIG, 50));
}

TEST(FakeLauncher, TextReachesTheOtherProcess)
{
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());
    launcher.SetText("Syntax OK");
    EXPECT_EQ(RunProbe("expect-text \"Syntax OK\""), 0);
    EXPECT_EQ(RunProbe("expect-text other"), 1);
}
