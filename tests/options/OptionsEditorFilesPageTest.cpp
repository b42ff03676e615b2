// The Scrivel page through DoOptions: the first-run defaults written at once, reading up to
// a gap and at most 99 with Add refused (and its tip saying why) at 99, Apply writing the
// list without gaps and keeping the other "General" bits, the tool bar's enabling rules,
// the Open dialog driven for real, tips following the tooltip bit, and the error box.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "resource.h"

using namespace optionstest;

namespace {

constexpr int kScrivelPage = 3;

int OnScrivelPage(const std::function<void(HWND dialog, HWND page)>& user, int button = IDOK)
{
    OptionsRun run;
    return run.Run(nullptr, [&](HWND dialog) {
        ASSERT_TRUE(SelectPage(dialog, kScrivelPage));
        HWND page = PageWith(dialog, IDC_FILE_LIST);
        ASSERT_NE(page, nullptr);
        user(dialog, page);
        Close(dialog, button);
    });
}

HWND ListOf(HWND page)
{
    return ::GetDlgItem(page, IDC_FILE_LIST);
}

HWND ToolBarOf(HWND page)
{
    return ui::FindChild(page, TOOLBARCLASSNAMEA);
}

std::vector<std::string> Rows(HWND page)
{
    HWND list = ListOf(page);
    std::vector<std::string> rows;
    const int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH * 2] = {};
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        rows.emplace_back(text);
    }
    return rows;
}

// As a click on the row does: selected and focused.
void SelectRow(HWND page, int row)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(ListOf(page), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ClearSelection(HWND page)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(ListOf(page), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

bool ButtonEnabled(HWND page, UINT id)
{
    return ::SendMessageA(ToolBarOf(page), TB_ISBUTTONENABLED, id, 0) != 0;
}

// What the tool bar's tooltip would show for the button: empty when the page gives no text.
std::string TipOf(HWND page, UINT id)
{
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageA(ToolBarOf(page), TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = id;
    info.hdr.code = TTN_GETDISPINFOA;
    ::SendMessageA(page, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
    return info.szText;
}

// A tool bar click as the tool bar sends it.
void Command(HWND page, UINT id)
{
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ToolBarOf(page)));
}

std::string FileValue(CSettingsStore& store, int i)
{
    return store.GetString(settings::kFilesKey, "File" + std::to_string(i)).value_or("<none>");
}

void StoreFile(CSettingsStore& store, int i, const std::string& path)
{
    store.WriteString(settings::kFilesKey, "File" + std::to_string(i), path);
}

// Opens a tool bar command that runs the Open dialog, picks `path` in it and presses Open.
void PickInOpenDialog(HWND dialog, HWND page, UINT command, const std::string& path)
{
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(ToolBarOf(page)));
    HWND open = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND w : ui::TopLevelWindows(::GetCurrentProcessId(), "#32770"))
                if (w != dialog && ::IsWindowVisible(w) && ::GetDlgItem(w, IDOK))
                    open = w;
            return open != nullptr;
        },
        15000));
    SaveWindowPng(open, "options-scrivel-open-dialog");
    HWND name = ::GetDlgItem(open, cmb13);
    if (!name)
        name = ::GetDlgItem(open, edt1);
    ASSERT_NE(name, nullptr);
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ui::Click(::GetDlgItem(open, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(open); }, 10000));
}

std::string TempFile(const char* name)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + name;
    testpaths::WriteTextFile(path, "# conf\n");
    return path;
}

}  // namespace

TEST(OptionsEditorFilesPage, FirstRunWritesTheDefaultsAtOnceAndMarksThePageChanged)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    store.SetProfileString("Settings", "ApachePath", "C:\\Apache24");
    OnScrivelPage(
        [&](HWND dialog, HWND page) {
            EXPECT_EQ(Rows(page),
                      (std::vector<std::string>{"C:\\Apache24\\conf\\access.conf", "C:\\Apache24\\conf\\httpd.conf"}));
            EXPECT_EQ(FileValue(store, 0), "C:\\Apache24\\conf\\access.conf") << "written before OK";
            EXPECT_EQ(FileValue(store, 1), "C:\\Apache24\\conf\\httpd.conf");
            EXPECT_TRUE(Enabled(dialog, ID_APPLY_NOW)) << "the page counts as changed";
            EXPECT_TRUE(Checked(page, IDC_RESTART_AFTER_CHANGE));
            EXPECT_NE(ToolBarOf(page), nullptr);
            EXPECT_TRUE(ButtonEnabled(page, ID_LIST_ADD));
            EXPECT_FALSE(ButtonEnabled(page, ID_LIST_EDIT));
            SaveWindowPng(dialog, "options-scrivel-page");
        },
        IDCANCEL);
    EXPECT_EQ(FileValue(store, 1), "C:\\Apache24\\conf\\httpd.conf") << "Cancel keeps what the first run wrote";

    OnScrivelPage(
        [&](HWND dialog, HWND page) {
            EXPECT_EQ(Rows(page).size(), 2u);
            EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW)) << "a stored list is no change";
        },
        IDCANCEL);
}

