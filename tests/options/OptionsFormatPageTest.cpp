// The Format page through DoOptions: the colour items with colouring on and off, "Case
// sensitive" following colouring, the tab width's limits, "Default" and the font caption, a
// colour chosen in the real colour dialog changing only its own item, and Cancel writing
// nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeLauncher.h"
#include "LauncherLink.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "UiDriver.h"
#include "resource.h"

using namespace optionstest;

namespace {

constexpr int kFormatPage = 4;
constexpr char kFormatSection[] = "Settings\\Format";

int OnFormatPage(const std::function<void(HWND dialog, HWND page)>& user, int button = IDOK)
{
    OptionsRun run;
    return run.Run(nullptr, [&](HWND dialog) {
        ASSERT_TRUE(SelectPage(dialog, kFormatPage));
        HWND page = PageWith(dialog, IDC_SYNTAX_COLORING);
        ASSERT_NE(page, nullptr);
        user(dialog, page);
        Close(dialog, button);
    });
}

struct Item {
    std::string text;
    LRESULT data;
    bool operator==(const Item&) const = default;
};

std::vector<Item> ColorItems(HWND page)
{
    HWND combo = ::GetDlgItem(page, IDC_COLOR_ITEM);
    std::vector<Item> items;
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back({text, ::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)});
    }
    return items;
}

void SelectItem(HWND page, const char* text)
{
    HWND combo = ::GetDlgItem(page, IDC_COLOR_ITEM);
    const LRESULT at =
        ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_COLOR_ITEM, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// An arrow of the up-down as the control reports it; the position moves only when allowed.
int Step(HWND page, int delta)
{
    HWND spin = ::GetDlgItem(page, IDC_TAB_WIDTH_SPIN);
    const int before = LOWORD(::SendMessageA(spin, UDM_GETPOS, 0, 0));
    NMUPDOWN change{};
    change.hdr.hwndFrom = spin;
    change.hdr.idFrom = IDC_TAB_WIDTH_SPIN;
    change.hdr.code = UDN_DELTAPOS;
    change.iPos = before;
    change.iDelta = delta;
    if (::SendMessageA(page, WM_NOTIFY, IDC_TAB_WIDTH_SPIN, reinterpret_cast<LPARAM>(&change)) == 0)
        ::SendMessageA(spin, UDM_SETPOS, 0, MAKELONG(before + delta, 0));
    return LOWORD(::SendMessageA(spin, UDM_GETPOS, 0, 0));
}

// Chooses `colour` for `item` in the real colour dialog (its red, green and blue boxes).
void PickColour(HWND dialog, HWND page, const char* item, COLORREF colour)
{
    SelectItem(page, item);
    ::PostMessageA(::GetDlgItem(page, IDC_COLOR_BUTTON), BM_CLICK, 0, 0);
    HWND colors = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND w : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770"))
                if (w != dialog && ::IsWindowVisible(w) && ::GetDlgItem(w, 706))
                    colors = w;
            return colors != nullptr;
        },
        10000));
    ::SetDlgItemInt(colors, 706, GetRValue(colour), FALSE);
    ::SetDlgItemInt(colors, 707, GetGValue(colour), FALSE);
    ::SetDlgItemInt(colors, 708, GetBValue(colour), FALSE);
    SaveWindowPng(colors, "options-format-colour-dialog");
    ui::Click(::GetDlgItem(colors, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(colors); }));
}

// Pixels of exactly this colour on the screen inside the window.
int PixelsOf(HWND wnd, COLORREF colour)
{
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const std::vector<COLORREF> pixels = ScreenPixels(r);
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

}  // namespace

TEST(OptionsFormatPage, ColourItemsFollowColouringAndCaseSensitiveFollowsIt)
{
    CRegistrySandbox sandbox;
    OnFormatPage(
        [&](HWND dialog, HWND page) {
            const std::vector<Item> all{{"Background", 6}, {"Comment", 2},      {"Constant", 3}, {"Error mark", 9},
                                        {"Keyword", 1},    {"Number", 4},       {"Quote", 7},    {"Single Quote", 8},
                                        {"Text", 5},       {"Warning mark", 10}};
            EXPECT_EQ(ColorItems(page), all);
            EXPECT_TRUE(Enabled(page, IDC_CASE_SENSITIVE));
            EXPECT_EQ(Text(::GetDlgItem(page, IDC_FONT_BUTTON)), "Courier, 10");
            SaveWindowPng(dialog, "options-format-page");
            Press(page, IDC_CASE_SENSITIVE);
            Press(page, IDC_SYNTAX_COLORING);
            EXPECT_EQ(ColorItems(page), (std::vector<Item>{{"Background", 6}, {"Text", 5}}));
            EXPECT_FALSE(Enabled(page, IDC_CASE_SENSITIVE));
            EXPECT_TRUE(Checked(page, IDC_CASE_SENSITIVE)) << "the case flag keeps its value";
            EXPECT_TRUE(Enabled(dialog, ID_APPLY_NOW));
        },
        IDCANCEL);
    EXPECT_FALSE(sandbox.Store().KeyExists("Software\\Quorlane\\Tessaly\\Settings\\Format")) << "Cancel writes nothing";
}

