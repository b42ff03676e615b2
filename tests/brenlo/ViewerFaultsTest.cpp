// The viewer end to end where it went wrong once: a second call while a viewer is open, a
// window that froze while Clear waited for a busy log, and a damaged tree width.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "Handles.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "StoredRecords.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerFixture.h"

using namespace viewertest;

namespace {
constexpr DWORD kAnswerWithinMs = 150;  // a busy retry used to hold the window for 250 ms

class ViewerFaultsTest : public ViewerTest {
protected:
    void StoreFrame(int width, int height)
    {
        PlacementRecord stored;
        stored.showCmd = SW_SHOWNORMAL;
        stored.left = 30;
        stored.top = 30;
        stored.right = 30 + width;
        stored.bottom = 30 + height;
        auto bytes = stored.Encode();
        ASSERT_TRUE(m_registry.Store().SetProfileBinary("Settings", "MainWindow", bytes.data(), bytes.size()));
    }

    // A log in the work folder, held open as another program may hold it: reading, with
    // only reading shared, so that Clear cannot empty it. The holder is in m_holder.
    std::string HeldLog(const std::string& name)
    {
        const std::string path = Log(name, "held line\r\n");
        m_holder = CFileHandle(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        return path;
    }

    CFileHandle m_holder;
};

// The colours of the 16 x 16 picture in the middle of a toolbar button, by count.
std::map<COLORREF, int> PictureColours(HWND toolbar, const std::vector<COLORREF>& pixels, UINT id)
{
    RECT client{}, button{};
    ::GetClientRect(toolbar, &client);
    ::SendMessageA(toolbar, TB_GETRECT, id, reinterpret_cast<LPARAM>(&button));
    const int left = (button.left + button.right) / 2 - 8;
    const int top = (button.top + button.bottom) / 2 - 8;
    std::map<COLORREF, int> colours;
    for (int y = std::max(top, 0); y < top + 16 && y < client.bottom; ++y) {
        for (int x = std::max(left, 0); x < left + 16 && x < client.right; ++x)
            ++colours[pixels[static_cast<std::size_t>(y) * client.right + x]];
    }
    return colours;
}

int WidthOf(HWND wnd)
{
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r.right - r.left;
}
}  // namespace

TEST_F(ViewerFaultsTest, ASecondCallWithTheSameVariableLeavesItHoldingTheOpenViewer)
{
    LauncherLogList list;
    list.Add(Log("first.log", "one\r\n"));
    ViewerRun run;
    HWND frameSeen = nullptr;
    HWND sameVariable = nullptr, ownVariable = nullptr;
    int nestedSame = -1, nestedOwn = -1;
    bool answersFormatChange = false;
    int result = run.Run(list.Get(), [&](HWND frame) {
        frameSeen = frame;
        run.PostNestedCall(list.Get(), true);
        ui::WaitUntil([&] { return run.NestedResult() != -1; });
        nestedSame = run.NestedResult();
        sameVariable = run.FrameVariable();
        run.PostNestedCall(list.Get(), false);
        ui::WaitUntil([&] { return run.NestedResult() != -1; });
        nestedOwn = run.NestedResult();
        ownVariable = run.NestedVariable();
        // The Launcher still reaches the viewer through its variable.
        DWORD_PTR answer = 1;
        answersFormatChange =
            ::SendMessageTimeoutA(run.FrameVariable(), 0x503, 4, 0, SMTO_NORMAL, 3000, &answer) && answer == 0;
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(nestedSame, 1);
    EXPECT_EQ(nestedOwn, 1);
    EXPECT_EQ(sameVariable, frameSeen);
    EXPECT_EQ(ownVariable, frameSeen);
    EXPECT_TRUE(answersFormatChange);
    EXPECT_EQ(run.FrameVariable(), nullptr);
}

// Clear all with one log held without write sharing: the busy log is tried again for about
// a second, and all that time the window paints and answers at once.
TEST_F(ViewerFaultsTest, TheWindowStaysResponsiveWhileClearAllWaitsForABusyLog)
{
    const std::string free = Log("free.log", "free line\r\n");
    const std::string held = HeldLog("held.log");
    ASSERT_TRUE(m_holder);
    LauncherLogList list;
    list.Add(free);
    list.Add(held);

    ViewerRun run;
    bool answered = false, told = false, repainted = false;
    int pings = 0, slowPings = 0;
    DWORD slowest = 0;
    std::string failure;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        Command(frame, kClearAll);
        answered = AnswerBox("Clear all logs", IDYES);
        // Until the failure is told, the retries run: ping the window and make it repaint.
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < 700 &&
               !ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Tessaly", 0)) {
            const DWORD sent = ::GetTickCount();
            DWORD_PTR answer = 0;
            const bool ok = ::SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerWithinMs, &answer) != 0;
            const DWORD took = ::GetTickCount() - sent;
            ++pings;
            slowest = std::max(slowest, took);
            if (!ok)
                ++slowPings;
            if (!repainted) {
                ::InvalidateRect(tree, nullptr, TRUE);
                repainted = ui::WaitUntil([&] { return !::GetUpdateRect(tree, nullptr, FALSE); }, kAnswerWithinMs);
            }
            ::Sleep(30);
        }
        told = AnswerBox("Tessaly", IDOK, &failure);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(answered);
    EXPECT_GT(pings, 3);
    // One late answer may come from a loaded machine; a window held by the retries misses
    // one answer for each of them.
    EXPECT_LE(slowPings, 1) << "slowest answer " << slowest << " ms";
    EXPECT_TRUE(repainted);
    EXPECT_TRUE(told);
    EXPECT_EQ(failure, "Cannot clear these logs:\n" + held + "\n    The file is in use by another program.");
    EXPECT_EQ(testpaths::FileSize(free), 0u);
    EXPECT_EQ(testpaths::FileSize(held), 11u);
}

TEST_F(ViewerFaultsTest, ClosingTheViewerWhileClearWaitsForABusyLogEndsTheCallQuietly)
{
    const std::string held = HeldLog("held.log");
    ASSERT_TRUE(m_holder);
    LauncherLogList list;
    list.Add(held);
    ViewerRun run;
    bool answered = false;
    int result = run.Run(list.Get(), [&](HWND frame) {
        Command(frame, kClearAll);
        answered = AnswerBox("Clear all logs", IDYES);
        // The clear waits for the log on its timer once the window's thread is back in its loop.
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(answered);
    EXPECT_EQ(run.FrameVariable(), nullptr);
    // The retries ended with the window: nothing is told afterwards and the log is whole.
    MSG message{};
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 1500) {
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        ::Sleep(20);
    }
    EXPECT_TRUE(ui::TopLevelWindows(::GetCurrentProcessId(), "#32770", "Tessaly", false).empty());
    EXPECT_EQ(testpaths::FileSize(held), 11u);
}

TEST_F(ViewerFaultsTest, ADamagedTreeWidthOpensAUsableTreeAndIsNotStoredAgain)
{
    StoreFrame(700, 500);
    LauncherLogList list;
    list.Add(Log("access.log", "line\r\n"), "Server");
    struct Case {
        int stored;
        int treeWidth = 0;
        int textWidth = 0;
        int storedAfter = 0;
    };
    Case cases[] = {{0}, {-7}, {100000}};
    for (Case& c : cases) {
        ASSERT_TRUE(m_registry.Store().SetProfileInt("Settings", "LeftPane", c.stored));
        ViewerRun run;
        EXPECT_EQ(run.Run(list.Get(),
                          [&](HWND frame) {
                              c.treeWidth = WidthOf(TreeOf(frame));
                              c.textWidth = WidthOf(TextViewOf(frame));
                              ::PostMessageA(frame, WM_CLOSE, 0, 0);
                          }),
                  1);
        c.storedAfter = m_registry.Store().ProfileInt("Settings", "LeftPane", -1);
    }
    EXPECT_EQ(cases[0].treeWidth, 100);
    EXPECT_EQ(cases[1].treeWidth, 100);
    // Wider than the screen: the log text keeps its room beside the tree.
    EXPECT_GT(cases[2].treeWidth, 400);
    EXPECT_GE(cases[2].textWidth, 80);
    for (const Case& c : cases)
        EXPECT_EQ(c.storedAfter, c.treeWidth) << c.stored;
}

// A disabled button shows its picture greyed as Windows greys it: the outline in the shadow
// colour with a light edge, the rest plain face; never a grey square.
TEST_F(ViewerFaultsTest, DisabledToolbarButtonsShowTheirPictureGreyed)
{
    LauncherLogList list;
    list.Add(Log("access.log", "line\r\n"), "Server");  // a group item has nothing to clear
    ViewerRun run;
    std::map<COLORREF, int> clear, print;
    COLORREF face = 0;
    bool states = false;
    std::string shot;
    int result = run.Run(list.Get(), [&](HWND frame) {
        HWND toolbar = ui::FindChild(frame, TOOLBARCLASSNAMEA);
        states = ui::WaitUntil([&] {
            return !::SendMessageA(toolbar, TB_ISBUTTONENABLED, kClear, 0) &&
                   ::SendMessageA(toolbar, TB_ISBUTTONENABLED, kFilePrint, 0);
        });
        // Once the bar has painted its pictures (Print's black outline is there), read it.
        std::vector<COLORREF> pixels;
        ui::WaitUntil([&] {
            pixels = ClientPixels(toolbar);
            return PictureColours(toolbar, pixels, kFilePrint)[RGB(0, 0, 0)] > 0;
        });
        std::map<COLORREF, int> all;
        for (COLORREF pixel : pixels)
            ++all[pixel];
        face = std::max_element(all.begin(), all.end(), [](const auto& a, const auto& b) {
                   return a.second < b.second;
               })->first;
        clear = PictureColours(toolbar, pixels, kClear);
        print = PictureColours(toolbar, pixels, kFilePrint);
        shot = SaveWindowPng(frame, "brenlo-toolbar-disabled-buttons");
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 1);
    ASSERT_TRUE(states);
    EXPECT_FALSE(shot.empty());
    // Clear's picture: a page with a red cross. Greyed, its white page and the face stay face.
    std::string seen;
    for (const auto& [colour, count] : clear)
        seen += std::to_string(count) + " of " + std::to_string(colour) + "; ";
    EXPECT_GE(clear[face], 256 * 2 / 5) << seen;
    EXPECT_GE(clear[::GetSysColor(COLOR_3DSHADOW)], 30) << seen;
    if (::GetSysColor(COLOR_3DHILIGHT) != face) {
        EXPECT_GE(clear[::GetSysColor(COLOR_3DHILIGHT)], 10) << seen;
    }
    EXPECT_EQ(clear[RGB(200, 0, 0)] + clear[RGB(0, 0, 0)], 0) << seen;
    // Print, enabled, keeps its own colours on the bar's face.
    EXPECT_GE(print[face], 256 / 3);
    EXPECT_GE(print[RGB(0, 0, 0)], 30);
    EXPECT_GE(print[RGB(224, 224, 224)], 20);
}
