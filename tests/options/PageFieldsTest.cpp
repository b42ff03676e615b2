// The General and Other pages' settings as their descriptions load, save and restore them,
// on the in-memory store: each page writes its own bits and keeps every other one, damaged
// values read as their defaults, and the Run entry and hot key follow their rules.
#include <gtest/gtest.h>

#include <algorithm>

#include "GeneralFlags.h"
#include "HotkeyCode.h"
#include "MemorySettingsBackend.h"
#include "PageDescriptions.h"
#include "RunEntry.h"
#include "SettingsStore.h"

namespace {

class PageFieldsTest : public ::testing::Test {
protected:
    std::uint32_t General() const { return store.ReadGeneral(); }
    void StoreGeneral(std::uint32_t word) { store.SetProfileInt("Settings", "General", static_cast<int>(word)); }
    void StoreRaw(const char* name, SettingType type, std::vector<std::uint8_t> bytes)
    {
        backend.Write(store.SectionKey("Settings"), name, SettingValue{type, std::move(bytes)});
    }

    CMemorySettingsBackend backend;
    CSettingsStore store{backend};
    CPageFields generalPage{pages::kGeneralFields};
    CPageFields otherPage{pages::kOtherFields};
};

// Every stored check box and radio group set the other way.
FieldValues Flipped(const CPageFields& page, const FieldValues& values)
{
    FieldValues flipped = values;
    const auto fields = page.Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].valueName)
            continue;
        if (fields[i].kind == FieldKind::Check)
            flipped[i] = values[i] ? 0 : 1;
        else if (fields[i].kind == FieldKind::Radio)
            flipped[i] = values[i] == 0 ? 1 : 0;
    }
    return flipped;
}

}  // namespace

TEST_F(PageFieldsTest, EachPageSavesItsBitsAndKeepsEveryOther)
{
    struct Case {
        CPageFields* page;
        std::uint32_t owned;
    };
    for (const Case& c : {Case{&generalPage, general::kGeneralPageBits}, Case{&otherPage, general::kOtherPageBits}}) {
        for (std::uint32_t stored : {0u, 0xFFFFFFFFu, settings::kGeneralDefault, 0xA5A5A5A5u, 0x5A5A5A5Au}) {
            StoreGeneral(stored);
            const FieldValues flipped = Flipped(*c.page, c.page->Load(store));
            ASSERT_TRUE(c.page->Save(store, flipped));
            EXPECT_EQ(General() & ~c.owned, stored & ~c.owned) << std::hex << stored;
            EXPECT_EQ(c.page->Load(store), flipped) << std::hex << stored;
            EXPECT_NE(General() & c.owned, stored & c.owned) << "every owned bit was flipped";
        }
        EXPECT_EQ(c.page->OwnedBits("General"), c.owned);
    }
}

TEST_F(PageFieldsTest, AnEmptyTreeShowsTheDefaults)
{
    const FieldValues general = generalPage.Load(store);
    auto value = [&](const CPageFields& page, const FieldValues& values, int id) {
        return values[static_cast<std::size_t>(page.IndexOf(id))];
    };
    EXPECT_EQ(value(generalPage, general, IDC_START_SERVER), 1);
    EXPECT_EQ(value(generalPage, general, IDC_ASK_SHUTDOWN), 1) << "on exit: ask";
    EXPECT_EQ(value(generalPage, general, IDC_USE_APACHE_EXE), 0) << "stub.exe";
    EXPECT_EQ(value(generalPage, general, IDC_HIDE_CONSOLE), 1);
    EXPECT_EQ(value(generalPage, general, IDC_UPDATE_HOSTS_FILE), 1);
    EXPECT_EQ(value(generalPage, general, IDC_START_WITH_WINDOWS), 0) << "the page reads the Run entry itself";

    const FieldValues other = otherPage.Load(store);
    EXPECT_EQ(value(otherPage, other, IDC_SHOW_SPLASH), 0);
    EXPECT_EQ(value(otherPage, other, IDC_SHOW_TOOLTIPS), 1);
    EXPECT_EQ(static_cast<std::uint32_t>(value(otherPage, other, IDC_MENU_HOTKEY)), 0x200C0u);
}

