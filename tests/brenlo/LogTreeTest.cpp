#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "LogTree.h"
#include "TestLogList.h"

namespace {

std::vector<std::string> Labels(const std::vector<LogTreeNode>& level)
{
    std::vector<std::string> labels;
    for (const LogTreeNode& node : level)
        labels.push_back(node.label);
    return labels;
}

using Strings = std::vector<std::string>;

class LogTreeFill : public ::testing::Test {
protected:
    void Fill(bool showSizes) { tree.Fill(CLogListView(list.Get()), facts, showSizes); }
    // A listed log that exists with this size under its Windows spelling.
    void AddExisting(const std::string& path, std::uint64_t size, const std::string& group = std::string())
    {
        std::string windowsPath = path;
        std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
        facts.Set(windowsPath, size);
        list.Add(path, group);
    }

    TestLogList list;
    FakeLogFileFacts facts;
    CLogTree tree;
};

}  // namespace

TEST_F(LogTreeFill, NoEntriesGiveAnEmptyTree)
{
    Fill(true);
    EXPECT_TRUE(tree.Empty());
    EXPECT_TRUE(tree.ClearAllTargets().empty());

    list.Add("C:/logs/error.log");
    LogList* negative = list.Raw();
    negative->count = -2;
    tree.Fill(CLogListView(negative), facts, false);
    EXPECT_TRUE(tree.Empty());
    tree.Fill(CLogListView(nullptr), facts, false);
    EXPECT_TRUE(tree.Empty());
    EXPECT_EQ(facts.queries, 0);
}

TEST_F(LogTreeFill, FilesComeBeforeGroupsAtEveryLevel)
{
    list.Add("C:/logs/c.log");
    list.Add("C:/logs/b/z.log", "B");
    list.Add("C:/logs/b/Y.log", "B");
    list.Add("C:/logs/a.log");
    list.Add("C:/logs/x.log", "alpha");
    Fill(false);

    EXPECT_EQ(Labels(tree.Items()), (Strings{"a.log", "c.log", "alpha", "B"}));
    EXPECT_EQ(Labels(tree.Items()[3].children), (Strings{"Y.log", "z.log"}));
    EXPECT_TRUE(tree.Items()[2].IsGroup());
    EXPECT_FALSE(tree.Items()[1].IsGroup());
}

TEST_F(LogTreeFill, ItemDataIsTheEntryIndexInListOrder)
{
    list.Add("C:/logs/c.log");
    list.Add("C:/logs/v/b.log", "v");
    list.Add("C:/logs/a.log");
    Fill(false);

    ASSERT_EQ(tree.Entries().size(), 3u);
    EXPECT_EQ(tree.Entries()[0].name, "c.log");
    EXPECT_EQ(tree.Entries()[1].name, "b.log");
    EXPECT_EQ(tree.Entries()[2].name, "a.log");
    EXPECT_EQ(tree.Items()[0].data, 2u);  // a.log
    EXPECT_EQ(tree.Items()[1].data, 0u);  // c.log
    EXPECT_EQ(tree.Items()[2].data, kGroupItemData);
    EXPECT_EQ(tree.Items()[2].children[0].data, 1u);
}

TEST_F(LogTreeFill, ImagesTellPresentMissingAndGroups)
{
    AddExisting("C:/logs/there.log", 10);
    list.Add("C:/logs/gone.log");
    list.Add("C:/logs/g/gone.log", "g");
    Fill(false);

    const auto& items = tree.Items();
    EXPECT_EQ(items[0].label, "gone.log");
    EXPECT_EQ(items[0].image, kImageFileMissing);
    EXPECT_EQ(items[1].image, kImageFilePresent);
    EXPECT_EQ(items[2].image, kImageGroupClosed);
    EXPECT_EQ(GroupImage(true), 3);
    EXPECT_EQ(GroupImage(false), 2);
    EXPECT_EQ(items[2].children[0].image, kImageFileMissing);
    EXPECT_TRUE(tree.Entries()[0].exists);
    EXPECT_EQ(tree.Entries()[0].size, 10);
}

TEST_F(LogTreeFill, SizesInLabels)
{
    AddExisting("C:/logs/access.log", 1536);
    AddExisting("C:/logs/empty.log", 0);
    list.Add("C:/logs/missing.log");
    Fill(true);

    EXPECT_EQ(Labels(tree.Items()), (Strings{"access.log - 1.50Kb", "empty.log - 0.00Kb", "missing.log - 0.00Kb"}));
    Fill(false);
    EXPECT_EQ(Labels(tree.Items()), (Strings{"access.log", "empty.log", "missing.log"}));
}

