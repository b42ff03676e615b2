// The options dialog as a user meets it: the Launcher stand-in, pointed at the sample server,
// loads Options.dll beside it and calls DoOptions when "Options..." is pressed; it offers
// the splash box when the Other page asks (code 20) and lists what it was sent.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "ChildProcess.h"
#include "GeneralFlags.h"
#include "LauncherIds.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "resource.h"

using namespace optionstest;

namespace {
bool Lists(HWND list, const char* line)
{
    return ::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line)) >= 0;
}
}  // namespace

TEST(OptionsLauncher, OptionsOpensTheDialogAndTheLauncherOffersTheSplashBox)
{
    CRegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.Store().SetProfileString("Settings", "ApachePath", TESSALY_SAMPLE_DIR));
    CChildProcess launcher;
    ASSERT_TRUE(launcher.Start(testpaths::Join(testpaths::BinDir(), "Launcher.exe")));
    HWND main = ui::WaitForTopLevel(launcher.Id(), kMainClass, kMainCaption, 20000);
    ASSERT_NE(main, nullptr);
    HWND options = ::GetDlgItem(main, IDC_OPTIONS);
    HWND notices = ::GetDlgItem(main, IDC_NOTICES);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsEnabled(options); }, 10000)) << "Options.dll is built";

    ui::Click(options);
    HWND dialog = ui::WaitForTopLevel(launcher.Id(), "#32770", "Options", 20000);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return PageWith(dialog, IDC_START_SERVER) != nullptr; }, 10000));
    EXPECT_FALSE(::IsWindowEnabled(main)) << "the Launcher waits for the dialog";
    SaveWindowPng(dialog, "launcher-options-general");

    // Other is General's second child.
    HWND tree = TreeOf(dialog);
    HTREEITEM general = TreeView_GetRoot(tree);
    HTREEITEM other = TreeView_GetNextSibling(tree, TreeView_GetChild(tree, general));
    ASSERT_NE(other, nullptr);
    TreeView_SelectItem(tree, other);
    HWND page = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (page = PageWith(dialog, IDC_SHOW_SPLASH)) != nullptr; }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return Lists(notices, "20 LN_SPLASH_CONTROL"); }));
    EXPECT_TRUE(Enabled(page, IDC_SHOW_SPLASH)) << "this Launcher can show a splash screen";
    EXPECT_FALSE(Checked(page, IDC_SHOW_SPLASH));
    Press(page, IDC_SHOW_SPLASH);
    EXPECT_TRUE(Checked(page, IDC_SHOW_SPLASH));
    SaveWindowPng(dialog, "launcher-options-other");

    Close(dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return Lists(notices, "Options closed (1)"); }, 10000));
    EXPECT_TRUE(general::Has(sandbox.Store().ReadGeneral(), general::kShowSplash));

    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.Wait(10000), 0);
}
