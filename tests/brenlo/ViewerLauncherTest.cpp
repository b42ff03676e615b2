// The viewer as the Launcher calls it, end to end: the call and its variable, the quit
// message, a call from inside, the stored placement and the help file beside the host.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Handles.h"
#include "HelpEngineStandIn.h"
#include "StoredRecords.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerFixture.h"

using namespace viewertest;

using ViewerLauncherTest = ViewerTest;

TEST_F(ViewerLauncherTest, AboutGoesToTheLauncherWhoseWindowIsServedDuringTheCall)
{
    LauncherLogList list;
    list.Add(Log("a.log", Lines('a')));
    ViewerRun run;
    bool launcherServed = false;
    HWND frameSeen = nullptr;
    int result = run.Run(list.Get(), [&](HWND frame) {
        frameSeen = frame;
        Command(frame, kAbout);
        ui::WaitUntil([&] { return !run.Notices().empty(); });
        launcherServed = run.LauncherAnswers();
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });

    EXPECT_EQ(result, 1);
    // The Launcher's window runs inside the call and already sees the viewer's handle in its
    // variable.
    std::vector<Notice> notices = run.Notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].code, 19u);
    EXPECT_EQ(notices[0].frameAtThatMoment, frameSeen);
    EXPECT_TRUE(launcherServed);
}