TEST_F(LogTreeFill, SameNameInOnePlaceShowsOnceWithoutSizes)
{
    AddExisting("C:/a/error.log", 2048);
    AddExisting("C:/b/ERROR.log", 4096);
    list.Add("C:/a/error.log", "g");
    list.Add("C:/b/Error.LOG", "g");
    Fill(false);

    ASSERT_EQ(tree.Entries().size(), 2u);
    EXPECT_EQ(tree.Entries()[0].path, "C:\\a\\error.log");
    EXPECT_EQ(tree.Entries()[1].path, "C:\\a\\error.log");
    EXPECT_EQ(Labels(tree.Items()), (Strings{"error.log", "g"}));

    Fill(true);  // the sizes differ, so all four show
    EXPECT_EQ(tree.Entries().size(), 4u);
    EXPECT_EQ(Labels(tree.Items()), (Strings{"error.log - 2.00Kb", "ERROR.log - 4.00Kb", "g"}));
}

TEST_F(LogTreeFill, SameNameAndSizeShowsOnceWithSizes)
{
    AddExisting("C:/a/error.log", 2048);
    AddExisting("C:/b/error.log", 2050);  // 2.00 as well
    Fill(true);
    ASSERT_EQ(tree.Entries().size(), 1u);
    EXPECT_EQ(tree.Entries()[0].path, "C:\\a\\error.log");
}

TEST_F(LogTreeFill, GroupsDifferingInCaseAreOneGroupNamedByTheFirst)
{
    list.Add("C:/1.log", "www.Example.test");
    list.Add("C:/2.log", "WWW.example.TEST");
    list.Add("C:/3.log", "www.example.test");
    Fill(false);
    ASSERT_EQ(tree.Items().size(), 1u);
    EXPECT_EQ(tree.Items()[0].label, "www.Example.test");
    EXPECT_EQ(Labels(tree.Items()[0].children), (Strings{"1.log", "2.log", "3.log"}));
}

TEST_F(LogTreeFill, TopLevelFileNamedLikeAGroupStaysApart)
{
    list.Add("C:/logs/Main");
    list.Add("C:/logs/main/error.log", "main");
    list.Add("C:/other/MAIN");  // a duplicate of the first file, not of the group
    Fill(false);
    EXPECT_EQ(Labels(tree.Items()), (Strings{"Main", "main"}));
    EXPECT_FALSE(tree.Items()[0].IsGroup());
    EXPECT_TRUE(tree.Items()[1].IsGroup());
    EXPECT_EQ(tree.Entries().size(), 2u);
}

TEST_F(LogTreeFill, PathsTakeBackslashesAndNamesFollowTheLastOne)
{
    list.Add("C:/Apache24\\logs/error.log");
    list.Add("access.log");
    list.Add("");
    list.Add("C:/logs/");
    Fill(false);
    const auto& entries = tree.Entries();
    ASSERT_EQ(entries.size(), 3u);  // the empty path and the folder both have an empty name
    EXPECT_EQ(entries[0].path, "C:\\Apache24\\logs\\error.log");
    EXPECT_EQ(entries[0].name, "error.log");
    EXPECT_EQ(entries[1].name, "access.log");
    EXPECT_EQ(entries[2].path, "");
    EXPECT_EQ(entries[2].name, "");
    EXPECT_FALSE(entries[2].exists);
    EXPECT_EQ(Labels(tree.Items()), (Strings{"", "access.log", "error.log"}));
}

TEST_F(LogTreeFill, TextsEndAtAnEmbeddedNul)
{
    list.Add(std::string("C:/logs/a.log\0junk", 18), std::string("grp\0x", 5));
    list.Add("C:/logs/b.log", std::string("\0hidden", 7));
    Fill(false);
    EXPECT_EQ(Labels(tree.Items()), (Strings{"b.log", "grp"}));
    EXPECT_EQ(tree.Entries()[0].path, "C:\\logs\\a.log");
}

TEST_F(LogTreeFill, TwoByteCharactersDifferingOnlyInTheirTrailByteStayApart)
{
    list.Add("C:/\x82\x41.log");
    list.Add("C:/\x82\x61.log");
    LeadByteTable lead{};
    lead[0x82] = true;
    tree.SetLeadBytes(lead);
    Fill(false);
    EXPECT_EQ(tree.Entries().size(), 2u);
}

