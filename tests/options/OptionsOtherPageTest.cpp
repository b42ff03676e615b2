// The Other page through DoOptions: the splash box offered by the Launcher through code 20
// (sent, with the box's window), its bits of "General" with every other bit kept, the menu
// hot key (its rules, its change marking, damaged stored codes) and the tips switched off at
// once by Apply.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "FakeLauncher.h"
#include "GeneralFlags.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "UiDriver.h"
#include "resource.h"

using namespace optionstest;

namespace {

// Opens the dialog on the Other page with `launcher` (may be null), lets `user` work there,
// then ends with `button`.
int OnOtherPage(HWND launcher, const std::function<void(HWND dialog, HWND page)>& user, int button = IDOK)
{
    OptionsRun run;
    return run.Run(launcher, [&](HWND dialog) {
        ASSERT_TRUE(SelectPage(dialog, 2));
        HWND page = PageWith(dialog, IDC_SHOW_SPLASH);
        ASSERT_NE(page, nullptr);
        user(dialog, page);
        Close(dialog, button);
    });
}

WORD HotKeyOf(HWND page)
{
    return static_cast<WORD>(::SendMessageA(::GetDlgItem(page, IDC_MENU_HOTKEY), HKM_GETHOTKEY, 0, 0));
}

}  // namespace

TEST(OptionsOtherPage, TheLauncherOffersTheSplashBoxWhileThePageIsMadeAndTheBitsOfOthersStay)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());
    HWND offered = nullptr;
    launcher.SetResponder([&](const LauncherNotice& notice) -> LRESULT {
        if (notice.code == LN_SPLASH_CONTROL) {
            offered = reinterpret_cast<HWND>(notice.lParam);
            ::EnableWindow(offered, TRUE);
        }
        return 1;
    });
    const std::uint32_t stored = ~(general::kOtherPageBits) | general::kShowTooltips;  // splash off
    store.SetProfileInt("Settings", "General", static_cast<int>(stored));

    OnOtherPage(launcher.Window(), [&](HWND dialog, HWND page) {
        const auto notices = launcher.Notices();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].code, LN_SPLASH_CONTROL);
        EXPECT_TRUE(notices[0].sent) << "sent, so the box's state can be read when it returns";
        EXPECT_EQ(offered, ::GetDlgItem(page, IDC_SHOW_SPLASH));
        EXPECT_TRUE(Enabled(page, IDC_SHOW_SPLASH));
        EXPECT_FALSE(Checked(page, IDC_SHOW_SPLASH)) << "the stored choice";
        EXPECT_FALSE(Checked(page, IDC_SHOW_SHUTDOWN_INFO));
        EXPECT_FALSE(Checked(page, IDC_ENABLE_HOTKEY));
        EXPECT_FALSE(Enabled(page, IDC_MENU_HOTKEY)) << "the hot key is off";
        SaveWindowPng(dialog, "options-other");

        Press(page, IDC_SHOW_SPLASH);
        Press(page, IDC_SHOW_SHUTDOWN_INFO);
        Press(page, IDC_ENABLE_HOTKEY);
        EXPECT_TRUE(Enabled(page, IDC_MENU_HOTKEY));
    });
    EXPECT_EQ(store.ReadGeneral(),
              stored | general::kShowSplash | general::kShowShutdownInfo | general::kEnableMenuHotkey);
    EXPECT_EQ(store.ReadHotkeyCode(), settings::kHotkeyCodeDefault);
    for (const LauncherNotice& notice : launcher.Notices())
        EXPECT_TRUE(notice.sent) << "nothing is posted for this page";
}

TEST(OptionsOtherPage, WithoutALauncherTheSplashBoxStaysDisabledAndItsStoredBitIsKept)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    OnOtherPage(nullptr, [](HWND, HWND page) {
        EXPECT_FALSE(Enabled(page, IDC_SHOW_SPLASH));
        EXPECT_TRUE(Checked(page, IDC_SHOW_SPLASH));
        EXPECT_TRUE(Checked(page, IDC_SHOW_SHUTDOWN_INFO));
        EXPECT_TRUE(Checked(page, IDC_SHOW_TOOLTIPS));
        EXPECT_TRUE(Checked(page, IDC_ENABLE_HOTKEY));
        EXPECT_EQ(HotKeyOf(page), MAKEWORD(0xC0, HOTKEYF_CONTROL));
        Press(page, IDC_SHOW_SHUTDOWN_INFO);
    });
    EXPECT_EQ(store.ReadGeneral(), settings::kGeneralDefault & ~general::kShowShutdownInfo)
        << "a box the Launcher did not offer does not turn the splash screen on";
}

