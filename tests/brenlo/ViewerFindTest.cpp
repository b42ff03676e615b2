// Find in the log view as a user works it: from the Edit menu, then by keys alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Screenshot.h"
#include "UiDriver.h"
#include "ViewerFixture.h"

using namespace viewertest;

namespace {
constexpr int kFindWhat = 1152;  // the find dialog's text box
constexpr int kEditMenu = 1;
constexpr int kFirstLines = 64;  // pixels: the first lines of a view

class ViewerFindTest : public ViewerTest {};

HWND FocusOf(DWORD thread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// The top-level window this window owns, once there is one.
HWND WaitForOwned(HWND owner)
{
    HWND owned = nullptr;
    ui::WaitUntil([&] {
        for (HWND wnd : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770"))
            owned = ::GetWindow(wnd, GW_OWNER) == owner ? wnd : owned;
        return owned != nullptr;
    }, 5000);
    return owned;
}
}  // namespace

TEST_F(ViewerFindTest, FindFromTheMenuRunsOnKeysAloneAndKeepsTheMatchInSight)
{
    LauncherLogList list;
    list.Add(Log("find.log", "first line\r\nsecond line with needle here\r\nthird\r\n"));
    ViewerRun run;
    std::string fileKeys, editItems;
    std::pair<DWORD, DWORD> found;
    ColourOnScreen match;
    RECT dialogRect{};
    bool tabMoved = false, boxInFront = false, escClosed = false;
    run.Run(list.Get(), [&](HWND frame) {
        HMENU menu = ::GetMenu(frame);
        for (int i = 0; i < ::GetMenuItemCount(::GetSubMenu(menu, kFileMenu)); ++i) {
            char text[64] = {};
            if (::GetMenuStringA(::GetSubMenu(menu, kFileMenu), i, text, sizeof(text), MF_BYPOSITION) > 0)
                fileKeys += std::string(text).find('&') == std::string::npos ? "-" : "&";
        }
        for (int i = 0; i < ::GetMenuItemCount(::GetSubMenu(menu, kEditMenu)); ++i) {
            char text[64] = {};
            ::GetMenuStringA(::GetSubMenu(menu, kEditMenu), i, text, sizeof(text), MF_BYPOSITION);
            editItems += std::string(text) + "|";
        }
        OpenLog(frame, ReadTree(TreeOf(frame))[0].handle, "find.log");
        HWND view = TextViewOf(frame);
        Command(frame, kGoUp);
        ui::ChooseMenu(frame, {"Edit", "Find"});
        HWND dialog = ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Find", 5000);
        HWND what = ::GetDlgItem(dialog, kFindWhat);
        ::SetWindowTextA(what, "needle");
        ui::PressKey(VK_RETURN);
        ui::WaitUntil([&] { return Selection(view).second == 35; }, 5000);
        found = Selection(view);
        // The match, highlighted while the dialog has the focus, is seen on the screen among
        // the first lines.
        const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        ui::WaitUntil([&] { return (match = FindColourOnScreen(view, highlight, kFirstLines)).count > 0; }, 3000);
        ::GetWindowRect(dialog, &dialogRect);
        SaveScreenPng("brenlo-find-match");
        ui::PressKey(VK_TAB);
        tabMoved = ui::WaitUntil([&] {
            HWND focus = FocusOf(run.CallerThread());
            return focus != what && ::IsChild(dialog, focus);
        }, 3000);
        ::SetWindowTextA(what, "absent");
        ui::PressKey(VK_RETURN);
        HWND box = WaitForOwned(dialog);
        boxInFront = box && ::GetForegroundWindow() == box;
        ui::AnswerMessageBox(box, IDOK);
        ui::WaitUntil([&] { return !::IsWindow(box) && ::GetForegroundWindow() == dialog; }, 5000);
        ui::PressKey(VK_ESCAPE);
        escClosed = ui::WaitUntil([&] { return !::IsWindow(dialog); }, 5000);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(fileKeys, "&&&&&&") << "every File item has an access key";
    EXPECT_EQ(editItems, "&Copy\tCtrl+C||&Find\tCtrl+F|Find &Next\tF3|");
    EXPECT_EQ(found, std::make_pair(DWORD{29}, DWORD{35})) << "Return runs Find Next";
    RECT overlap{};
    EXPECT_GE(match.count, 6 * 4) << "the match shows in the highlight colours";
    EXPECT_FALSE(::IntersectRect(&overlap, &match.bounds, &dialogRect)) << "the dialog keeps off the match";
    EXPECT_TRUE(tabMoved) << "Tab moves through the dialog";
    EXPECT_TRUE(boxInFront) << "\"Cannot find\" comes up in front";
    EXPECT_TRUE(escClosed) << "Esc closes the dialog";
}