TEST_F(LogTreeFill, FilesPastTheItemDataLimitAreLeftOut)
{
    for (int i = 0; i < kMaxFileItems + 40; ++i)
        list.Add("C:/logs/" + std::to_string(i) + ".log", i % 2 == 0 ? "even" : "");
    list.Add("C:/logs/0.log", "even");     // a duplicate, not counted as left out
    list.Add("C:/logs/late.log", "late");  // would need a new group
    Fill(false);

    EXPECT_EQ(tree.Entries().size(), static_cast<std::size_t>(kMaxFileItems));
    EXPECT_EQ(tree.Omitted(), 41);
    EXPECT_EQ(Labels(tree.Items()).back(), "even");
    std::size_t shown = 0;
    for (const LogTreeNode& node : tree.Items()) {
        shown += node.IsGroup() ? node.children.size() : 1;
        for (const LogTreeNode& child : node.children)
            EXPECT_LT(child.data, kGroupItemData);
        if (!node.IsGroup()) {
            EXPECT_LT(node.data, kGroupItemData);
        }
    }
    EXPECT_EQ(shown, static_cast<std::size_t>(kMaxFileItems));
}

TEST_F(LogTreeFill, ClearCommandsWorkOnFilesThatExisted)
{
    AddExisting("C:/logs/a.log", 4096);
    list.Add("C:/logs/b.log");
    AddExisting("C:/logs/g/c.log", 100, "g");
    Fill(true);

    EXPECT_TRUE(tree.CanClear(0));
    EXPECT_FALSE(tree.CanClear(1));
    EXPECT_FALSE(tree.CanClear(kGroupItemData));
    EXPECT_FALSE(tree.CanClear(3));
    EXPECT_EQ(tree.EntryOf(kGroupItemData | 1), nullptr);
    EXPECT_EQ(tree.EntryOf(7), nullptr);
    EXPECT_EQ(tree.ClearAllTargets(), (std::vector<int>{0, 2}));

    EXPECT_EQ(tree.MarkCleared(2), "c.log - 0.00Kb");
    EXPECT_EQ(tree.Entries()[2].size, 0);
    EXPECT_EQ(tree.Items()[2].children[0].label, "c.log - 0.00Kb");
    EXPECT_EQ(tree.MarkCleared(0), "a.log - 0.00Kb");
    EXPECT_EQ(tree.Items()[0].label, "a.log - 0.00Kb");
    EXPECT_EQ(tree.MarkCleared(9), "");

    Fill(false);
    EXPECT_EQ(tree.MarkCleared(0), "a.log");
}

TEST_F(LogTreeFill, CurrentEntryFollowsItsPathAcrossRebuilds)
{
    AddExisting("C:/a/x.log", 10);
    AddExisting("C:/b/x.log", 5000);
    Fill(true);
    ASSERT_EQ(tree.Entries().size(), 2u);
    tree.SetCurrentIndex(1);

    Fill(false);  // C:\b\x.log now duplicates C:\a\x.log and has no entry
    EXPECT_EQ(tree.Entries().size(), 1u);
    EXPECT_EQ(tree.CurrentIndex(), -1);

    tree.SetCurrentIndex(0);
    Fill(true);
    EXPECT_EQ(tree.CurrentIndex(), 0);

    tree.SetCurrentIndex(5);
    EXPECT_EQ(tree.CurrentIndex(), -1);
    tree.SetCurrentIndex(-7);
    EXPECT_EQ(tree.CurrentIndex(), -1);
}

TEST_F(LogTreeFill, CurrentEntryIsFoundUnderAnotherSpelling)
{
    AddExisting("C:/z/x.log", 10, "g");
    AddExisting("C:/a/x.log", 20, "g");
    list.Add("c:/A/X.log", "h");
    Fill(false);  // C:/a/x.log duplicates C:/z/x.log in g
    ASSERT_EQ(tree.Entries().size(), 2u);
    tree.SetCurrentIndex(1);
    ASSERT_EQ(tree.Entries()[1].path, "c:\\A\\X.log");

    Fill(true);  // the first entry for that file is now the one of group g
    ASSERT_EQ(tree.Entries().size(), 3u);
    EXPECT_EQ(tree.CurrentIndex(), 1);
    EXPECT_EQ(tree.Entries()[1].path, "C:\\a\\x.log");
}

TEST_F(LogTreeFill, WithoutSizesOnlyFilesThatMakeAnItemAreAskedAbout)
{
    for (int i = 0; i < 5; ++i)
        list.Add("C:/logs/same.log", "g");
    Fill(false);
    EXPECT_EQ(facts.queries, 1);
    Fill(true);
    EXPECT_EQ(facts.queries, 6);
}
