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

using ViewerFindTest = ViewerTest;

// The item texts of one popup of the frame's menu, each followed by '|'.
std::string MenuTexts(HWND frame, int popup)
{
    HMENU menu = ::GetSubMenu(::GetMenu(frame), popup);
    std::string texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        texts += std::string(text) + "|";
    }
    return texts;
}
}  // namespace

TEST_F(ViewerFindTest, FindFromTheMenuRunsOnKeysAloneAndKeepsTheMatchInSight)
{
    LauncherLogList list;
    list.Add(Log("find.log", "first line\r\nsecond line with needle here\r\nthird\r\n"));
    ViewerRun run;
    std::string fileMenu, editMenu;
    std::pair<DWORD, DWORD> found;
    ColourOnScreen match;
    RECT dialogRect{};
    bool tabMoved = false, boxInFront = false, escClosed = false;
    run.Run(list.Get(), [&](HWND frame) {
        fileMenu = MenuTexts(frame, kFileMenu);
        editMenu = MenuTexts(frame, kEditMenu);
        OpenLog(frame, ReadTree(TreeOf(frame))[0].handle, "find.log");
        HWND view = TextViewOf(frame);
        Command(frame, kGoUp);
        ui::ChooseMenu(frame, {"Edit", "Find"});
        HWND dialog = ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Find", 5000);
        HWND what = ::GetDlgItem(dialog, kFindWhat);
        ::SetWindowTextA(what, "needle");
        ui::PressKey(VK_RETURN);
        ui::WaitUntil([&] { return (found = Selection(view)).second == 35; }, 5000);
        // The match, highlighted while the dialog has the focus, shows among the first lines.
        const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        ui::WaitUntil([&] { return (match = FindColourOnScreen(view, highlight, kFirstLines)).count > 0; }, 3000);
        ::GetWindowRect(dialog, &dialogRect);
        SaveScreenPng("brenlo-find-match");
        ui::PressKey(VK_TAB);
        tabMoved = ui::WaitUntil(
            [&] {
                HWND focus = ui::FocusOf(dialog);
                return focus != what && ::IsChild(dialog, focus);
            },
            3000);
        ::SetWindowTextA(what, "absent");
        ui::PressKey(VK_RETURN);
        HWND box = nullptr;
        ui::WaitUntil(
            [&] {
                for (HWND wnd : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770", "Find"))
                    box = wnd != dialog ? wnd : box;
                return box != nullptr;
            },
            5000);
        boxInFront = box && ::GetForegroundWindow() == box && ::GetWindow(box, GW_OWNER) == dialog;
        ui::AnswerMessageBox(box, IDOK);
        ui::WaitUntil([&] { return ::GetForegroundWindow() == dialog; }, 5000);
        ui::PressKey(VK_ESCAPE);
        escClosed = ui::WaitUntil([&] { return !::IsWindow(dialog); }, 5000);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(fileMenu, "Save &As...\tCtrl+S||&Clear|Clear a&ll||&Print\tCtrl+P|Print pre&view||E&xit|");
    EXPECT_EQ(editMenu, "&Copy\tCtrl+C||&Find\tCtrl+F|Find &Next\tF3|");
    EXPECT_EQ(found, std::make_pair(DWORD{29}, DWORD{35})) << "Return runs Find Next";
    EXPECT_GE(match.count, 6 * 4) << "the match shows in the highlight colours";
    RECT overlap{};
    EXPECT_FALSE(::IntersectRect(&overlap, &match.bounds, &dialogRect)) << "the dialog keeps off the match";
    EXPECT_TRUE(tabMoved) << "Tab moves through the dialog";
    EXPECT_TRUE(boxInFront) << "\"Cannot find\" comes up in front, owned by the dialog";
    EXPECT_TRUE(escClosed) << "Esc closes the dialog";
}