TEST(OptionsEditorFilesPage, ReadingStopsAtAGapAndApplyLeavesWhatLiesPastIt)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    StoreFile(store, 0, "C:\\a.conf");
    StoreFile(store, 1, "C:\\b.conf");
    StoreFile(store, 3, "C:\\d.conf");
    store.SetProfileInt("Settings", "General", 0x7E979);
    OnScrivelPage([&](HWND dialog, HWND page) {
        EXPECT_EQ(Rows(page), (std::vector<std::string>{"C:\\a.conf", "C:\\b.conf"}));
        Press(page, IDC_RESTART_AFTER_CHANGE);
        Press(::GetDlgItem(dialog, ID_APPLY_NOW));
        EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW));
    });
    EXPECT_EQ(FileValue(store, 1), "C:\\b.conf");
    EXPECT_EQ(FileValue(store, 2), "<none>");
    EXPECT_EQ(FileValue(store, 3), "C:\\d.conf");
    EXPECT_EQ(store.ReadGeneral(), 0x7E979u & ~0x20u) << "only bit 5 changes";
}

TEST(OptionsEditorFilesPage, NinetyNineAtMostAreShownAndWrittenAndAddSaysWhyItIsOff)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    for (int i = 0; i < 120; ++i)
        StoreFile(store, i, "C:\\f" + std::to_string(i));
    OnScrivelPage([&](HWND dialog, HWND page) {
        const auto rows = Rows(page);
        ASSERT_EQ(rows.size(), 99u);
        EXPECT_EQ(rows.back(), "C:\\f98");
        EXPECT_FALSE(ButtonEnabled(page, ID_LIST_ADD)) << "a hundredth file would not be read back";
        EXPECT_NE(TipOf(page, ID_LIST_ADD).find("99"), std::string::npos) << TipOf(page, ID_LIST_ADD);
        Command(page, ID_LIST_ADD);
        EXPECT_EQ(Rows(page).size(), 99u);

        SelectRow(page, 0);
        Command(page, ID_LIST_REMOVE);
        EXPECT_TRUE(ButtonEnabled(page, ID_LIST_ADD));
        EXPECT_EQ(TipOf(page, ID_LIST_ADD), "Add");
        EXPECT_TRUE(Enabled(dialog, ID_APPLY_NOW));
    });
    EXPECT_EQ(FileValue(store, 0), "C:\\f1");
    EXPECT_EQ(FileValue(store, 97), "C:\\f98");
    for (int i = 98; i < 120; ++i)
        EXPECT_EQ(FileValue(store, i), "<none>") << i;
}

TEST(OptionsEditorFilesPage, RemovingEveryEntryLeavesAnEmptyKeyAndNoDefaultsNextTime)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    OnScrivelPage([&](HWND, HWND page) {
        ASSERT_EQ(Rows(page).size(), 2u);
        for (int i = 0; i < 2; ++i) {
            SelectRow(page, 0);
            EXPECT_TRUE(ButtonEnabled(page, ID_LIST_REMOVE));
            Command(page, ID_LIST_REMOVE);
            EXPECT_FALSE(ButtonEnabled(page, ID_LIST_REMOVE)) << "no selection after a removal";
        }
        EXPECT_TRUE(Rows(page).empty());
    });
    EXPECT_TRUE(store.KeyExists(settings::kFilesKey));
    EXPECT_TRUE(store.ValueNames(settings::kFilesKey).empty());
    OnScrivelPage(
        [&](HWND dialog, HWND page) {
            EXPECT_TRUE(Rows(page).empty());
            EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW));
        },
        IDCANCEL);
}

