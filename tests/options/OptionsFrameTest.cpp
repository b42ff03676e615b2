// The Options dialog's frame through DoOptions, as the Launcher and a user meet it: the
// tree and its order, pages created on first selection and hidden when left, Ctrl+Tab, the
// Apply button, what OK, Apply and Cancel write and return, and help for the shown page.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "FakeLauncher.h"
#include "Gdi.h"
#include "GeneralFlags.h"
#include "Handles.h"
#include "HelpEngineStandIn.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "resource.h"

using namespace optionstest;

namespace {

struct ExpectedRow {
    const char* text;
    int depth;
};
constexpr ExpectedRow kTree[] = {
    {"General", 0},    {"Command lines", 1},   {"Other", 1},
    {"Scrivel", 0},    {"Format", 1},          {"Hosts and projects", 0},
    {"Browsers", 1},   {"Server info", 0},     {"Compiled-in modules", 1},
    {"Directives", 1}, {"Parsed settings", 1},
};

HWND Apply(HWND dialog)
{
    return ::GetDlgItem(dialog, ID_APPLY_NOW);
}

// The caption header's colour as the screen shows it, at the middle of its left or right
// end column.
COLORREF HeaderEnd(HWND dialog, bool right)
{
    HWND header = ::GetDlgItem(dialog, IDC_CAPTION_HEADER);
    RECT r;
    ::GetClientRect(header, &r);
    return CClientDC(header).GetPixel(right ? r.right - 1 : 0, (r.top + r.bottom) / 2);
}

bool Near(COLORREF a, COLORREF b)
{
    auto close = [](int x, int y) { return x - y <= 3 && y - x <= 3; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

std::string HostPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

}  // namespace

TEST(OptionsFrame, OpensOnGeneralCreatesPagesWhenFirstShownAndStepsWithCtrlTab)
{
    CRegistrySandbox sandbox;
    // A stored (empty) file list: without one the Scrivel page writes its defaults and
    // counts as changed.
    sandbox.Store().CreateKey(settings::kFilesKey);
    OptionsRun run;
    std::vector<HWND> pagesAfterTour;
    const int result = run.Run(nullptr, [&](HWND dialog) {
        EXPECT_EQ(Text(dialog), "Options");
        const auto rows = ReadTree(TreeOf(dialog));
        ASSERT_EQ(rows.size(), std::size(kTree));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].text, kTree[i].text);
            EXPECT_EQ(rows[i].depth, kTree[i].depth) << rows[i].text;
            EXPECT_EQ(rows[i].data, static_cast<LPARAM>(i)) << "item data is the row index";
        }
        EXPECT_EQ(SelectedPage(dialog), 0);
        EXPECT_FALSE(::IsWindowEnabled(Apply(dialog))) << "nothing changed yet";
        ASSERT_EQ(PageWindows(dialog).size(), 1u) << "only General exists";
        HWND general = VisiblePage(dialog);
        ASSERT_NE(PageWith(dialog, IDC_START_SERVER), nullptr);
        EXPECT_EQ(general, PageWith(dialog, IDC_START_SERVER));
        SaveWindowPng(dialog, "options-general");
        // The header runs from the button face to the colour of the page's group.
        EXPECT_TRUE(WaitUntil([&] { return Near(HeaderEnd(dialog, true), RGB(0, 0, 0)); }));
        EXPECT_TRUE(Near(HeaderEnd(dialog, false), ::GetSysColor(COLOR_BTNFACE)));
        EXPECT_EQ(ui::FocusOf(dialog), TreeOf(dialog)) << "the tree has the focus after a page switch";
        PressKeys(dialog, VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return ::GetParent(ui::FocusOf(dialog)) == general; }))
            << "Tab moves from the tree into the shown page";
        PressKeys(dialog, VK_TAB, false, true);
        EXPECT_TRUE(WaitUntil([&] { return ui::FocusOf(dialog) == TreeOf(dialog); })) << "and Shift+Tab out of it";

        // Ctrl+Tab from the tree: every page once, in list order, then back to General.
        for (int step = 1; step <= 11; ++step) {
            PressKeys(dialog, VK_TAB, true);
            const int expected = step % 11;
            EXPECT_TRUE(WaitUntil([&] { return SelectedPage(dialog) == expected; })) << "step " << step;
            EXPECT_EQ(PageWindows(dialog).size(), static_cast<std::size_t>(step < 11 ? step + 1 : 11));
            int visible = 0;
            for (HWND page : PageWindows(dialog))
                visible += ::IsWindowVisible(page) ? 1 : 0;
            EXPECT_EQ(visible, 1) << "the page left is hidden";
        }
        pagesAfterTour = PageWindows(dialog);
        // The pages own their image lists; a list view that destroyed them too would make two owners.
        int lists = 0;
        for (HWND page : pagesAfterTour)
            for (HWND list : ui::FindChildren(page, WC_LISTVIEWA)) {
                EXPECT_TRUE(::GetWindowLongA(list, GWL_STYLE) & LVS_SHAREIMAGELISTS) << ::GetDlgCtrlID(list);
                ++lists;
            }
        EXPECT_EQ(lists, 3);
        EXPECT_EQ(VisiblePage(dialog), general) << "General's window was kept, not made again";
        EXPECT_FALSE(::IsWindowEnabled(Apply(dialog))) << "pages without changes";

        // The pages take input once shown: Format and Command lines.
        ASSERT_TRUE(SelectPage(dialog, 4));
        HWND format = PageWith(dialog, IDC_SYNTAX_COLORING);
        ASSERT_NE(format, nullptr);
        EXPECT_TRUE(Enabled(format, IDC_SYNTAX_COLORING));
        EXPECT_TRUE(Enabled(format, IDC_DEFAULT));
        ASSERT_TRUE(SelectPage(dialog, 1));
        HWND commandLines = PageWith(dialog, IDC_CMD_START);
        ASSERT_NE(commandLines, nullptr);
        EXPECT_TRUE(Enabled(commandLines, IDC_CMD_START));
        EXPECT_TRUE(Enabled(commandLines, IDC_DEFAULT));

        // Ctrl+Tab while the focus is inside a page: from Other to Scrivel.
        ASSERT_TRUE(SelectPage(dialog, 2));
        HWND other = PageWith(dialog, IDC_SHOW_TOOLTIPS);
        Press(other, IDC_SHOW_TOOLTIPS);
        Press(other, IDC_SHOW_TOOLTIPS);
        EXPECT_TRUE(::IsWindowEnabled(Apply(dialog))) << "a click is a change, even one that is undone";
        PressKeys(dialog, VK_TAB, true);
        EXPECT_TRUE(WaitUntil([&] { return SelectedPage(dialog) == 3; }));
        EXPECT_TRUE(WaitUntil([&] { return Near(HeaderEnd(dialog, true), RGB(0, 48, 0)); })) << "Scrivel's green";

        // Esc with the focus inside a page cancels the dialog.
        ASSERT_TRUE(SelectPage(dialog, 2));
        Press(other, IDC_SHOW_TOOLTIPS);
        ASSERT_EQ(::GetParent(ui::FocusOf(dialog)), other);
        PressKeys(dialog, VK_ESCAPE);
        WaitUntil([&] { return !::IsWindow(dialog); });
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(pagesAfterTour.size(), 11u);
    EXPECT_NE(run.DialogVariable(), nullptr) << "DoOptions leaves the handle it wrote";
    EXPECT_EQ(sandbox.Store().ReadGeneral(), settings::kGeneralDefault) << "Cancel wrote nothing";
}