TEST(OptionsFormatPage, TabWidthStaysWithinOneToThirtyOneAndDefaultRestoresIt)
{
    CRegistrySandbox sandbox;
    OnFormatPage([&](HWND, HWND page) {
        EXPECT_EQ(Step(page, 0), 4);
        for (int i = 0; i < 5; ++i)
            Step(page, -1);
        EXPECT_EQ(Step(page, 0), 1) << "never below 1";
        for (int i = 0; i < 40; ++i)
            Step(page, 1);
        EXPECT_EQ(Step(page, 0), 31) << "never above 31";
        Press(page, IDC_DEFAULT);
        EXPECT_EQ(Step(page, 0), 4);
        EXPECT_EQ(Text(::GetDlgItem(page, IDC_FONT_BUTTON)), "Courier, 10");
    });
    EXPECT_EQ(sandbox.Store().ProfileInt(kFormatSection, "TabWidth", -1), 4) << "OK stores the page's values";
}

TEST(OptionsFormatPage, AColourChosenForQuoteChangesOnlyQuote)
{
    CRegistrySandbox sandbox;
    OnFormatPage([&](HWND dialog, HWND page) {
        PickColour(dialog, page, "Quote", RGB(0x12, 0x34, 0x56));
        SelectItem(page, "Single Quote");
        Press(::GetDlgItem(dialog, ID_APPLY_NOW));
    });
    CSettingsStore& store = sandbox.Store();
    EXPECT_EQ(store.ProfileInt(kFormatSection, "Quote", -1), static_cast<int>(RGB(0x12, 0x34, 0x56)));
    EXPECT_EQ(store.ProfileInt(kFormatSection, "SingleQuote", -1), 0x800000);
    EXPECT_EQ(store.ProfileInt(kFormatSection, "Keyword", -1), 0xFF0000);
}

TEST(OptionsFormatPage, TheSampleShowsANewKeywordColourAndApplyTellsTheLauncher)
{
    CRegistrySandbox sandbox;
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());
    const COLORREF keyword = RGB(0xC0, 0x20, 0x90);
    OnFormatPage([&](HWND dialog, HWND page) {
        HWND sample = ::GetDlgItem(page, IDC_SAMPLE_PLACE);
        ASSERT_NE(sample, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return PixelsOf(sample, RGB(0, 0, 255)) > 0; })) << "keywords in blue";
        PickColour(dialog, page, "Keyword", keyword);
        EXPECT_TRUE(WaitUntil([&] { return PixelsOf(sample, keyword) > 0; })) << "the sample repaints";
        EXPECT_EQ(PixelsOf(sample, RGB(0, 0, 255)), 0);
        SaveWindowPng(dialog, "options-format-keyword-colour");
        EXPECT_TRUE(launcher.Notices().empty()) << "nothing before Apply";
        Press(::GetDlgItem(dialog, ID_APPLY_NOW));
        LauncherNotice notice;
        ASSERT_TRUE(launcher.WaitForCode(LN_FORMAT_CHANGED, 5000, &notice));
        EXPECT_FALSE(notice.sent);
        EXPECT_EQ(notice.lParam, 0);
    });
    EXPECT_EQ(sandbox.Store().ProfileInt(kFormatSection, "Keyword", -1), static_cast<int>(keyword));
}

TEST(OptionsFormatPage, CancelStoresNothingAndPostsNothing)
{
    CRegistrySandbox sandbox;
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());
    OnFormatPage(
        [&](HWND dialog, HWND page) {
            Press(page, IDC_AUTOINDENT);
            Press(page, IDC_SHOW_TABS);
            EXPECT_TRUE(Enabled(dialog, ID_APPLY_NOW));
        },
        IDCANCEL);
    // Nothing may come: watched for as long as a posted notice takes to arrive.
    EXPECT_FALSE(WaitUntil([&] { return !launcher.Notices().empty(); }, 200));
    EXPECT_FALSE(sandbox.Store().KeyExists("Software\\Quorlane\\Tessaly\\Settings\\Format"));
}

TEST(OptionsFormatPage, TheFontDialogGivesWholePointsAndTheCaption)
{
    CRegistrySandbox sandbox;
    OnFormatPage([&](HWND dialog, HWND page) {
        ::PostMessageA(::GetDlgItem(page, IDC_FONT_BUTTON), BM_CLICK, 0, 0);
        HWND fonts = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                for (HWND w : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770"))
                    if (w != dialog && ::IsWindowVisible(w) && ::GetDlgItem(w, cmb3))
                        fonts = w;
                return fonts != nullptr;
            },
            10000));
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(fonts, cmb2))) << "no style list";
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(fonts, chx1))) << "no effects";
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(fonts, cmb5))) << "the script list";
        HWND sizes = ::GetDlgItem(fonts, cmb3);
        ASSERT_GE(::SendMessageA(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("12")), 0);
        ::SendMessageA(fonts, WM_COMMAND, MAKEWPARAM(cmb3, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
        SaveWindowPng(fonts, "options-format-font-dialog");
        ui::Click(::GetDlgItem(fonts, IDOK));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(fonts); }));
        const std::string caption = Text(::GetDlgItem(page, IDC_FONT_BUTTON));
        EXPECT_EQ(caption.substr(caption.size() - 4), ", 12") << caption;
    });
    EXPECT_EQ(sandbox.Store().ProfileInt(kFormatSection, "FontSize", -1), 12);
}
