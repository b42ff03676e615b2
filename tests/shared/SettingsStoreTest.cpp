#include <gtest/gtest.h>

#include <memory>

#include "GeneralFlags.h"
#include "MemorySettingsBackend.h"
#include "SettingsStore.h"
#ifdef _WIN32
#include "RegistrySettingsBackend.h"
#endif

// The same behaviour is demanded of the in-memory store and, under Windows, of the
// registry itself (the test program's own per-user hive, emptied around each test).

namespace {

struct MemoryStore {
    static std::unique_ptr<ISettingsBackend> Make() { return std::make_unique<CMemorySettingsBackend>(); }
};

#ifdef _WIN32
struct RegistryStore {
    static std::unique_ptr<ISettingsBackend> Make()
    {
        auto backend = std::make_unique<CRegistrySettingsBackend>(HKEY_CURRENT_USER);
        backend->DeleteKey(settings::kCompanyKey);
        return backend;
    }
};
#endif

template <typename Kind>
class SettingsStoreTest : public ::testing::Test {
protected:
    void TearDown() override { backend->DeleteKey(settings::kCompanyKey); }

    void WriteRaw(const std::string& key, const std::string& name, SettingType type, std::vector<std::uint8_t> bytes)
    {
        SettingValue v;
        v.type = type;
        v.bytes = std::move(bytes);
        ASSERT_TRUE(backend->Write(key, name, v));
    }

    std::unique_ptr<ISettingsBackend> backend = Kind::Make();
    CSettingsStore store{*backend};
};

#ifdef _WIN32
using StoreKinds = ::testing::Types<MemoryStore, RegistryStore>;
#else
using StoreKinds = ::testing::Types<MemoryStore>;
#endif
TYPED_TEST_SUITE(SettingsStoreTest, StoreKinds);

}  // namespace

TYPED_TEST(SettingsStoreTest, EmptyTreeGivesEveryDefault)
{
    auto& s = this->store;
    EXPECT_EQ(s.ReadGeneral(), 0x7E979u);
    EXPECT_EQ(s.ReadHotkeyCode(), 0x200C0u);
    EXPECT_EQ(s.ReadApachePath(), "");
    EXPECT_EQ(s.ReadProjects(), "");
    EXPECT_EQ(s.ReadDefBrowser(), -1);
    EXPECT_EQ(s.ReadLeftPane(), 100);
    EXPECT_EQ(s.ReadShowSize(), 0);
    EXPECT_FALSE(s.ReadPlacement(settings::kScrivelWindow).has_value());
    EXPECT_FALSE(s.ReadPlacement(settings::kMainWindow).has_value());
    EXPECT_FALSE(s.ReadBarState().has_value());
    EXPECT_TRUE(s.ReadScrivelFiles().empty());
    EXPECT_TRUE(s.ValueNames(settings::kBrowsersKey).empty());
    EXPECT_TRUE(s.ValueNames(settings::kHostsOptKey).empty());

    using settings::CommandLine;
    EXPECT_EQ(s.ReadCommandLine(CommandLine::Start), "-s");
    EXPECT_EQ(s.ReadCommandLine(CommandLine::Restart), "-k restart");
    EXPECT_EQ(s.ReadCommandLine(CommandLine::Stop), "-k shutdown");
    EXPECT_EQ(s.ReadCommandLine(CommandLine::Test), "-t");
    EXPECT_EQ(s.ReadCommandLine(CommandLine::Version), "-v");
    EXPECT_EQ(s.ReadCommandLine(CommandLine::Settings), "-S -t");
    EXPECT_EQ(s.ReadCommandLine(CommandLine::Modules), "-l");
    EXPECT_EQ(s.ReadCommandLine(CommandLine::Directives), "-L");
}

