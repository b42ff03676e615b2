// The Command lines page through DoOptions: the switches' defaults and stored values (an
// empty one stays empty), "Default" keeping the location, Apply writing all eight and
// posting code 16 only to a Launcher window, the error box when the CmdLines key cannot be
// made, and the shell's folder browser telling a server folder from another.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include "FakeLauncher.h"
#include "Handles.h"
#include "LauncherLink.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "resource.h"

using namespace optionstest;

namespace {

constexpr int kSwitchIds[] = {IDC_CMD_START,   IDC_CMD_RESTART,  IDC_CMD_STOP,    IDC_CMD_TEST,
                              IDC_CMD_VERSION, IDC_CMD_SETTINGS, IDC_CMD_MODULES, IDC_CMD_DIRECTIVES};

int OnCommandLinesPage(HWND launcher, const std::function<void(HWND dialog, HWND page)>& user, int button = IDOK)
{
    OptionsRun run;
    return run.Run(launcher, [&](HWND dialog) {
        ASSERT_TRUE(SelectPage(dialog, 1));
        HWND page = PageWith(dialog, IDC_CMD_START);
        ASSERT_NE(page, nullptr);
        user(dialog, page);
        Close(dialog, button);
    });
}

std::string Shown(HWND page, int id)
{
    return Text(::GetDlgItem(page, id));
}

void Type(HWND page, int id, const char* text)
{
    ::SendMessageA(::GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Code 16 posted to the thread that ran the dialog (what a null window would get).
bool ThreadGotCommandsChanged()
{
    MSG msg;
    bool got = false;
    while (::PeekMessageA(&msg, nullptr, WM_LAUNCHER_NOTIFY, WM_LAUNCHER_NOTIFY, PM_REMOVE))
        got = got || msg.wParam == LN_COMMANDS_CHANGED;
    return got;
}

// A fresh folder in the prefix's temporary folder, which the shell's browser reaches quickly.
std::string TempFolder(const char* name)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

TEST(OptionsCommandLinesPage, ShowsDefaultsStoredValuesAndDefaultKeepsTheLocation)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    OnCommandLinesPage(
        nullptr,
        [](HWND dialog, HWND page) {
            const char* defaults[] = {"-s", "-k restart", "-k shutdown", "-t", "-v", "-S -t", "-l", "-L"};
            for (int i = 0; i < 8; ++i)
                EXPECT_EQ(Shown(page, kSwitchIds[i]), defaults[i]) << kSwitchIds[i];
            EXPECT_EQ(Shown(page, IDC_APACHE_LOCATION), "");
            EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW)) << "loading is not a change";
        },
        IDCANCEL);

    store.SetProfileString("Settings", "ApachePath", "C:\\Apache24");
    store.WriteCommandLine(settings::CommandLine::Modules, "");
    store.WriteCommandLine(settings::CommandLine::Start, "-w -n Apache");
    OnCommandLinesPage(
        nullptr,
        [](HWND dialog, HWND page) {
            EXPECT_EQ(Shown(page, IDC_CMD_MODULES), "") << "stored empty stays empty";
            EXPECT_EQ(Shown(page, IDC_CMD_START), "-w -n Apache");
            EXPECT_EQ(Shown(page, IDC_CMD_STOP), "-k shutdown") << "missing: its default";
            EXPECT_EQ(Shown(page, IDC_APACHE_LOCATION), "C:\\Apache24");
            Press(page, IDC_DEFAULT);
            EXPECT_EQ(Shown(page, IDC_CMD_MODULES), "-l");
            EXPECT_EQ(Shown(page, IDC_CMD_START), "-s");
            EXPECT_EQ(Shown(page, IDC_APACHE_LOCATION), "C:\\Apache24");
            EXPECT_TRUE(Enabled(dialog, ID_APPLY_NOW));
        },
        IDCANCEL);
    EXPECT_EQ(store.ReadCommandLine(settings::CommandLine::Start), "-w -n Apache") << "Cancel writes nothing";
}

TEST(OptionsCommandLinesPage, ApplyWritesAllEightAndPostsCode16OnlyToALauncherWindow)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());
    OnCommandLinesPage(launcher.Window(), [&](HWND dialog, HWND page) {
        Type(page, IDC_APACHE_LOCATION, "D:\\Server");
        Type(page, IDC_CMD_TEST, "");
        Type(page, IDC_CMD_VERSION, "-V");
        EXPECT_TRUE(Enabled(dialog, ID_APPLY_NOW));
        Press(::GetDlgItem(dialog, ID_APPLY_NOW));
        LauncherNotice notice;
        ASSERT_TRUE(launcher.WaitForCode(LN_COMMANDS_CHANGED, 5000, &notice));
        EXPECT_FALSE(notice.sent);
        EXPECT_EQ(notice.lParam, 0);
        EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW));
    });
    EXPECT_EQ(store.ReadApachePath(), "D:\\Server");
    const char* expected[] = {"-s", "-k restart", "-k shutdown", "", "-V", "-S -t", "-l", "-L"};
    for (int i = 0; i < 8; ++i) {
        const auto which = static_cast<settings::CommandLine>(i);
        EXPECT_EQ(store.GetString(settings::kCmdLinesKey, settings::CommandLineInfo(which).name), expected[i]) << i;
    }
    EXPECT_EQ(launcher.Notices().size(), 1u) << "OK after Apply saves nothing more";

    ThreadGotCommandsChanged();
    OnCommandLinesPage(nullptr, [](HWND, HWND page) { Type(page, IDC_CMD_START, "-n Other"); });
    EXPECT_EQ(store.ReadCommandLine(settings::CommandLine::Start), "-n Other");
    EXPECT_FALSE(ThreadGotCommandsChanged()) << "a null window is not this thread";
}

