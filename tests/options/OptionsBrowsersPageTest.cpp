// The Browsers page through DoOptions: which stored browsers it reads (none without
// "DefBrowser", damaged values passed over), what saving stores (Browser1... without gaps,
// stale numbers deleted, empty paths dropped with the default kept on its browser), the
// default through Remove, Up and Down, the "Choose browser" dialog's "...", "Find" against
// App Paths entries written by the test, the toolbar's states and the icon's animation.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "BrowserRecords.h"
#include "FakeLauncher.h"
#include "Handles.h"
#include "LauncherLink.h"
#include "ListPageDriver.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "Screenshot.h"
#include "SettingsSchema.h"
#include "TestPaths.h"
#include "resource.h"

using namespace optionstest;

namespace {

constexpr int kBrowsersPage = 6;

std::string ValueName(int n)
{
    return "Browser" + std::to_string(n);
}

void StoreBrowsers(CSettingsStore& store, const std::vector<browsers::BrowserRecord>& records)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto bytes = records[i].Encode();
        store.WriteBinary(settings::kBrowsersKey, ValueName(static_cast<int>(i) + 1), bytes.data(), bytes.size());
    }
}

std::optional<browsers::BrowserRecord> Stored(CSettingsStore& store, int n)
{
    std::vector<std::uint8_t> bytes;
    if (!store.GetBinary(settings::kBrowsersKey, ValueName(n), bytes))
        return std::nullopt;
    return browsers::BrowserRecord::Decode(bytes);
}

int OnBrowsersPage(HWND launcher, const std::function<void(HWND dialog, HWND page, HWND list)>& user, int button)
{
    OptionsRun run;
    return run.Run(launcher, [&](HWND dialog) {
        ASSERT_TRUE(SelectPage(dialog, kBrowsersPage));
        HWND page = PageWith(dialog, IDC_BROWSER_LIST);
        ASSERT_NE(page, nullptr);
        user(dialog, page, ::GetDlgItem(page, IDC_BROWSER_LIST));
        Close(dialog, button);
    });
}

// What the page answers when the toolbar's tooltip asks for the text of a button.
std::string ToolTipText(HWND page, UINT command)
{
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = ToolBarOf(page);
    info.hdr.idFrom = command;
    info.hdr.code = TTN_GETDISPINFOA;
    ::SendMessageA(page, WM_NOTIFY, command, reinterpret_cast<LPARAM>(&info));
    return info.lpszText && info.lpszText != info.szText ? info.lpszText : info.szText;
}

std::vector<std::string> Labels(HWND list)
{
    std::vector<std::string> labels;
    for (int i = 0; i < RowCount(list); ++i)
        labels.push_back(CellText(list, i, 0));
    return labels;
}

// The application paths of the browsers "Find" knows, put aside for the test and put back.
class CAppPathsSandbox {
public:
    CAppPathsSandbox()
    {
        for (const char* exe : kExecutables) {
            CRegKey key;
            if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyOf(exe).c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
                continue;
            char text[MAX_PATH] = {};
            DWORD size = sizeof(text) - 1;
            ::RegQueryValueExA(key.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
            m_saved[exe] = text;
            key.Reset();
            ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, KeyOf(exe).c_str());
        }
    }
    ~CAppPathsSandbox()
    {
        for (const char* exe : kExecutables)
            ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, KeyOf(exe).c_str());
        for (const auto& [exe, path] : m_saved)
            Register(exe, path);
    }
    CAppPathsSandbox(const CAppPathsSandbox&) = delete;
    CAppPathsSandbox& operator=(const CAppPathsSandbox&) = delete;

    static void Register(const std::string& exe, const std::string& path)
    {
        CRegKey key;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, KeyOf(exe).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    key.Receive(), nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                         static_cast<DWORD>(path.size() + 1));
    }

private:
    static std::string KeyOf(const std::string& exe) { return std::string(settings::kAppPathsKey) + exe; }
    static constexpr const char* kExecutables[] = {"iexplore.exe", "netscape.exe", "opera.exe",
                                                   "firefox.exe",  "chrome.exe",   "msedge.exe"};
    std::map<std::string, std::string> m_saved;
};

}  // namespace