TYPED_TEST(SettingsStoreTest, ProfileValuesLandInTheSectionKeyUnderTheRoot)
{
    auto& s = this->store;
    ASSERT_TRUE(s.SetProfileInt("Settings", "LeftPane", 240));
    ASSERT_TRUE(s.SetProfileString("Settings", "ApachePath", "C:\\Apache24"));
    const std::uint8_t blob[3] = {1, 0, 7};
    ASSERT_TRUE(s.SetProfileBinary("Settings", "Blob", blob, sizeof blob));

    EXPECT_EQ(s.GetInt("Software\\Quorlane\\Tessaly\\Settings", "LeftPane", 0), 240);
    EXPECT_EQ(s.ReadLeftPane(), 240);
    EXPECT_EQ(s.ReadApachePath(), "C:\\Apache24");
    std::vector<std::uint8_t> back;
    ASSERT_TRUE(s.ProfileBinary("Settings", "Blob", back));
    EXPECT_EQ(back, std::vector<std::uint8_t>(blob, blob + 3));
}

TYPED_TEST(SettingsStoreTest, StringsAreStoredWithTheirNul)
{
    this->store.SetProfileString("Settings", "Projects", "prj,tpr");
    SettingValue raw;
    ASSERT_TRUE(this->backend->Read(settings::kSettingsKey, "Projects", raw));
    EXPECT_EQ(raw.type, SettingType::String);
    EXPECT_EQ(raw.bytes.size(), 8u);
    EXPECT_EQ(raw.bytes.back(), 0);
}

TYPED_TEST(SettingsStoreTest, DamagedValuesReadAsDefaults)
{
    this->WriteRaw(settings::kSettingsKey, "General", SettingType::String, {'1', '2', 0});
    this->WriteRaw(settings::kSettingsKey, "LeftPane", SettingType::Binary, {1, 2});
    this->WriteRaw(settings::kSettingsKey, "ApachePath", SettingType::Integer, {1, 0, 0, 0});
    auto& s = this->store;
    EXPECT_EQ(s.ReadGeneral(), settings::kGeneralDefault);
    EXPECT_EQ(s.ReadLeftPane(), 100);
    EXPECT_EQ(s.ReadApachePath(), "");
}

TYPED_TEST(SettingsStoreTest, StringWithoutItsNulEndsAtTheStoredBytes)
{
    this->WriteRaw(settings::kSettingsKey, "ApachePath", SettingType::String, {'C', ':', '\\', 'x'});
    EXPECT_EQ(this->store.ReadApachePath(), "C:\\x");
}

TYPED_TEST(SettingsStoreTest, ShortPlacementAndBarStateReadAsAbsent)
{
    this->WriteRaw(settings::kSettingsKey, "ScrivelWindow", SettingType::Binary, std::vector<std::uint8_t>(43, 1));
    this->WriteRaw(settings::kSettingsKey, "DockedBar", SettingType::Binary, std::vector<std::uint8_t>(47, 1));
    EXPECT_FALSE(this->store.ReadPlacement(settings::kScrivelWindow).has_value());
    EXPECT_FALSE(this->store.ReadBarState().has_value());

    PlacementRecord p;
    p.showCmd = 1;
    p.right = 500;
    ASSERT_TRUE(this->store.WritePlacement(settings::kScrivelWindow, p));
    const auto back = this->store.ReadPlacement(settings::kScrivelWindow);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->right, 500);
}

TYPED_TEST(SettingsStoreTest, GeneralBitsMergeIntoTheStoredWord)
{
    auto& s = this->store;
    // Nothing stored yet: the merge starts from the default word.
    ASSERT_TRUE(s.WriteGeneralBits(general::kOtherPageBits, 0));
    EXPECT_EQ(s.ReadGeneral(), settings::kGeneralDefault & ~general::kOtherPageBits);

    ASSERT_TRUE(s.WriteGeneralBits(general::kHostsPageBits, general::WithSortHosts(0, false)));
    const std::uint32_t word = s.ReadGeneral();
    EXPECT_FALSE(general::Has(word, general::kSortHostsRead));
    EXPECT_FALSE(general::Has(word, general::kSortHostsWritten));
    EXPECT_TRUE(general::Has(word, general::kHideConsole));
}

