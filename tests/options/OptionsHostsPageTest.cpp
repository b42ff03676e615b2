// The Hosts and projects page through DoOptions with a host list made of real CGrowString
// objects: stored and missing HostsOpt values (a damaged one too), project search on real
// folders, toggling by clicking an icon and not beside it, sorting, the host dialog, Rescan
// with the box's unsaved text, what saving stores, the error when HostsOpt cannot be made,
// code 17 to the Launcher, and the icons as the screen shows them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FakeLauncher.h"
#include "Gdi.h"
#include "GeneralFlags.h"
#include "GrowString.h"
#include "HostOptions.h"
#include "LauncherHostList.h"
#include "LauncherLink.h"
#include "LauncherLists.h"
#include "ListPageDriver.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "SettingsSchema.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "resource.h"

using namespace optionstest;

namespace {

constexpr int kHostsPage = 5;

// Folders with project files: two matches, a name whose extension begins with a space, and
// one with none.
struct HostFolders {
    std::string alpha, beta, gamma;
    std::string alphaFirst;  // what the directory search returns first for *.prj

    HostFolders()
    {
        const std::string root = testpaths::MakeWorkDir("hosts-page");
        alpha = testpaths::Join(root, "alpha");
        beta = testpaths::Join(root, "beta");
        gamma = testpaths::Join(root, "gamma");
        for (const std::string& folder : {alpha, beta, gamma})
            ::CreateDirectoryA(folder.c_str(), nullptr);
        testpaths::WriteTextFile(testpaths::Join(alpha, "b.prj"), "b");
        testpaths::WriteTextFile(testpaths::Join(alpha, "a.prj"), "a");
        testpaths::WriteTextFile(testpaths::Join(beta, "site.htm"), "s");
        testpaths::WriteTextFile(testpaths::Join(beta, "page. htm"), "p");
        testpaths::WriteTextFile(testpaths::Join(gamma, "readme.txt"), "r");
        WIN32_FIND_DATAA found{};
        HANDLE search = ::FindFirstFileA((alpha + "\\*.prj").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            alphaFirst = alpha + "\\" + found.cFileName;
            ::FindClose(search);
        }
    }
};

void StoreHost(CSettingsStore& store, const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    store.WriteBinary(settings::kHostsOptKey, name, bytes.data(), bytes.size());
}

std::vector<std::string> Column(HWND list, int column)
{
    std::vector<std::string> cells;
    for (int i = 0; i < RowCount(list); ++i)
        cells.push_back(CellText(list, i, column));
    return cells;
}

int RowOf(HWND list, const std::string& name)
{
    for (int i = 0; i < RowCount(list); ++i)
        if (CellText(list, i, 0) == name)
            return i;
    return -1;
}

RECT IconRect(HWND list, int row, int column)
{
    RECT rect{};
    rect.top = column;
    rect.left = LVIR_ICON;
    ::SendMessageA(list, column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int OnHostsPage(HWND launcher, const HostList* hosts,
                const std::function<void(HWND dialog, HWND page, HWND list)>& user, int button)
{
    OptionsRun run;
    return run.Run(
        launcher,
        [&](HWND dialog) {
            ASSERT_TRUE(SelectPage(dialog, kHostsPage));
            HWND page = PageWith(dialog, IDC_HOST_LIST);
            ASSERT_NE(page, nullptr);
            user(dialog, page, ::GetDlgItem(page, IDC_HOST_LIST));
            Close(dialog, button);
        },
        hosts);
}

std::vector<std::string> StoredHosts(CSettingsStore& store)
{
    return store.ValueNames(settings::kHostsOptKey);
}

}  // namespace

TEST(OptionsHostsPage, ReadsStoredAndMissingValuesFindsProjectsTogglesByIconAndStoresOnlyChangedHosts)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    HostFolders folders;
    CLauncherHostList hosts;
    hosts.Add("www.alpha.test", folders.alpha);
    hosts.Add("beta.test", folders.beta);
    hosts.Add("gamma.test", folders.gamma);
    hosts.Add("delta.test", folders.gamma + "\\missing");
    store.SetProfileString("Settings", "Projects", "prj, htm");
    const std::uint32_t general = settings::kGeneralDefault | general::Bit(20);
    store.SetProfileInt("Settings", "General", static_cast<int>(general));
    StoreHost(store, "beta.test", {0x05, 'x', 0});  // host hidden; the path is searched
    StoreHost(store, "gamma.test", hosts::HostOptions{true, true, false, "C:\\manual\\g.prj"}.Encode());
    StoreHost(store, "delta.test", {0x06});  // one byte: project hidden, no path
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());