TEST(OptionsBrowsersPage, ReadsNothingWithoutDefBrowserPassesOverDamagedValuesAndAnimatesItsIcon)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    StoreBrowsers(store, {{"Opera", "C:\\Opera\\opera.exe", "opera", true}});
    store.SetProfileInt("Settings", "General", static_cast<int>(settings::kGeneralDefault & ~(1u << 14)));
    OnBrowsersPage(
        nullptr,
        [](HWND, HWND page, HWND list) {
            EXPECT_EQ(RowCount(list), 0) << "no DefBrowser: no list";
            EXPECT_EQ(ToolTipText(page, ID_LIST_ADD), "") << "tips are off";
        },
        IDCANCEL);
    store.DeleteValue(settings::kSettingsKey, "General");

    const std::string damaged = "Broken\0C:\\b.exe";  // no third NUL
    store.WriteBinary(settings::kBrowsersKey, "Browser2", damaged.data(), damaged.size());
    const auto third = browsers::BrowserRecord{"Lynx", "C:\\lynx.exe", "", false}.Encode();
    store.WriteBinary(settings::kBrowsersKey, "Browser3", third.data(), third.size());
    store.SetProfileInt("Settings", "DefBrowser", 7);
    OnBrowsersPage(
        nullptr,
        [](HWND dialog, HWND page, HWND list) {
            EXPECT_EQ(Labels(list), (std::vector<std::string>{"Opera", "Lynx"}));
            EXPECT_EQ(CellText(list, 0, 2), "Yes");
            EXPECT_EQ(CellText(list, 1, 2), "No");
            EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW)) << "the page starts unchanged";
            EXPECT_EQ(ToolTipText(page, ID_LIST_FIND), "Find");
            HWND picture = ::GetDlgItem(page, IDC_BROWSER_PICTURE);
            const auto first = ::SendMessageA(picture, STM_GETICON, 0, 0);
            EXPECT_TRUE(WaitUntil([&] { return ::SendMessageA(picture, STM_GETICON, 0, 0) != first; }, 3000))
                << "the picture changes every second";
        },
        IDOK);
    EXPECT_EQ(store.ProfileInt("Settings", "DefBrowser", -5), 7) << "an unchanged page writes nothing";
}

TEST(OptionsBrowsersPage, FiveStoredThenThreeSavedWithTheDefaultFollowingRemoveUpAndDown)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    StoreBrowsers(store, {{"A", "C:\\a.exe", "", false},
                          {"B", "C:\\b.exe", "", false},
                          {"C", "C:\\c.exe", "", false},
                          {"D", "C:\\d.exe", "ddd", true},
                          {"E", "C:\\e.exe", "", false}});
    store.SetProfileInt("Settings", "DefBrowser", 3);
    CFakeLauncher launcher;
    ASSERT_TRUE(launcher.Start());

    OnBrowsersPage(
        launcher.Window(),
        [&](HWND dialog, HWND page, HWND list) {
            ASSERT_EQ(RowCount(list), 5);
            EXPECT_FALSE(ButtonEnabled(page, ID_LIST_EDIT));
            EXPECT_FALSE(ButtonEnabled(page, ID_LIST_REMOVE));
            EXPECT_FALSE(ButtonEnabled(page, ID_LIST_UP));
            EXPECT_TRUE(ButtonEnabled(page, ID_LIST_ADD));
            EXPECT_TRUE(ButtonEnabled(page, ID_LIST_FIND));
            SelectRow(list, 4);
            EXPECT_TRUE(ButtonEnabled(page, ID_LIST_UP));
            EXPECT_FALSE(ButtonEnabled(page, ID_LIST_DOWN)) << "the last row";
            SelectRow(list, 1);
            EXPECT_TRUE(ButtonEnabled(page, ID_LIST_DOWN));
            SendToolCommand(page, ID_LIST_REMOVE);  // B, before the default D
            EXPECT_FALSE(ButtonEnabled(page, ID_LIST_REMOVE)) << "nothing selected after Remove";
            SelectRow(list, 0);
            EXPECT_FALSE(ButtonEnabled(page, ID_LIST_UP)) << "the first row";
            SendToolCommand(page, ID_LIST_REMOVE);  // A
            EXPECT_EQ(Labels(list), (std::vector<std::string>{"C", "D", "E"}));
            SelectRow(list, 1);
            SendToolCommand(page, ID_LIST_UP);  // D moves up, the default with it
            EXPECT_EQ(Labels(list), (std::vector<std::string>{"D", "C", "E"}));
            EXPECT_EQ(::SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0), 0);
            SendToolCommand(page, ID_LIST_DOWN);
            EXPECT_EQ(Labels(list), (std::vector<std::string>{"C", "D", "E"}));
            SelectRow(list, 2);
            SendToolCommand(page, ID_LIST_UP);  // E moves over the default, which moves down
            EXPECT_EQ(Labels(list), (std::vector<std::string>{"C", "E", "D"}));
            EXPECT_TRUE(Enabled(dialog, ID_APPLY_NOW));
        },
        IDOK);

    std::vector<std::string> stored;
    for (int n = 1; n <= 5; ++n)
        if (const auto record = Stored(store, n))
            stored.push_back(record->label);
    EXPECT_EQ(stored, (std::vector<std::string>{"C", "E", "D"})) << "Browser4 and Browser5 deleted";
    EXPECT_EQ(Stored(store, 3)->service, "ddd");
    EXPECT_EQ(store.ProfileInt("Settings", "DefBrowser", -5), 2) << "still D";
    EXPECT_TRUE(launcher.WaitForCode(LN_BROWSER_CHANGED, 5000));
}

