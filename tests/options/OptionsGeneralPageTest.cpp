// The General page through DoOptions: what it shows from the registry (defaults, the Run
// entry, damaged values), its "Hide console" rule, "Default", and what it writes: its own
// bits of "General" with every other bit kept, and the Launcher's Run entry.
#include <gtest/gtest.h>

#include <windows.h>

#include "GeneralFlags.h"
#include "Handles.h"
#include "OptionsHost.h"
#include "RegistrySandbox.h"
#include "RunEntry.h"
#include "resource.h"

using namespace optionstest;

namespace {

std::string HostPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::optional<std::string> RunValue(CSettingsStore& store)
{
    return store.GetString(settings::kRunKey, settings::kRunValue);
}

// Opens the dialog, lets `user` work on the General page, then ends with `button`.
int OnGeneralPage(const std::function<void(HWND dialog, HWND page)>& user, int button = IDOK)
{
    OptionsRun run;
    return run.Run(nullptr, [&](HWND dialog) {
        HWND page = PageWith(dialog, IDC_START_SERVER);
        ASSERT_NE(page, nullptr);
        user(dialog, page);
        Close(dialog, button);
    });
}

// Every case starts from the defaults and without the Launcher's Run entry, and leaves
// neither behind.
class OptionsGeneralPage : public ::testing::Test {
protected:
    void SetUp() override { sandbox.Store().DeleteValue(settings::kRunKey, settings::kRunValue); }
    void TearDown() override { sandbox.Store().DeleteValue(settings::kRunKey, settings::kRunValue); }

    CRegistrySandbox sandbox;
};

}  // namespace

TEST_F(OptionsGeneralPage, AnEmptyTreeShowsTheDefaultsAndHideConsoleFollowsTheExecutable)
{
    OnGeneralPage([](HWND, HWND page) {
        EXPECT_TRUE(Checked(page, IDC_START_SERVER));
        EXPECT_FALSE(Checked(page, IDC_START_WITH_WINDOWS));
        EXPECT_TRUE(Checked(page, IDC_ASK_SHUTDOWN));
        EXPECT_FALSE(Checked(page, IDC_SHUTDOWN_SERVER));
        EXPECT_TRUE(Checked(page, IDC_USE_STUB_EXE));
        EXPECT_TRUE(Checked(page, IDC_HIDE_CONSOLE));
        EXPECT_FALSE(Enabled(page, IDC_HIDE_CONSOLE)) << "the stub's console is not ours to hide";
        for (int id : {IDC_TEST_BEFORE_START, IDC_TEST_BEFORE_SHUTDOWN, IDC_UPDATE_HOSTS_FILE})
            EXPECT_TRUE(Checked(page, id)) << id;

        Press(page, IDC_USE_APACHE_EXE);
        EXPECT_TRUE(Enabled(page, IDC_HIDE_CONSOLE));
        Press(page, IDC_HIDE_CONSOLE);
        Press(page, IDC_USE_STUB_EXE);
        EXPECT_FALSE(Enabled(page, IDC_HIDE_CONSOLE));
        EXPECT_FALSE(Checked(page, IDC_HIDE_CONSOLE)) << "disabled, not cleared";
    });
    EXPECT_FALSE(general::Has(sandbox.Store().ReadGeneral(), general::kHideConsole))
        << "the check mark of a disabled box is saved";
    EXPECT_FALSE(RunValue(sandbox.Store()).has_value());
}

