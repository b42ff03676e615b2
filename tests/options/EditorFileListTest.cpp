// The Scrivel page's file list on the in-memory store: the first-run defaults, reading up to
// a gap and at most 99, writing without gaps and deleting only up to the first missing
// number, the refused hundredth entry, and the tool bar's enabling rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorFileList.h"
#include "MemorySettingsBackend.h"
#include "SettingsStore.h"

using editorfiles::CFileList;

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

TEST_F(EditorFileListTest, ReadingStopsAtAGapAndSavingLeavesWhatLiesPastIt)
{
    StoreFile(0, "a.conf");
    StoreFile(1, "b.conf");
    StoreFile(3, "d.conf");
    const auto loaded = editorfiles::Load(store);
    EXPECT_EQ(loaded.files, (std::vector<std::string>{"a.conf", "b.conf"}));
    ASSERT_TRUE(editorfiles::Save(store, loaded.files));
    EXPECT_TRUE(Stored(1));
    EXPECT_FALSE(Stored(2));
    EXPECT_EQ(store.GetString(settings::kFilesKey, "File3"), "d.conf");
}

TEST_F(EditorFileListTest, AHundredAndTwentyStoredGiveNinetyNineWrittenBackAndTheRestDeleted)
{
    for (int i = 0; i < 120; ++i)
        StoreFile(i, "f" + std::to_string(i));
    const auto loaded = editorfiles::Load(store);
    ASSERT_EQ(loaded.files.size(), 99u);
    EXPECT_EQ(loaded.files.back(), "f98");
    ASSERT_TRUE(editorfiles::Save(store, CFileList(loaded.files).Files()));
    EXPECT_EQ(store.GetString(settings::kFilesKey, "File98"), "f98");
    for (int i = 99; i < 120; ++i)
        EXPECT_FALSE(Stored(i)) << i;
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

TEST_F(EditorFileListTest, ButtonsFollowTheSelectedRowAndAddStopsAtNinetyNine)
{
    CFileList list({"a", "b", "c"});
    auto none = list.ButtonsFor(-1);
    EXPECT_TRUE(none.add);
    EXPECT_FALSE(none.edit || none.remove || none.up || none.down);
    auto first = list.ButtonsFor(0);
    EXPECT_TRUE(first.edit && first.remove && first.down);
    EXPECT_FALSE(first.up);
    auto last = list.ButtonsFor(2);
    EXPECT_TRUE(last.up);
    EXPECT_FALSE(last.down);

    while (!list.Full())
        list.Add("x");
    EXPECT_EQ(list.Count(), 99);
    EXPECT_EQ(list.Add("one too many"), -1);
    EXPECT_EQ(list.Count(), 99);
    EXPECT_FALSE(list.ButtonsFor(5).add);
    list.Remove(0);
    EXPECT_TRUE(list.ButtonsFor(-1).add);
}

TEST_F(EditorFileListTest, AnEditedEntryKeepsItsPathWhileAnotherMoves)
{
    CFileList list({"a", "b", "c"});
    ASSERT_TRUE(list.Replace(0, "edited"));
    EXPECT_EQ(list.MoveUp(2), 1);
    EXPECT_EQ(list.MoveDown(1), 2);
    EXPECT_EQ(list.MoveUp(0), -1);
    EXPECT_EQ(list.MoveDown(2), -1);
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"edited", "b", "c"}));
    EXPECT_EQ(editorfiles::WithBackslashes("C:/web/conf/httpd.conf"), "C:\\web\\conf\\httpd.conf");
}
