#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "GrowString.h"
#include "LauncherLists.h"

namespace {

GrowStringLayout Layout(const char* text, int length)
{
    return GrowStringLayout{nullptr, text, 64, length};
}

// A log entry built from real strings, as the Launcher builds its list.
struct RealLogEntry {
    CGrowString path;
    CGrowString group;
};

}  // namespace

TEST(LauncherLists, TextIsCopiedByItsLengthOnly)
{
    const char buffer[] = {'e', 'r', 'r', 'o', 'r', '.', 'l', 'o', 'g', 'X', 'Y'};  // no NUL at all
    EXPECT_EQ(TextOf(Layout(buffer, 9)), "error.log");
    EXPECT_EQ(TextOf(Layout(nullptr, 9)), "");
    EXPECT_EQ(TextOf(Layout(buffer, -4)), "");
    EXPECT_EQ(TextOf(Layout(buffer, 0)), "");
}

TEST(LauncherLists, NegativeCountsAndNullListsAreEmpty)
{
    LogListEntry entry{Layout("a", 1), Layout("", 0)};
    LogList negative{&entry, -3};
    EXPECT_EQ(CLogListView(&negative).Count(), 0);
    EXPECT_EQ(CLogListView(nullptr).Count(), 0);
    LogList noEntries{nullptr, 5};
    EXPECT_EQ(CLogListView(&noEntries).Count(), 0);

    HostList hosts{nullptr, 2};
    EXPECT_EQ(CHostListView(&hosts).Count(), 0);
    EXPECT_EQ(CHostListView(nullptr).Count(), 0);
}

TEST(LauncherLists, LogListOfRealStrings)
{
    static_assert(sizeof(RealLogEntry) == sizeof(LogListEntry));
    std::vector<RealLogEntry> entries(3);
    entries[0].path = "C:/Apache24/logs/error.log";
    entries[1].path = "C:\\Apache24\\logs\\www.example.test-access.log";
    entries[1].group = "www.example.test";
    entries[2].path = "";
    LogList list{reinterpret_cast<const LogListEntry*>(entries.data()), 3};

    CLogListView view(&list);
    ASSERT_EQ(view.Count(), 3);
    EXPECT_EQ(view.Path(0), "C:/Apache24/logs/error.log");
    EXPECT_EQ(view.Group(0), "");
    EXPECT_EQ(view.Path(1), "C:\\Apache24\\logs\\www.example.test-access.log");
    EXPECT_EQ(view.Group(1), "www.example.test");
    EXPECT_EQ(view.Path(2), "");
}

TEST(LauncherLists, HostListReadsItsThreeStrings)
{
    HostListEntry entry{};
    entry.hostName = Layout("www.example.test", 16);
    entry.folder = Layout("C:/www/example", 14);
    entry.extra = Layout("ignored", 7);
    entry.value1 = 80;
    HostList list{&entry, 1};
    CHostListView view(&list);
    ASSERT_EQ(view.Count(), 1);
    EXPECT_EQ(view.HostName(0), "www.example.test");
    EXPECT_EQ(view.Folder(0), "C:/www/example");
    EXPECT_EQ(view.Extra(0), "ignored");
}