TEST(OptionsFrame, ApplyWritesChangedPagesOkAfterApplyWritesNothingAndCancelKeepsWhatWasApplied)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    OptionsRun run;
    // A Run value that the General page would delete if it saved.
    store.WriteString(settings::kRunKey, settings::kRunValue, "someone else's");

    int result = run.Run(nullptr, [&](HWND dialog) {
        ASSERT_TRUE(SelectPage(dialog, 2));
        HWND other = PageWith(dialog, IDC_SHOW_SHUTDOWN_INFO);
        ASSERT_NE(other, nullptr);
        Press(other, IDC_SHOW_SHUTDOWN_INFO);
        EXPECT_TRUE(::IsWindowEnabled(Apply(dialog)));
        // Clicked, Apply takes the focus and then disables itself: the focus goes on to the tree.
        ui::BringToFront(dialog);
        ui::ClickAt(Apply(dialog), 5, 5);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(Apply(dialog)); }));
        EXPECT_EQ(ui::FocusOf(dialog), TreeOf(dialog));
        EXPECT_FALSE(general::Has(store.ReadGeneral(), general::kShowShutdownInfo)) << "Apply wrote Other";
        EXPECT_EQ(store.GetString(settings::kRunKey, settings::kRunValue).value_or(""), "someone else's")
            << "General was not changed, so it did not save";

        // OK after Apply: nothing was changed since, so nothing is written.
        store.SetProfileInt("Settings", "General", 0x12345);
        Close(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(store.ReadGeneral(), 0x12345u);

    result = run.Run(nullptr, [&](HWND dialog) {
        HWND general = PageWith(dialog, IDC_START_SERVER);
        Press(general, IDC_START_SERVER);
        Press(Apply(dialog));
        Press(general, IDC_TEST_BEFORE_START);
        EXPECT_TRUE(::IsWindowEnabled(Apply(dialog)));
        Close(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(store.ReadGeneral(), 0x12345u & ~general::kStartWithLauncher) << "applied, then cancelled";
    EXPECT_FALSE(store.GetString(settings::kRunKey, settings::kRunValue).has_value())
        << "General saved its unchecked Run entry";

    // OK saves the changed pages and closes.
    result = run.Run(nullptr, [&](HWND dialog) {
        Press(PageWith(dialog, IDC_START_SERVER), IDC_START_SERVER);
        Close(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(general::Has(store.ReadGeneral(), general::kStartWithLauncher));
}

TEST(OptionsFrame, TheDialogIsOwnedByTheCallersActiveWindowAndSendsNothingForGeneralAndOther)
{
    CRegistrySandbox sandbox;
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());
    HWND owner = ::CreateWindowExA(0, "STATIC", "Launcher", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr);
    ::SetActiveWindow(owner);
    OptionsRun run;
    const int result = run.Run(launcher.Window(), [&](HWND dialog) {
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), owner);
        EXPECT_FALSE(::IsWindowEnabled(owner)) << "disabled while the dialog runs";
        HWND second = nullptr;
        EXPECT_EQ(OptionsExport()(launcher.Window(), &second, nullptr), -1) << "one dialog at a time";
        EXPECT_EQ(second, nullptr);
        Press(PageWith(dialog, IDC_START_SERVER), IDC_HIDE_CONSOLE);
        ASSERT_TRUE(SelectPage(dialog, 2));
        Press(PageWith(dialog, IDC_SHOW_TOOLTIPS), IDC_SHOW_TOOLTIPS);
        Close(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
    for (const LauncherNotice& notice : launcher.Notices())
        EXPECT_EQ(notice.code, LN_SPLASH_CONTROL) << "General and Other save without notifications";
}

TEST(OptionsFrame, F1OpensTheShownPagesTopicInTheHelpFileBesideTheHost)
{
    CRegistrySandbox sandbox;
    CHelpEngineStandIn help;
    std::string folder = HostPath();
    folder.erase(folder.rfind('\\'));
    OptionsRun run;
    run.Run(nullptr, [&](HWND dialog) {
        PressKeys(dialog, VK_F1);
        EXPECT_TRUE(WaitUntil([&] { return help.Calls().find("opt_1.htm") != std::string::npos; })) << help.Calls();
        ASSERT_TRUE(SelectPage(dialog, 9));
        PressKeys(dialog, VK_F1);
        EXPECT_TRUE(WaitUntil([&] { return help.Calls().find("opt_10.htm") != std::string::npos; })) << help.Calls();
        Close(dialog, IDCANCEL);
    });
    const std::string calls = help.Calls();
    EXPECT_NE(calls.find("00000000|" + folder + "\\Tessaly.chm::/opt_1.htm|0|0\n"), std::string::npos) << calls;
    EXPECT_NE(calls.find("00000000|" + folder + "\\Tessaly.chm::/opt_10.htm|0|0\n"), std::string::npos) << calls;
}
