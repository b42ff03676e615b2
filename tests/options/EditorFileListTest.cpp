// The Scrivel page's file list on the in-memory store, where the page cannot reach: the
// defaults for each state of the key, empty entries, a key that cannot be made. Reading up
// to a gap, the 99 at most, the buttons and moves are walked through the page itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorFileList.h"
#include "MemorySettingsBackend.h"
#include "SettingsStore.h"

namespace {

class EditorFileListTest : public ::testing::Test {
protected:
    void StoreFile(int index, const std::string& path)
    {
        store.WriteString(settings::kFilesKey, "File" + std::to_string(index), path);
    }
    bool Stored(int index) const
    {
        return store.GetString(settings::kFilesKey, "File" + std::to_string(index)).has_value();
    }

    CMemorySettingsBackend backend;
    CSettingsStore store{backend};
};

}  // namespace

TEST_F(EditorFileListTest, NoKeyGivesTheDefaultsBelowTheServerFolder)
{
    auto loaded = editorfiles::Load(store);
    EXPECT_TRUE(loaded.defaultsUsed);
    EXPECT_EQ(loaded.files, (std::vector<std::string>{"\\conf\\access.conf", "\\conf\\httpd.conf"}));

    store.SetProfileString("Settings", "ApachePath", "C:\\Apache24");
    loaded = editorfiles::Load(store);
    EXPECT_EQ(loaded.files,
              (std::vector<std::string>{"C:\\Apache24\\conf\\access.conf", "C:\\Apache24\\conf\\httpd.conf"}));

    ASSERT_TRUE(store.CreateKey(settings::kFilesKey));
    loaded = editorfiles::Load(store);
    EXPECT_FALSE(loaded.defaultsUsed) << "an empty key is an empty list";
    EXPECT_TRUE(loaded.files.empty());
}

TEST_F(EditorFileListTest, EmptyEntriesAreSkippedAndAnEmptyListEmptiesTheKey)
{
    StoreFile(0, "a");
    StoreFile(1, "b");
    StoreFile(2, "c");
    ASSERT_TRUE(editorfiles::Save(store, {"", "x", ""}));
    EXPECT_EQ(store.GetString(settings::kFilesKey, "File0"), "x");
    EXPECT_FALSE(Stored(1));
    ASSERT_TRUE(editorfiles::Save(store, {}));
    EXPECT_TRUE(store.KeyExists(settings::kFilesKey));
    EXPECT_TRUE(store.ValueNames(settings::kFilesKey).empty());
    EXPECT_FALSE(editorfiles::Load(store).defaultsUsed);
}

TEST_F(EditorFileListTest, AKeyThatCannotBeMadeIsReportedAndNothingWritten)
{
    backend.SetReadOnly(true);
    EXPECT_FALSE(editorfiles::Save(store, {"y"}));
    EXPECT_FALSE(store.KeyExists(settings::kFilesKey));
}