TEST(OptionsOtherPage, TheHotKeyMarksChangesOnKeyReleaseExceptTabAndIsKeptWhileDisabled)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    OnOtherPage(nullptr, [](HWND dialog, HWND page) {
        HWND hotKey = ::GetDlgItem(page, IDC_MENU_HOTKEY);
        HWND apply = ::GetDlgItem(dialog, ID_APPLY_NOW);
        ::SendMessageA(hotKey, WM_KEYUP, VK_TAB, 0xC0000001);
        EXPECT_FALSE(::IsWindowEnabled(apply)) << "Tab moves in or out; it changes nothing";
        ::SendMessageA(hotKey, HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_CONTROL), 0);
        ::SendMessageA(hotKey, WM_KEYUP, 'K', 0xC0000001);
        EXPECT_TRUE(::IsWindowEnabled(apply));

        Press(page, IDC_ENABLE_HOTKEY);
        EXPECT_FALSE(Enabled(page, IDC_MENU_HOTKEY));
        EXPECT_EQ(HotKeyOf(page), MAKEWORD('K', HOTKEYF_CONTROL)) << "kept while disabled";
    });
    EXPECT_EQ(store.ReadHotkeyCode(), static_cast<std::uint32_t>(HOTKEYF_CONTROL << 16 | 'K'));
    EXPECT_FALSE(general::Has(store.ReadGeneral(), general::kEnableMenuHotkey));

    // Default puts Ctrl plus the key left of 1 back and enables the control again.
    OnOtherPage(nullptr, [](HWND, HWND page) {
        Press(page, IDC_DEFAULT);
        EXPECT_TRUE(Checked(page, IDC_ENABLE_HOTKEY));
        EXPECT_TRUE(Enabled(page, IDC_MENU_HOTKEY));
        EXPECT_EQ(HotKeyOf(page), MAKEWORD(0xC0, HOTKEYF_CONTROL));
    });
    EXPECT_EQ(store.ReadHotkeyCode(), settings::kHotkeyCodeDefault);
}

TEST(OptionsOtherPage, DamagedHotKeyCodesLoadAsKeysTheControlCanHold)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    struct Case {
        std::uint32_t stored;
        WORD shown;
    };
    for (const Case& c : {Case{0x00000000u, MAKEWORD(0xC0, HOTKEYF_CONTROL)},  // no key
                          Case{0xFF000041u, MAKEWORD('A', 0)},                 // unknown modifier bits
                          Case{0x00050041u, MAKEWORD('A', 0)}}) {              // Shift+Alt, refused
        store.SetProfileInt("Settings", "Hotkey code", static_cast<int>(c.stored));
        OnOtherPage(
            nullptr, [&](HWND, HWND page) { EXPECT_EQ(HotKeyOf(page), c.shown) << std::hex << c.stored; }, IDCANCEL);
    }
}

TEST(OptionsOtherPage, SwitchingTipsOffAndApplyingSilencesTheDialogAtOnce)
{
    CRegistrySandbox sandbox;
    OnOtherPage(nullptr, [](HWND dialog, HWND page) {
        PressKeys(dialog, VK_SHIFT);  // in front, as a user's dialog is
        EXPECT_TRUE(TipOver(::GetDlgItem(dialog, IDOK), "Apply all changes and exit", 5000));
        EXPECT_TRUE(TipOver(::GetDlgItem(page, IDC_SHOW_TOOLTIPS), "Show tooltip hints", 5000));

        Press(page, IDC_SHOW_TOOLTIPS);
        Press(::GetDlgItem(dialog, ID_APPLY_NOW));
        EXPECT_TRUE(WaitUntil([] { return !TipShows(); }, 3000));
        EXPECT_FALSE(TipOver(::GetDlgItem(dialog, IDOK), "Apply all changes and exit", 2000)) << "frame";
        EXPECT_FALSE(TipOver(::GetDlgItem(page, IDC_SHOW_SPLASH), "Show splash screen on start Launcher", 2000))
            << "pages";
    });
    EXPECT_FALSE(general::Has(sandbox.Store().ReadGeneral(), general::kShowTooltips));
}