TYPED_TEST(SettingsStoreTest, FileListStopsAtTheFirstMissingOrEmptyValue)
{
    auto& s = this->store;
    s.WriteString(settings::kFilesKey, "File0", "C:\\Apache24\\conf\\httpd.conf");
    s.WriteString(settings::kFilesKey, "File1", "C:\\Apache24\\conf\\access.conf");
    s.WriteString(settings::kFilesKey, "File3", "C:\\after-a-gap.conf");
    EXPECT_EQ(s.ReadScrivelFiles(),
              (std::vector<std::string>{"C:\\Apache24\\conf\\httpd.conf", "C:\\Apache24\\conf\\access.conf"}));

    s.WriteString(settings::kFilesKey, "File1", "");
    EXPECT_EQ(s.ReadScrivelFiles().size(), 1u);
}

TYPED_TEST(SettingsStoreTest, FileListReadsAtMostFile99)
{
    auto& s = this->store;
    for (int i = 0; i <= 100; ++i) {
        const std::string number = std::to_string(i);
        s.WriteString(settings::kFilesKey, std::string("File").append(number), std::string("f").append(number));
    }
    const auto files = s.ReadScrivelFiles();
    ASSERT_EQ(files.size(), 100u);
    EXPECT_EQ(files.back(), "f99");
}

TYPED_TEST(SettingsStoreTest, WritingTheFileListReplacesTheOldOne)
{
    auto& s = this->store;
    ASSERT_TRUE(s.WriteScrivelFiles({"a", "b", "c"}));
    ASSERT_TRUE(s.WriteScrivelFiles({"x"}));
    EXPECT_EQ(s.ReadScrivelFiles(), std::vector<std::string>{"x"});
    EXPECT_EQ(s.ValueNames(settings::kFilesKey), std::vector<std::string>{"File0"});
}

TYPED_TEST(SettingsStoreTest, NamesCompareWithoutRegardToCase)
{
    auto& s = this->store;
    s.WriteString("SOFTWARE\\QUORLANE\\TESSALY\\SETTINGS\\CMDLINES", "TEST", "-t -f conf/other.conf");
    EXPECT_EQ(s.ReadCommandLine(settings::CommandLine::Test), "-t -f conf/other.conf");
    s.WriteCommandLine(settings::CommandLine::Test, "-t");
    EXPECT_EQ(s.ValueNames(settings::kCmdLinesKey).size(), 1u);
}

TYPED_TEST(SettingsStoreTest, DeletingAListKeyTakesItsValuesAndLeavesTheRest)
{
    auto& s = this->store;
    const std::uint8_t flags[] = {settings::kHostShowHost, 'C', ':', 0};
    s.WriteBinary(settings::kHostsOptKey, "www.example.test", flags, sizeof flags);
    s.SetProfileInt("Settings", "ShowSize", 1);
    ASSERT_TRUE(s.DeleteKey(settings::kHostsOptKey));
    EXPECT_FALSE(s.KeyExists(settings::kHostsOptKey));
    EXPECT_TRUE(s.ValueNames(settings::kHostsOptKey).empty());
    EXPECT_EQ(s.ReadShowSize(), 1);
    EXPECT_TRUE(s.DeleteKey(settings::kHostsOptKey));  // already gone is fine
}

TYPED_TEST(SettingsStoreTest, ValueNamesComeInCreationOrder)
{
    auto& s = this->store;
    const std::uint8_t rec[] = {0};
    for (const char* name : {"Browser1", "Browser2", "Browser3"})
        s.WriteBinary(settings::kBrowsersKey, name, rec, sizeof rec);
    EXPECT_EQ(s.ValueNames(settings::kBrowsersKey), (std::vector<std::string>{"Browser1", "Browser2", "Browser3"}));
}

TEST(MemorySettingsBackend, RefusedWritesChangeNothing)
{
    CMemorySettingsBackend backend;
    CSettingsStore store(backend);
    store.SetProfileInt("Settings", "LeftPane", 150);
    backend.SetReadOnly(true);
    EXPECT_FALSE(store.SetProfileInt("Settings", "LeftPane", 300));
    EXPECT_FALSE(store.WriteScrivelFiles({"a"}));
    EXPECT_EQ(store.ReadLeftPane(), 150);
}
