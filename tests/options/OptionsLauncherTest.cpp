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

// The n-th top-level item of the tree (from 0), or its child.
HTREEITEM TreeItem(HWND tree, int topLevel, int child = -1)
{
    HTREEITEM item = TreeView_GetRoot(tree);
    for (int i = 0; i < topLevel && item; ++i)
        item = TreeView_GetNextSibling(tree, item);
    if (item && child >= 0) {
        item = TreeView_GetChild(tree, item);
        for (int i = 0; i < child && item; ++i)
            item = TreeView_GetNextSibling(tree, item);
    }
    return item;
}

// Shows the page at that place of the tree and waits for its output control to fill.
std::string ServerPageText(HWND dialog, HTREEITEM item, int outputId)
{
    TreeView_SelectItem(TreeOf(dialog), item);
    std::string text;
    WaitUntil(
        [&] {
            HWND page = VisiblePage(dialog);
            HWND output = page ? ::GetDlgItem(page, outputId) : nullptr;
            return output && !(text = Text(output)).empty();
        },
        20000);
    return text;
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

TEST(OptionsLauncher, TheServerPagesShowWhatTheSampleServerPrintsAndSavedCommandLinesReachTheLauncher)
{
    CRegistrySandbox sandbox;
    ASSERT_TRUE(sandbox.Store().SetProfileString("Settings", "ApachePath", TESSALY_SAMPLE_DIR));
    CChildProcess launcher;
    ASSERT_TRUE(launcher.Start(testpaths::Join(testpaths::BinDir(), "Launcher.exe")));
    HWND main = ui::WaitForTopLevel(launcher.Id(), kMainClass, kMainCaption, 20000);
    ASSERT_NE(main, nullptr);
    HWND options = ::GetDlgItem(main, IDC_OPTIONS);
    HWND notices = ::GetDlgItem(main, IDC_NOTICES);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsEnabled(options); }, 10000));
    ui::Click(options);
    HWND dialog = ui::WaitForTopLevel(launcher.Id(), "#32770", "Options", 20000);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return PageWith(dialog, IDC_START_SERVER) != nullptr; }, 10000));
    HWND tree = TreeOf(dialog);

    // Server info is the fourth top-level item; its children follow in list order.
    const std::string version = ServerPageText(dialog, TreeItem(tree, 3), IDC_SERVER_VERSION);
    EXPECT_EQ(version.rfind("Server version: Apache/2.4", 0), 0u) << version;
    SaveWindowPng(dialog, "launcher-options-server-info");
    const std::string modules = ServerPageText(dialog, TreeItem(tree, 3, 0), IDC_SERVER_OUTPUT);
    EXPECT_EQ(modules,
              "Compiled in modules:\r\n  core.c\r\n  mod_win32.c\r\n  mpm_winnt.c\r\n  http_core.c\r\n  mod_so.c\r\n");
    SaveWindowPng(dialog, "launcher-options-modules");
    const std::string directives = ServerPageText(dialog, TreeItem(tree, 3, 1), IDC_SERVER_OUTPUT);
    EXPECT_NE(directives.find("DocumentRoot (core.c)"), std::string::npos) << directives.substr(0, 300);
    const std::string parsed = ServerPageText(dialog, TreeItem(tree, 3, 2), IDC_SERVER_OUTPUT);
    EXPECT_EQ(parsed.rfind("VirtualHost configuration:", 0), 0u) << parsed;
    SaveWindowPng(dialog, "launcher-options-parsed-settings");

    // Command lines is General's first child.
    TreeView_SelectItem(tree, TreeItem(tree, 0, 0));
    HWND page = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (page = PageWith(dialog, IDC_CMD_START)) != nullptr; }, 10000));
    EXPECT_EQ(Text(::GetDlgItem(page, IDC_APACHE_LOCATION)), TESSALY_SAMPLE_DIR);
    ::SendMessageA(::GetDlgItem(page, IDC_CMD_START), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("-w -n Apache"));
    Close(dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return Lists(notices, "16 LN_COMMANDS_CHANGED"); }, 10000));
    EXPECT_EQ(sandbox.Store().ReadCommandLine(settings::CommandLine::Start), "-w -n Apache");

    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.Wait(10000), 0);
}
