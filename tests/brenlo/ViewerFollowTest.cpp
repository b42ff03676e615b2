// The log view following the server's log end to end: a probe process writes through one
// open handle, then cuts, rotates and deletes the log while the viewer shows it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "LogLabels.h"
#include "LogProbe.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerFixture.h"

using namespace viewertest;

using ViewerFollowTest = ViewerTest;

namespace {

bool Follows(HWND frame, HWND view)
{
    return PaneText(frame, 1) == "Following" && Selection(view).first == LastLineStart(view);
}

// The view shows the log as it is on disk, and follows it.
bool ShowsAndFollows(HWND frame, HWND view, const std::string& log)
{
    return ui::TextOf(view) == testpaths::FileText(log) && Follows(frame, view);
}

}  // namespace

TEST_F(ViewerFollowTest, TheShownLogIsFollowedWhileTheServerWritesCutsRotatesAndDeletesIt)
{
    const std::string log = Log("error.log", Lines('e'));
    const std::string quoted = "\"" + log + "\"";
    int result = ShowLog(log, [&](HWND frame, HWND view) {
        ::SendMessageA(frame, WM_COMMAND, kShowLogSize, 0);
        CLogProbe server;
        EXPECT_TRUE(ui::WaitUntil([&] { return Follows(frame, view); })) << "opens at its end, following";
        EXPECT_TRUE(server.StartAppending(log, 2));
        EXPECT_TRUE(ui::WaitUntil([&] { return ui::TextOf(view).size() > 3000 && Follows(frame, view); }));
        SaveScreenPng("brenlo-following");

        // Page Up leaves following: the lines still come, the caret stays; Ctrl+End rejoins.
        ::SendMessageA(view, WM_KEYDOWN, VK_PRIOR, 0);
        const DWORD caret = Selection(view).first;
        const std::size_t shown = ui::TextOf(view).size();
        EXPECT_TRUE(ui::WaitUntil([&] { return ui::TextOf(view).size() > shown + 1000; }));
        EXPECT_EQ(Selection(view).first, caret);
        EXPECT_EQ(PaneText(frame, 1), "");
        ::PostMessageA(frame, WM_COMMAND, kGoDown, 0);
        EXPECT_TRUE(ui::WaitUntil([&] { return Follows(frame, view); }));
        EXPECT_EQ(server.Stop(), 0);
        EXPECT_TRUE(ui::WaitUntil([&] { return ShowsAndFollows(frame, view, log); }));

        // Cut short by another process: shown from its new start, still followed, and the
        // tree's label follows the size.
        EXPECT_EQ(CLogProbe::RunOnce("cut " + quoted), 0);
        EXPECT_TRUE(ui::WaitUntil([&] { return ShowsAndFollows(frame, view, log); }));
        EXPECT_EQ(PaneText(frame, 0), "The log got shorter: it is shown from its new start.");
        EXPECT_TRUE(ui::WaitUntil([&] {
            return ReadTree(TreeOf(frame))[0].text == LogItemLabel("error.log", testpaths::FileText(log).size(), true);
        }));

        // Rotated by renaming, then deleted and made again at once: the new log is shown each
        // time, and the viewer lets go of the deleted one within a second.
        EXPECT_EQ(CLogProbe::RunOnce("rotate " + quoted + " \"" + log + ".1\""), 0);
        EXPECT_TRUE(ui::WaitUntil([&] { return ui::TextOf(view) == "new log\n" && Follows(frame, view); }));
        ::SendMessageA(view, WM_KEYDOWN, VK_UP, 0);  // not following: a new log is followed all the same
        EXPECT_EQ(CLogProbe::RunOnce("delete " + quoted), 0);
        unsigned long waited = 99999;
        std::sscanf(testpaths::FileText(log + ".probe-report").c_str(), "waited=%lu", &waited);
        EXPECT_LT(waited, 1000u);
        EXPECT_TRUE(ui::WaitUntil([&] { return PaneText(frame, 0).find("A new log was made") == 0; }));

        // Deleted for good: what was shown stays, and the name is free within a second.
        EXPECT_TRUE(::DeleteFileA(log.c_str()));
        EXPECT_TRUE(ui::WaitUntil([&] { return PaneText(frame, 0).find("The log is gone") == 0; }));
        EXPECT_TRUE(ui::WaitUntil([&] { return ::GetFileAttributesA(log.c_str()) == INVALID_FILE_ATTRIBUTES; }, 1000));
        EXPECT_EQ(ui::TextOf(view), "new log\n");

        // Made again by the server; Clear while following empties the view and goes on.
        EXPECT_TRUE(server.StartAppending(log, 2));
        EXPECT_TRUE(ui::WaitUntil([&] { return ui::TextOf(view).find("probe") == 0 && Follows(frame, view); }));
        SelectItem(TreeOf(frame), ReadTree(TreeOf(frame))[0].handle);
        Command(frame, kClear);
        EXPECT_TRUE(AnswerBox("Clear log", IDYES));
        EXPECT_EQ(server.Stop(), 0);
        EXPECT_TRUE(ui::WaitUntil([&] { return ShowsAndFollows(frame, view, log); }));
        EXPECT_LT(testpaths::FileText(log).size(), 400u * CLogProbe::Line(0).size()) << "cleared while written";

        // The button stops following, and the choice is kept.
        ::SendMessageA(frame, WM_COMMAND, kFollowEnd, 0);
        EXPECT_EQ(PaneText(frame, 1), "") << "told at once, not at the next idle time";
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(StoredInt("FollowEnd", -1), 0);

    // With following off a log opens at its start; F in the text turns it on again.
    ShowLog(log, [&](HWND frame, HWND view) {
        EXPECT_EQ(Selection(view).first, 0u);
        EXPECT_EQ(PaneText(frame, 1), "");
        ::PostMessageA(view, WM_CHAR, 'f', 0);
        EXPECT_TRUE(ui::WaitUntil([&] { return Follows(frame, view); }));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(StoredInt("FollowEnd", -1), 1);
}