TEST(OptionsBrowsersPage, ChooseBrowserFillsFromTheChosenFileAndAnEmptyPathIsNotStored)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    StoreBrowsers(store, {{"X", "C:\\x.exe", "xs", true}, {"Y", "C:\\y.exe", "", false}});
    store.SetProfileInt("Settings", "DefBrowser", 1);
    const std::string folder = testpaths::MakeWorkDir("choose-browser");
    for (const char* name : {"OPERA.EXE", "viewer.exe", "notepad.exe"})
        ASSERT_TRUE(testpaths::WriteTextFile(testpaths::Join(folder, name), "MZ"));

    // Opens the dialog with `command`, lets `user` work in it, then ends it with OK.
    auto inChooseDialog = [](HWND page, UINT command, const std::function<void(HWND)>& user) {
        PostToolCommand(page, command);
        HWND choose = WaitForDialog("Choose browser");
        ASSERT_NE(choose, nullptr);
        user(choose);
        Close(choose, IDOK);
    };
    auto browse = [&](HWND choose, const char* name) {
        ::PostMessageA(::GetDlgItem(choose, IDC_BROWSE_BROWSER), BM_CLICK, 0, 0);
        ASSERT_TRUE(ChooseInOpenDialog(testpaths::Join(folder, name)));
    };

    OnBrowsersPage(
        nullptr,
        [&](HWND dialog, HWND page, HWND list) {
            inChooseDialog(page, ID_LIST_ADD, [&](HWND choose) {
                EXPECT_FALSE(Enabled(choose, IDC_DDE_SERVICE)) << "an empty entry has no DDE";
                browse(choose, "OPERA.EXE");
                EXPECT_EQ(Text(::GetDlgItem(choose, IDC_BROWSER_LABEL)), "Opera");
                EXPECT_EQ(Text(::GetDlgItem(choose, IDC_DDE_SERVICE)), "opera");
                EXPECT_TRUE(Checked(choose, IDC_USE_DDE));
                EXPECT_TRUE(Enabled(choose, IDC_DDE_SERVICE));
                EXPECT_TRUE(Enabled(choose, IDC_SERVICE_LABEL));
                SaveWindowPng(choose, "options-choose-browser");
            });
            inChooseDialog(page, ID_LIST_ADD,
                           [&](HWND choose) { ::SetDlgItemTextA(choose, IDC_BROWSER_LABEL, "Nothing"); });
            SelectRow(list, 0);
            inChooseDialog(page, ID_LIST_EDIT, [&](HWND choose) {
                EXPECT_EQ(Text(::GetDlgItem(choose, IDC_DDE_SERVICE)), "xs");
                browse(choose, "viewer.exe");
                EXPECT_EQ(Text(::GetDlgItem(choose, IDC_BROWSER_LABEL)), "viewer");
                EXPECT_EQ(Text(::GetDlgItem(choose, IDC_DDE_SERVICE)), "xs") << "kept";
                EXPECT_TRUE(Checked(choose, IDC_USE_DDE)) << "kept";
            });
            SelectRow(list, 2);
            inChooseDialog(page, ID_LIST_EDIT, [&](HWND choose) {
                browse(choose, "notepad.exe");
                EXPECT_EQ(Text(::GetDlgItem(choose, IDC_BROWSER_LABEL)), "Cool browser!");
                EXPECT_EQ(Text(::GetDlgItem(choose, IDC_DDE_SERVICE)), "");
                EXPECT_FALSE(Checked(choose, IDC_USE_DDE));
                EXPECT_FALSE(Enabled(choose, IDC_DDE_SERVICE));
            });
            EXPECT_EQ(Labels(list), (std::vector<std::string>{"viewer", "Y", "Cool browser!", "Nothing"}));
            EXPECT_EQ(CellText(list, 2, 2), "No");
            // The empty entry goes first; the default Y moves to 2 on the way.
            for (int row = 3; row > 0; --row) {
                SelectRow(list, row);
                SendToolCommand(page, ID_LIST_UP);
            }
            EXPECT_EQ(Labels(list), (std::vector<std::string>{"Nothing", "viewer", "Y", "Cool browser!"}));
            SaveWindowPng(dialog, "options-browsers");
        },
        IDOK);

    ASSERT_TRUE(Stored(store, 1));
    EXPECT_EQ(Stored(store, 1)->label, "viewer") << "the empty path takes no number";
    EXPECT_TRUE(Stored(store, 1)->path.find("viewer.exe") != std::string::npos);
    EXPECT_EQ(Stored(store, 2)->label, "Y");
    EXPECT_EQ(Stored(store, 3)->label, "Cool browser!");
    EXPECT_FALSE(Stored(store, 4));
    EXPECT_EQ(store.ProfileInt("Settings", "DefBrowser", -5), 1) << "still Y among the stored ones";
}