    OnHostsPage(
        launcher.Window(), hosts.Get(),
        [&](HWND dialog, HWND page, HWND list) {
            EXPECT_EQ(Column(list, 0),
                      (std::vector<std::string>{"beta.test", "delta.test", "gamma.test", "www.alpha.test"}))
                << "sorted by name";
            EXPECT_EQ(Column(list, 1), (std::vector<std::string>{folders.beta + "\\page. htm", "", "C:\\manual\\g.prj",
                                                                 folders.alphaFirst}));
            EXPECT_EQ(Text(::GetDlgItem(page, IDC_PROJECT_EXTENSIONS)), "prj, htm");
            EXPECT_TRUE(Checked(page, IDC_VIEW_HOST));
            EXPECT_FALSE(Checked(page, IDC_OPEN_PROJECT));
            EXPECT_TRUE(Checked(page, IDC_SORT_HOSTS));
            EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW)) << "the page starts unchanged";
            EXPECT_FALSE(ButtonEnabled(page, ID_LIST_EDIT));
            SaveWindowPng(dialog, "options-hosts");

            const int alpha = RowOf(list, "www.alpha.test");
            const RECT project = IconRect(list, alpha, 1);
            const RECT host = IconRect(list, alpha, 0);
            ui::BringToFront(dialog);
            ui::ClickAt(list, project.right + 30, (project.top + project.bottom) / 2);  // beside the icon
            EXPECT_TRUE(WaitUntil([&] { return ButtonEnabled(page, ID_LIST_EDIT); }, 3000)) << "the row is selected";
            EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW)) << "a click beside an icon toggles nothing";
            // Far from the first, so a second click and not a double click.
            ui::ClickAt(list, (host.left + host.right) / 2, (host.top + host.bottom) / 2);
            EXPECT_TRUE(WaitUntil([&] { return Enabled(dialog, ID_APPLY_NOW); }, 3000));

            Press(page, IDC_SORT_HOSTS);
            EXPECT_EQ(Column(list, 0),
                      (std::vector<std::string>{"www.alpha.test", "beta.test", "gamma.test", "delta.test"}))
                << "the caller's order";

            // gamma becomes automatic: nothing of "prj, htm" in its folder, so no project.
            SelectRow(list, 2);
            PostToolCommand(page, ID_LIST_EDIT);
            HWND edit = WaitForDialog("Edit \"gamma.test\"");
            ASSERT_NE(edit, nullptr);
            EXPECT_TRUE(Enabled(edit, IDC_PROJECT_PATH)) << "a manual project";
            EXPECT_EQ(Text(::GetDlgItem(edit, IDC_PROJECT_PATH)), "C:\\manual\\g.prj");
            Press(edit, IDC_AUTO_PROJECT);
            EXPECT_FALSE(Enabled(edit, IDC_PROJECT_PATH));
            EXPECT_FALSE(Enabled(edit, IDC_BROWSE_PROJECT));
            Close(edit, IDOK);
            EXPECT_EQ(CellText(list, 2, 1), "");

            // delta's project shown again: all three flags set.
            SelectRow(list, 3);
            PostToolCommand(page, ID_LIST_EDIT);
            edit = WaitForDialog("Edit \"delta.test\"");
            ASSERT_NE(edit, nullptr);
            EXPECT_FALSE(Checked(edit, IDC_SHOW_PROJECT));
            Press(edit, IDC_SHOW_PROJECT);
            Close(edit, IDOK);
        },
        IDOK);

    EXPECT_EQ(StoredHosts(store), (std::vector<std::string>{"beta.test", "www.alpha.test"}))
        << "hosts with every flag set are not stored";
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(store.GetBinary(settings::kHostsOptKey, "www.alpha.test", bytes));
    EXPECT_EQ(bytes[0], 0x05) << "the host icon's flag, not the project's";
    EXPECT_EQ(hosts::HostOptions::Decode(bytes).projectPath, folders.alphaFirst);
    EXPECT_EQ(store.ProfileString("Settings", "Projects", "?"), "prj, htm");
    const auto stored = static_cast<std::uint32_t>(store.ProfileInt("Settings", "General", 0));
    EXPECT_EQ(stored, (general & ~general::kHostsPageBits) | general::kEnableViewHost) << "sort bits 16, 17 clear";
    EXPECT_TRUE(launcher.WaitForCode(LN_HOSTS_CHANGED, 5000));
}