TEST(OptionsCommandLinesPage, AKeyThatCannotBeMadeShowsTheErrorAndPostsNothing)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    const CRegKey settingsKey = VolatileSettingsKey();
    ASSERT_TRUE(settingsKey);
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());
    std::string boxText;
    OnCommandLinesPage(launcher.Window(), [&](HWND dialog, HWND page) {
        Type(page, IDC_APACHE_LOCATION, "E:\\Web");
        ::PostMessageA(::GetDlgItem(dialog, ID_APPLY_NOW), BM_CLICK, 0, 0);
        HWND box = ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Command lines", 10000);
        ASSERT_NE(box, nullptr);
        boxText = Text(ui::FindChild(box, "Static", 0xFFFF));
        EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr) << "owned by no window";
        ui::Click(ui::FindChild(box, "Button"));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
    });
    EXPECT_EQ(boxText, "Error creating registry key");
    EXPECT_EQ(store.ReadApachePath(), "E:\\Web") << "written before the key";
    EXPECT_FALSE(store.KeyExists(settings::kCmdLinesKey));
    EXPECT_TRUE(launcher.Notices().empty());
}

TEST(OptionsCommandLinesPage, TheFolderBrowserOffersOnlyAFolderThatHoldsTheServer)
{
    CRegistrySandbox sandbox;
    const std::string server = TempFolder("options-browse-server");
    const std::string other = TempFolder("options-browse-other");
    ASSERT_TRUE(testpaths::WriteTextFile(testpaths::Join(server, "apachecore.dll"), "core"));
    OnCommandLinesPage(nullptr, [&](HWND dialog, HWND page) {
        Type(page, IDC_APACHE_LOCATION, other.c_str());
        Press(::GetDlgItem(dialog, ID_APPLY_NOW));
        ::PostMessageA(::GetDlgItem(page, IDC_BROWSE_APACHE), BM_CLICK, 0, 0);
        HWND browser = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                for (HWND w : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770"))
                    if (w != dialog &&
                        ui::FindChild(w, nullptr, -1, "Select folder where installed Apache Web Server."))
                        browser = w;
                return browser != nullptr;
            },
            10000));
        HWND ok = ::GetDlgItem(browser, IDOK);
        // The browser starts at the location, selected twice (once more, posted, after the
        // tree has been filled): the folder to choose is picked once the second selection has
        // landed, so that it cannot come after it.
        HWND tree = ui::FindChild(browser, "SysTreeView32");
        const auto selectedFolder = [tree] {
            char text[MAX_PATH] = {};
            TVITEMA item{};
            item.mask = TVIF_TEXT;
            item.hItem = TreeView_GetSelection(tree);
            item.pszText = text;
            item.cchTextMax = MAX_PATH;
            return item.hItem && TreeView_GetItem(tree, &item) ? std::string(text) : std::string();
        };
        EXPECT_TRUE(WaitUntil(
            [&] {
                return selectedFolder() == "options-browse-other" &&
                       ui::FindChild(browser, nullptr, -1, "Apache not found") != nullptr;
            },
            15000))
            << "it starts at the location: " << selectedFolder();
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(ok); })) << "OK refused";
        SaveWindowPng(browser, "options-browse-not-found");

        // The server's folder is clicked in the tree, beside the start folder, as a user does
        // (a selection by path, sent to a browser of a new Wine prefix, was seen never to land).
        const auto serverItem = [&] {
            const HTREEITEM selected = TreeView_GetSelection(tree);
            const HTREEITEM parent = selected ? TreeView_GetParent(tree, selected) : nullptr;
            for (HTREEITEM item = parent ? TreeView_GetChild(tree, parent) : nullptr; item;
                 item = TreeView_GetNextSibling(tree, item)) {
                char text[MAX_PATH] = {};
                TVITEMA query{};
                query.mask = TVIF_TEXT;
                query.hItem = item;
                query.pszText = text;
                query.cchTextMax = MAX_PATH;
                if (TreeView_GetItem(tree, &query) && std::string(text) == "options-browse-server")
                    return item;
            }
            return HTREEITEM{};
        }();
        ASSERT_NE(serverItem, nullptr) << "the server's folder lies beside the start folder";
        TreeView_SelectItem(tree, serverItem);
        EXPECT_TRUE(WaitUntil([&] { return ui::FindChild(browser, nullptr, -1, "Apache found") != nullptr; }, 15000))
            << selectedFolder();
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(ok) != FALSE; }));
        SaveWindowPng(browser, "options-browse-found");

        // The computer itself is no folder: the last folder's answer does not stand for it.
        LPITEMIDLIST computer = nullptr;
        ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
        ::SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(computer));
        ::CoTaskMemFree(computer);
        EXPECT_TRUE(WaitUntil([&] { return ui::FindChild(browser, nullptr, -1, "Apache not found") != nullptr; }));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(ok); })) << "OK refused for the computer";

        TreeView_SelectItem(tree, serverItem);
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(ok) != FALSE; }));
        ui::Click(ok);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(browser); }));
        EXPECT_TRUE(WaitUntil([&] {
            return ::_stricmp(Shown(page, IDC_APACHE_LOCATION).c_str(), server.c_str()) == 0;
        })) << Shown(page, IDC_APACHE_LOCATION);
        EXPECT_TRUE(Enabled(dialog, ID_APPLY_NOW)) << "the chosen folder is a change";
    });
    EXPECT_EQ(::_stricmp(sandbox.Store().ReadApachePath().c_str(), server.c_str()), 0);
}