TEST(OptionsEditorFilesPage, ButtonsFollowTheRowAndAnEditedEntrySurvivesAMoveOfAnother)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    const std::string edited = TempFile("options-scrivel-edited.conf");
    const std::string added = TempFile("options-scrivel-added.conf");
    StoreFile(store, 0, "C:\\a.conf");
    StoreFile(store, 1, "C:\\b.conf");
    StoreFile(store, 2, "C:\\c.conf");
    OnScrivelPage([&](HWND dialog, HWND page) {
        ClearSelection(page);
        for (UINT id : {ID_LIST_EDIT, ID_LIST_REMOVE, ID_LIST_UP, ID_LIST_DOWN})
            EXPECT_FALSE(ButtonEnabled(page, id)) << id;
        SelectRow(page, 0);
        EXPECT_TRUE(ButtonEnabled(page, ID_LIST_EDIT) && ButtonEnabled(page, ID_LIST_DOWN));
        EXPECT_FALSE(ButtonEnabled(page, ID_LIST_UP)) << "first row";
        SelectRow(page, 2);
        EXPECT_TRUE(ButtonEnabled(page, ID_LIST_UP));
        EXPECT_FALSE(ButtonEnabled(page, ID_LIST_DOWN)) << "last row";

        SelectRow(page, 0);
        PickInOpenDialog(dialog, page, ID_LIST_EDIT, edited);
        SelectRow(page, 2);
        Command(page, ID_LIST_UP);
        EXPECT_TRUE(ButtonEnabled(page, ID_LIST_UP) && ButtonEnabled(page, ID_LIST_DOWN)) << "moved to the middle";
        PickInOpenDialog(dialog, page, ID_LIST_ADD, added);
        const auto rows = Rows(page);
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(::_stricmp(rows[0].c_str(), edited.c_str()), 0) << rows[0];
        EXPECT_EQ(rows[1], "C:\\c.conf");
        EXPECT_EQ(rows[2], "C:\\b.conf");
        EXPECT_EQ(::_stricmp(rows[3].c_str(), added.c_str()), 0) << rows[3];
        EXPECT_EQ(rows[3].find('/'), std::string::npos);
        EXPECT_TRUE(ButtonEnabled(page, ID_LIST_UP)) << "the added row is selected";
        SaveWindowPng(dialog, "options-scrivel-edited");
    });
    EXPECT_EQ(::_stricmp(FileValue(store, 0).c_str(), edited.c_str()), 0) << FileValue(store, 0);
    EXPECT_EQ(FileValue(store, 1), "C:\\c.conf");
    EXPECT_EQ(::_stricmp(FileValue(store, 3).c_str(), added.c_str()), 0);
}

TEST(OptionsEditorFilesPage, ToolBarTipsFollowTheListAndTheTooltipBitEachTimeTheyShow)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    for (int i = 0; i < 99; ++i)
        StoreFile(store, i, "C:\\f" + std::to_string(i));
    OnScrivelPage(
        [&](HWND dialog, HWND page) {
            PressKeys(dialog, VK_SHIFT);  // in front, as a user's dialog is
            RECT add{};
            ::SendMessageA(ToolBarOf(page), TB_GETRECT, ID_LIST_ADD, reinterpret_cast<LPARAM>(&add));
            ::MapWindowPoints(ToolBarOf(page), nullptr, reinterpret_cast<POINT*>(&add), 2);
            EXPECT_TRUE(TipOver(add, "Add (no more: Scrivel opens at most 99 files at start)", 5000));
            ASSERT_TRUE(LeaveTips());
            SelectRow(page, 0);
            Command(page, ID_LIST_REMOVE);
            EXPECT_TRUE(TipOver(add, "Add", 5000)) << "the tip follows the list";
            ASSERT_TRUE(LeaveTips());

            // Tips switched off on the Other page: none when the Scrivel page is back.
            ASSERT_TRUE(SelectPage(dialog, 2));
            Press(PageWith(dialog, IDC_SHOW_TOOLTIPS), IDC_SHOW_TOOLTIPS);
            Press(dialog, ID_APPLY_NOW);
            ASSERT_TRUE(SelectPage(dialog, kScrivelPage));
            EXPECT_FALSE(TipOver(add, "", 2000));
        },
        IDCANCEL);
}

TEST(OptionsEditorFilesPage, AFilesKeyThatCannotBeMadeShowsTheErrorAndStillWritesTheRestartBit)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    const CRegKey settingsKey = VolatileSettingsKey();
    ASSERT_TRUE(settingsKey);
    std::string boxText;
    OptionsRun run;
    run.Run(nullptr, [&](HWND dialog) {
        HWND tree = TreeOf(dialog);
        const auto rows = ReadTree(tree);
        ::PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(rows[kScrivelPage].item));
        HWND box = ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Scrivel", 10000);
        ASSERT_NE(box, nullptr) << "the first run's write fails";
        boxText = Text(ui::FindChild(box, "Static", 0xFFFF));
        EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr) << "owned by no window";
        ui::Click(ui::FindChild(box, "Button"));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
        HWND page = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (page = PageWith(dialog, IDC_FILE_LIST)) != nullptr; }));
        Press(page, IDC_RESTART_AFTER_CHANGE);
        ::PostMessageA(::GetDlgItem(dialog, ID_APPLY_NOW), BM_CLICK, 0, 0);
        box = ui::WaitForTopLevel(::GetCurrentProcessId(), "#32770", "Scrivel", 10000);
        ASSERT_NE(box, nullptr);
        ui::Click(ui::FindChild(box, "Button"));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
        Close(dialog, IDCANCEL);
    });
    EXPECT_EQ(boxText, "Error creating registry key");
    EXPECT_FALSE(store.KeyExists(settings::kFilesKey));
    EXPECT_EQ(store.ReadGeneral(), 0x7E979u & ~0x20u) << "the restart bit is written without the list";
}