TEST_F(OptionsGeneralPage, SavingWritesItsBitsAndKeepsEveryOther)
{
    CSettingsStore& store = sandbox.Store();
    // Bits of other pages and bits nobody uses, with this page's bits in a mixed state.
    const std::uint32_t stored = 0xFFF00000u | general::Bit(2) | general::Bit(5) | general::Bit(9) | general::Bit(10) |
                                 general::Bit(12) | 0x000FE000u | general::kTestBeforeStart | 2u /* leave running */;
    store.SetProfileInt("Settings", "General", static_cast<int>(stored));
    OnGeneralPage([](HWND, HWND page) {
        EXPECT_TRUE(Checked(page, IDC_LEAVE_RUNNING));
        EXPECT_FALSE(Checked(page, IDC_START_SERVER));
        Press(page, IDC_SHUTDOWN_SERVER);
        Press(page, IDC_START_SERVER);
        Press(page, IDC_TEST_BEFORE_START);
        Press(page, IDC_USE_APACHE_EXE);
        Press(page, IDC_HIDE_CONSOLE);
        Press(page, IDC_UPDATE_HOSTS_FILE);
    });
    const std::uint32_t expected = (stored & ~general::kGeneralPageBits) | general::kStartWithLauncher |
                                   general::kUseApacheExe | general::kHideConsole | general::kUpdateHostsFile;
    EXPECT_EQ(store.ReadGeneral(), expected) << std::hex << store.ReadGeneral();
}

TEST_F(OptionsGeneralPage, TheRunEntryNamesTheHostAndIsComparedWithoutCase)
{
    CSettingsStore& store = sandbox.Store();
    const std::string entry = "\"" + HostPath() + "\" /auto";

    OnGeneralPage([](HWND, HWND page) { Press(page, IDC_START_WITH_WINDOWS); });
    EXPECT_EQ(RunValue(store).value_or("(none)"), entry);

    std::string shouted = entry;
    for (char& c : shouted)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    store.WriteString(settings::kRunKey, settings::kRunValue, shouted);
    OnGeneralPage([](HWND, HWND page) { EXPECT_TRUE(Checked(page, IDC_START_WITH_WINDOWS)); }, IDCANCEL);

    store.WriteString(settings::kRunKey, settings::kRunValue, HostPath() + " /auto");
    OnGeneralPage([](HWND, HWND page) {
        EXPECT_FALSE(Checked(page, IDC_START_WITH_WINDOWS)) << "without the quotes it is not ours";
        // Any save rewrites the entry from the box.
        Press(page, IDC_TEST_BEFORE_SHUTDOWN);
    });
    EXPECT_FALSE(RunValue(store).has_value());
}

TEST_F(OptionsGeneralPage, DefaultRestoresTheTableWithoutWritingAndDamagedValuesShowDefaults)
{
    CSettingsStore& store = sandbox.Store();
    store.WriteString(settings::kRunKey, settings::kRunValue, "\"" + HostPath() + "\" /auto");
    store.SetProfileInt("Settings", "General", 0x80 | 2);
    OnGeneralPage(
        [&](HWND dialog, HWND page) {
            EXPECT_TRUE(Checked(page, IDC_START_WITH_WINDOWS));
            EXPECT_TRUE(Checked(page, IDC_USE_APACHE_EXE));
            Press(page, IDC_DEFAULT);
            EXPECT_FALSE(Checked(page, IDC_START_WITH_WINDOWS));
            EXPECT_TRUE(Checked(page, IDC_USE_STUB_EXE));
            EXPECT_TRUE(Checked(page, IDC_ASK_SHUTDOWN));
            EXPECT_TRUE(Checked(page, IDC_START_SERVER));
            EXPECT_FALSE(Enabled(page, IDC_HIDE_CONSOLE));
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, ID_APPLY_NOW)));
            EXPECT_EQ(store.ReadGeneral(), 0x82u) << "nothing written before OK or Apply";
            EXPECT_TRUE(RunValue(store).has_value());
        },
        IDCANCEL);

    // A "General" of the wrong type or size reads as the default word.
    for (DWORD type : {DWORD{REG_SZ}, DWORD{REG_BINARY}}) {
        store.DeleteValue(store.SectionKey("Settings"), "General");
        CRegKey key;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, settings::kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                    key.Receive(), nullptr),
                  ERROR_SUCCESS);
        const BYTE junk[] = {'2', 0, 0};
        ::RegSetValueExA(key.Get(), "General", 0, type, junk, sizeof junk);
        OnGeneralPage(
            [](HWND, HWND page) {
                EXPECT_TRUE(Checked(page, IDC_ASK_SHUTDOWN));
                EXPECT_TRUE(Checked(page, IDC_START_SERVER));
                EXPECT_TRUE(Checked(page, IDC_USE_STUB_EXE));
            },
            IDCANCEL);
    }
}