// The Launcher's Exit while the viewer is open: the quit message, meant for the Launcher's
// own loop, closes the viewer and reaches that loop once the call has returned.
TEST_F(ViewerLauncherTest, TheQuitMessageClosesTheViewerAndIsLeftForTheCallersLoop)
{
    LauncherLogList list;
    list.Add(Log("error.log", "[error] something\r\n"));
    ViewerRun run;
    HWND frameSeen = nullptr;
    int result = run.Run(list.Get(), [&](HWND frame) {
        frameSeen = frame;
        ::PostThreadMessageA(run.CallerThread(), WM_QUIT, 7, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(run.FrameVariable(), nullptr);
    EXPECT_FALSE(::IsWindow(frameSeen));
    EXPECT_NE(StoredInt("LeftPane", -1), -1) << "closed as by the user";
    MSG again{};
    ASSERT_TRUE(::PeekMessageA(&again, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(again.wParam, 7u);
}

TEST_F(ViewerLauncherTest, ACallFromInsideTheRunningViewerOpensNoSecondViewer)
{
    LauncherLogList list;
    list.Add(Log("first.log", "one\r\n"));
    LauncherLogList other;
    other.Add(Log("other.log", "two\r\n"));
    ViewerRun run;
    int nested = -1;
    std::size_t viewers = 0;
    std::string labelAfter;
    HWND frameAfter = nullptr;
    int result = run.Run(list.Get(), [&](HWND frame) {
        run.PostNestedCall(other.Get());
        ui::WaitUntil([&] { return run.NestedResult() != -1; });
        nested = run.NestedResult();
        viewers = ui::TopLevelWindows(::GetCurrentProcessId(), nullptr, "Log Viewer", true).size();
        labelAfter = ReadTree(TreeOf(frame))[0].text;
        frameAfter = run.FrameVariable();
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(viewers, 1u);
    EXPECT_EQ(labelAfter, "first.log");
    EXPECT_NE(frameAfter, nullptr);  // the first call's variable still holds its frame
    EXPECT_EQ(run.FrameVariable(), nullptr);
}

TEST_F(ViewerLauncherTest, PlacementAndTreeWidthAreKeptFromCallToCall)
{
    std::string log = Log("access.log", Lines('p'));
    PlacementRecord stored;
    stored.showCmd = SW_SHOWMAXIMIZED;
    stored.left = 40;
    stored.top = 50;
    stored.right = 740;
    stored.bottom = 550;
    auto bytes = stored.Encode();
    ASSERT_TRUE(m_registry.Store().SetProfileBinary("Settings", "MainWindow", bytes.data(), bytes.size()));
    ASSERT_TRUE(m_registry.Store().SetProfileInt("Settings", "LeftPane", 150));

    LauncherLogList list;
    list.Add(log, "Server");
    struct Seen {
        bool zoomed = true;
        RECT rect{};
        int treeWidth = 0;
        std::string title;
    };
    Seen first, second;
    auto look = [](HWND frame, Seen& seen) {
        seen.zoomed = ::IsZoomed(frame) != FALSE;
        ::GetWindowRect(frame, &seen.rect);
        RECT tree{};
        ::GetWindowRect(TreeOf(frame), &tree);
        seen.treeWidth = tree.right - tree.left;
        seen.title = ui::TextOf(frame);
    };

    ViewerRun run;
    // Stored maximised: opens at its normal rectangle; closed minimised: stored as normal.
    EXPECT_EQ(run.Run(list.Get(),
                      [&](HWND frame) {
                          look(frame, first);
                          ::ShowWindow(frame, SW_MINIMIZE);
                          ::PostMessageA(frame, WM_CLOSE, 0, 0);
                      }),
              1);
    std::vector<std::uint8_t> placement;
    ASSERT_TRUE(m_registry.Store().ProfileBinary("Settings", "MainWindow", placement));
    std::optional<PlacementRecord> written = PlacementRecord::Decode(placement);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->showCmd, SW_SHOWNORMAL);
    EXPECT_EQ(StoredInt("LeftPane", -1), 150);

    EXPECT_EQ(run.Run(list.Get(),
                      [&](HWND frame) {
                          look(frame, second);
                          ::PostMessageA(frame, WM_CLOSE, 0, 0);
                      }),
              1);
    EXPECT_EQ(run.FrameVariable(), nullptr);

    for (const Seen* seen : {&first, &second}) {
        EXPECT_FALSE(seen->zoomed);
        EXPECT_EQ(seen->rect.left, 40);
        EXPECT_EQ(seen->rect.top, 50);
        EXPECT_EQ(seen->rect.right, 740);
        EXPECT_EQ(seen->rect.bottom, 550);
        EXPECT_EQ(seen->treeWidth, 150);
        EXPECT_EQ(seen->title, "Log Viewer - Untitled");
    }
    EXPECT_EQ(written->left, 40);
    EXPECT_EQ(written->bottom, 550);
}

TEST_F(ViewerLauncherTest, HelpTopicsNeedTheHelpFileBesideTheHostProgramAndOpenItsTopic)
{
    LauncherLogList list;
    ViewerRun run;
    CHelpEngineStandIn engine;
    std::string besideHost = testpaths::Join(testpaths::TestBinDir(), "Tessaly.chm");
    std::string besideLibrary = testpaths::Join(testpaths::BinDir(), "Tessaly.chm");
    std::string calls = testpaths::Join(testpaths::TestBinDir(), "help-calls.txt");
    // The build puts the real help file beside the binaries: it is set aside and put back.
    const std::string kept = besideLibrary + ".kept";
    const bool hadHelpFile = ::MoveFileExA(besideLibrary.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    ::DeleteFileA(besideHost.c_str());
    ::DeleteFileA(calls.c_str());
    ASSERT_TRUE(testpaths::WriteTextFile(besideLibrary, "help"));
    UINT withoutHostCopy = 0;
    run.Run(list.Get(), [&](HWND frame) {
        withoutHostCopy = MenuState(frame, kHelpMenu, kHelpTopics);
        ::SendMessageA(frame, WM_COMMAND, kHelpTopics, 0);  // disabled: nothing happens
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    ::DeleteFileA(besideLibrary.c_str());
    if (hadHelpFile)
        ::MoveFileExA(kept.c_str(), besideLibrary.c_str(), MOVEFILE_REPLACE_EXISTING);
    ASSERT_TRUE(testpaths::WriteTextFile(besideHost, "help"));
    UINT withHostCopy = MF_GRAYED;
    run.Run(list.Get(), [&](HWND frame) {
        withHostCopy = MenuState(frame, kHelpMenu, kHelpTopics);
        Command(frame, kHelpTopics);
        ui::WaitUntil([&] { return testpaths::FileSize(calls) != ~0ull; });
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    ::DeleteFileA(besideHost.c_str());
    EXPECT_NE(withoutHostCopy & MF_GRAYED, 0u);
    EXPECT_EQ(withHostCopy & MF_GRAYED, 0u);
    std::string asked;
    EXPECT_TRUE(testpaths::ReadTextFile(calls, asked));
    EXPECT_EQ(asked, "00000000|" + testpaths::TestBinDir() + "/Tessaly.chm::/log_viewer.htm|0|0\n");
    ::DeleteFileA(calls.c_str());
}