TEST(OptionsHostsPage, RescanUsesTheBoxTextAtOnceAndApplyStoresItAndSearchesAgain)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    HostFolders folders;
    CLauncherHostList hosts;
    hosts.Add("alpha", folders.alpha);
    hosts.Add("gamma", folders.gamma);
    store.SetProfileString("Settings", "Projects", "prj,");

    OnHostsPage(
        nullptr, hosts.Get(),
        [&](HWND dialog, HWND page, HWND list) {
            EXPECT_EQ(Column(list, 1), (std::vector<std::string>{folders.alphaFirst, ""}))
                << "a trailing comma adds none";
            ::SetDlgItemTextA(page, IDC_PROJECT_EXTENSIONS, "zip,txt");
            SendToolCommand(page, ID_LIST_RESCAN);
            EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"", folders.gamma + "\\readme.txt"}));
            EXPECT_EQ(store.ProfileString("Settings", "Projects", "?"), "prj,") << "Rescan stores nothing";
            Press(dialog, ID_APPLY_NOW);
            EXPECT_EQ(store.ProfileString("Settings", "Projects", "?"), "zip,txt");
            EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW));
            EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"", folders.gamma + "\\readme.txt"}));

            // A manual project without a path: "..." starts in the host's folder.
            SelectRow(list, 0);
            PostToolCommand(page, ID_LIST_EDIT);
            HWND edit = WaitForDialog("Edit \"alpha\"");
            ASSERT_NE(edit, nullptr);
            Press(edit, IDC_AUTO_PROJECT);
            EXPECT_TRUE(Enabled(edit, IDC_BROWSE_PROJECT));
            ::PostMessageA(::GetDlgItem(edit, IDC_BROWSE_PROJECT), BM_CLICK, 0, 0);
            ASSERT_TRUE(ChooseInOpenDialog("b.prj"));
            EXPECT_EQ(Text(::GetDlgItem(edit, IDC_PROJECT_PATH)), folders.alpha + "\\b.prj");
            Close(edit, IDOK);
            EXPECT_EQ(CellText(list, 0, 1), folders.alpha + "\\b.prj");
        },
        IDCANCEL);
    EXPECT_TRUE(StoredHosts(store).empty());
}