TEST(OptionsBrowsersPage, FindAnsweredNoKeepsTheListAndYesFindsRegisteredBrowsersInOrder)
{
    CRegistrySandbox sandbox;
    CSettingsStore& store = sandbox.Store();
    CAppPathsSandbox appPaths;
    StoreBrowsers(store, {{"Mine", "C:\\mine.exe", "", false}});
    store.SetProfileInt("Settings", "DefBrowser", 0);

    auto answer = [](HWND page, int button) {
        PostToolCommand(page, ID_LIST_FIND);
        HWND box = WaitForDialog("Warning");
        ASSERT_NE(box, nullptr);
        ::PostMessageA(::GetDlgItem(box, button), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, 5000));
    };

    OnBrowsersPage(
        nullptr,
        [&](HWND dialog, HWND page, HWND list) {
            answer(page, IDNO);
            EXPECT_EQ(Labels(list), std::vector<std::string>{"Mine"});
            EXPECT_FALSE(Enabled(dialog, ID_APPLY_NOW));
            answer(page, IDYES);
            EXPECT_EQ(RowCount(list), 0) << "nothing registered";
            CAppPathsSandbox::Register("firefox.exe", "C:\\Firefox\\firefox.exe");
            CAppPathsSandbox::Register("opera.exe", "C:\\Opera\\opera.exe");
            answer(page, IDYES);
            EXPECT_EQ(Labels(list), (std::vector<std::string>{"Opera", "Mozilla Firefox"}));
            EXPECT_EQ(CellText(list, 0, 1), "C:\\Opera\\opera.exe");
            EXPECT_EQ(CellText(list, 0, 2), "Yes");
            EXPECT_EQ(CellText(list, 1, 2), "No");
        },
        IDOK);

    ASSERT_TRUE(Stored(store, 2));
    EXPECT_EQ(Stored(store, 1)->service, "opera");
    EXPECT_TRUE(Stored(store, 1)->useDde);
    EXPECT_EQ(Stored(store, 2)->path, "C:\\Firefox\\firefox.exe");
    EXPECT_FALSE(Stored(store, 2)->useDde);
    EXPECT_EQ(store.ProfileInt("Settings", "DefBrowser", -5), 0);
}