TEST_F(PageFieldsTest, DamagedValuesReadAsTheirDefaults)
{
    const FieldValues defaults = generalPage.Load(store);
    StoreRaw("General", SettingType::String, {'7', 0});
    EXPECT_EQ(generalPage.Load(store), defaults);
    StoreRaw("General", SettingType::Binary, {0, 0, 0});
    EXPECT_EQ(generalPage.Load(store), defaults);
    StoreRaw("General", SettingType::Integer, {0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(generalPage.Load(store), defaults);
    // Saving over a damaged word starts from the default word.
    ASSERT_TRUE(generalPage.Save(store, defaults));
    EXPECT_EQ(General(), settings::kGeneralDefault);
}

TEST_F(PageFieldsTest, DefaultRestoresTheTableAndKeepsTheSplashBox)
{
    FieldValues general(pages::kGeneralFields.size(), 0);
    generalPage.RestoreDefaults(general);
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < pages::kGeneralFields.size(); ++i)
        word = WordWithField(pages::kGeneralFields[i], word, general[i]);
    EXPECT_EQ(word, settings::kGeneralDefault & general::kGeneralPageBits);
    EXPECT_EQ(general[static_cast<std::size_t>(generalPage.IndexOf(IDC_START_WITH_WINDOWS))], 0);

    FieldValues other(pages::kOtherFields.size(), 0);
    other[static_cast<std::size_t>(otherPage.IndexOf(IDC_SHOW_SPLASH))] = 1;
    otherPage.RestoreDefaults(other);
    EXPECT_EQ(other, (FieldValues{1, 1, 1, 1, 0x200C0}));
}

TEST_F(PageFieldsTest, TheOtherPageStoresTheHotKeyWhole)
{
    FieldValues other = otherPage.Load(store);
    other.back() = static_cast<int>(hotkey::Code(hotkey::kControl | hotkey::kExtended, 0x2E));
    ASSERT_TRUE(otherPage.Save(store, other));
    EXPECT_EQ(store.ReadHotkeyCode(), 0xA002Eu);
    EXPECT_EQ(General(), settings::kGeneralDefault);
}

TEST(HotkeyCode, StoredCodesLoadAsKeysTheControlCanHold)
{
    using hotkey::UsableCode;
    EXPECT_EQ(UsableCode(0x200C0), 0x200C0u);
    EXPECT_EQ(UsableCode(0x41), 0x41u) << "a plain key";
    EXPECT_EQ(UsableCode(0xA002E), 0xA002Eu) << "Ctrl with an extended key";
    EXPECT_EQ(UsableCode(0), 0x200C0u) << "no key at all";
    EXPECT_EQ(UsableCode(0x20000), 0x200C0u) << "Ctrl without a key";
    EXPECT_EQ(UsableCode(0x201C0), 0x200C0u) << "a key beyond the keyboard";
    EXPECT_EQ(UsableCode(0xFF020041), 0x20041u) << "unknown modifier bits are dropped";
    EXPECT_EQ(UsableCode(0x50041), 0x41u) << "Shift+Alt is refused by the control's rules";
    EXPECT_EQ(UsableCode(0x10041), 0x41u) << "Shift alone is refused";
    EXPECT_EQ(UsableCode(0x60041), 0x41u) << "Ctrl+Alt is refused";
}

TEST(RunEntry, NamesThisLauncherQuotedWithAutoAndComparesWithoutCase)
{
    CMemorySettingsBackend backend;
    CSettingsStore store(backend);
    const std::string host = "C:/Program Files/Tessaly/Launcher.exe";
    EXPECT_EQ(runentry::EntryFor(host), "\"C:\\Program Files\\Tessaly\\Launcher.exe\" /auto");
    EXPECT_FALSE(runentry::IsLauncherRegistered(store, host)) << "no entry";

    runentry::SetLauncherAutostart(store, host, true);
    EXPECT_EQ(store.GetString(settings::kRunKey, "ApacheLauncher").value_or(""),
              "\"C:\\Program Files\\Tessaly\\Launcher.exe\" /auto");
    EXPECT_TRUE(runentry::IsLauncherRegistered(store, host));

    for (const char* other : {"\"c:\\PROGRAM FILES\\tessaly\\launcher.EXE\" /AUTO"}) {
        store.WriteString(settings::kRunKey, "ApacheLauncher", other);
        EXPECT_TRUE(runentry::IsLauncherRegistered(store, host)) << other;
    }
    for (const char* other : {"C:\\Program Files\\Tessaly\\Launcher.exe /auto",
                              "\"C:\\Program Files\\Tessaly\\Launcher.exe\"", "\"D:\\Tessaly\\Launcher.exe\" /auto"}) {
        store.WriteString(settings::kRunKey, "ApacheLauncher", other);
        EXPECT_FALSE(runentry::IsLauncherRegistered(store, host)) << other;
    }
    runentry::SetLauncherAutostart(store, host, false);
    EXPECT_FALSE(store.GetString(settings::kRunKey, "ApacheLauncher").has_value());
}