TEST(OptionsHostsPage, HostsOptThatCannotBeMadeIsReportedAndTheLauncherIsStillTold)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    const CRegKey settingsKey = VolatileSettingsKey();
    ASSERT_TRUE(settingsKey);
    HostFolders folders;
    CLauncherHostList hosts;
    hosts.Add("alpha", folders.alpha);
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());

    OnHostsPage(
        launcher.Window(), hosts.Get(),
        [&](HWND dialog, HWND page, HWND) {
            Press(page, IDC_OPEN_PROJECT);
            ::PostMessageA(::GetDlgItem(dialog, ID_APPLY_NOW), BM_CLICK, 0, 0);
            HWND box = WaitForDialog("Hosts and projects");
            ASSERT_NE(box, nullptr);
            EXPECT_NE(ui::FindChild(box, "Static", -1, "Error creating registry key"), nullptr);
            ::PostMessageA(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, 5000));
        },
        IDCANCEL);
    EXPECT_TRUE(launcher.WaitForCode(LN_HOSTS_CHANGED, 5000));
    EXPECT_TRUE(general::Has(static_cast<std::uint32_t>(store.ProfileInt("Settings", "General", 0)),
                             general::kEnableOpenProject))
        << "the switches are written all the same";
}

namespace {
// A 16×16 picture without its top and bottom rows, which a selected row's focus rectangle
// crosses: an icon cell as the screen shows it, or an image drawn on `background`.
std::vector<COLORREF> CellPicture(HWND list, const RECT& icon)
{
    POINT at{icon.left, icon.top};
    ::ClientToScreen(list, &at);
    return ScreenPixels(RECT{at.x, at.y + 1, at.x + 16, at.y + 15});
}

std::vector<COLORREF> ImagePicture(HIMAGELIST images, int image, COLORREF background)
{
    CClientDC screen(nullptr);
    CMemoryDC dc(screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen, 16, 16);
    CSelectObject selected(dc, bitmap);
    dc.FillSolidRect(RECT{0, 0, 16, 16}, background);
    ImageList_Draw(images, image, dc, 0, 0, ILD_TRANSPARENT);
    std::vector<COLORREF> pixels;
    for (int y = 1; y < 15; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.push_back(dc.GetPixel(x, y));
    return pixels;
}
}  // namespace

TEST(OptionsHostsPage, TheBlankImagesDrawNothingAndAProjectShowsItsFilesIconWhichAClickDims)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    CLauncherHostList hosts;
    // A program as the project: its file holds an icon.
    const std::string folder = testpaths::MakeWorkDir("hosts-page-icon");
    ASSERT_TRUE(::CopyFileA(testpaths::Join(testpaths::BinDir(), "Scrivel.exe").c_str(),
                            testpaths::Join(folder, "site.exe").c_str(), FALSE));
    hosts.Add("site", folder);
    store.SetProfileString("Settings", "Projects", "exe");

    OnHostsPage(
        nullptr, hosts.Get(),
        [&](HWND dialog, HWND, HWND list) {
            auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
            const auto background = static_cast<COLORREF>(::SendMessageA(list, LVM_GETBKCOLOR, 0, 0));
            const std::vector<COLORREF> blank(16 * 14, background);
            EXPECT_EQ(ImagePicture(images, 1, background), blank) << "no project";
            EXPECT_EQ(ImagePicture(images, 2, background), blank) << "every cell's";
            const std::vector<COLORREF> shown = ImagePicture(images, 3, background);
            ASSERT_NE(shown, blank);

            // The mouse off the list, so that no tip of the list covers the cell.
            ui::BringToFront(dialog);
            ASSERT_TRUE(LeaveTips());
            const RECT icon = IconRect(list, 0, 1);
            EXPECT_TRUE(WaitUntil([&] { return CellPicture(list, icon) == shown; }, 3000));
            ui::ClickAt(list, (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
            EXPECT_TRUE(WaitUntil([&] { return Enabled(dialog, ID_APPLY_NOW); }, 3000));
            ASSERT_TRUE(LeaveTips());
            EXPECT_TRUE(WaitUntil(
                [&] {
                    const std::vector<COLORREF> dimmed = CellPicture(list, icon);
                    return dimmed != shown && dimmed != blank;
                },
                3000))
                << "dimmed, not gone";
        },
        IDCANCEL);
}
