#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "LauncherListsBuilder.h"

namespace {

ServerConfig SampleConfig()
{
    ServerConfig config;
    config.logs = {"Z:/s/logs/error.log", "Z:/s/logs/access.log"};
    config.hosts.push_back({"*:80", "alpha.test", "Z:/s/sites/alpha", "f", 1, {"Z:/s/logs/alpha-error.log"}});
    config.hosts.push_back({"*:8080", "", "D:/www/nameless", "f", 9, {"D:/a.log", "D:/b.log"}});
    return config;
}

// The raw fields of a string as the libraries read them.
void ExpectLayout(const GrowStringLayout& s, const char* text)
{
    const int length = static_cast<int>(std::strlen(text));
    EXPECT_EQ(s.length, length);
    EXPECT_EQ(s.capacity, CGrowString::CapacityFor(length));
    EXPECT_EQ(s.capacity % 64, 0);
    EXPECT_STREQ(s.text, text);
    EXPECT_NE(s.functionTable, nullptr);
}

// The lists built from the sample configuration.
class LauncherLists : public ::testing::Test {
protected:
    void SetUp() override { m_lists.Build(SampleConfig()); }

    CLauncherLists m_lists;
};

}  // namespace

TEST_F(LauncherLists, HostListEntriesHoldNameFolderAndAddress)
{
    CHostListView view(m_lists.Hosts());
    ASSERT_EQ(view.Count(), 2);
    EXPECT_EQ(view.HostName(0), "alpha.test");
    EXPECT_EQ(view.Folder(0), "Z:/s/sites/alpha");
    EXPECT_EQ(view.Extra(0), "*:80");
    EXPECT_EQ(view.HostName(1), "*:8080");  // a host without ServerName goes by its address
    EXPECT_EQ(view.Folder(1), "D:/www/nameless");

    const HostListEntry* entries = m_lists.Hosts()->entries;
    ExpectLayout(entries[0].hostName, "alpha.test");
    ExpectLayout(entries[1].folder, "D:/www/nameless");
    EXPECT_EQ(entries[1].value1, 0);
    EXPECT_EQ(entries[1].value2, 0);
    // Contiguous entries of the fixed size.
    EXPECT_EQ(reinterpret_cast<const char*>(&entries[1]) - reinterpret_cast<const char*>(&entries[0]),
              static_cast<std::ptrdiff_t>(sizeof(HostListEntry)));
#if defined(__i386__)
    EXPECT_EQ(sizeof(HostListEntry), 60u);
#endif
}

TEST_F(LauncherLists, LogListGroupsHostLogsUnderTheHostName)
{
    CLogListView view(m_lists.Logs());
    ASSERT_EQ(view.Count(), 5);
    const std::pair<const char*, const char*> expected[] = {
        {"Z:/s/logs/error.log", ""}, {"Z:/s/logs/access.log", ""}, {"Z:/s/logs/alpha-error.log", "alpha.test"},
        {"D:/a.log", "*:8080"},      {"D:/b.log", "*:8080"},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(view.Path(i), expected[i].first) << i;
        EXPECT_EQ(view.Group(i), expected[i].second) << i;
        ExpectLayout(m_lists.Logs()->entries[i].path, expected[i].first);
    }
    // An empty group is still a real string: empty text, capacity 64.
    ExpectLayout(m_lists.Logs()->entries[0].group, "");
#if defined(__i386__)
    EXPECT_EQ(sizeof(LogListEntry), 32u);
#endif
}

TEST_F(LauncherLists, RebuildingReplacesTheListsAndAnEmptyConfigurationGivesEmptyLists)
{
    m_lists.Build(ServerConfig{});
    EXPECT_EQ(CHostListView(m_lists.Hosts()).Count(), 0);
    EXPECT_EQ(CLogListView(m_lists.Logs()).Count(), 0);
    EXPECT_EQ(m_lists.Hosts()->count, 0);
}
