#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Handles.h"
#include "LogClearing.h"
#include "LogProbe.h"
#include "TestLogList.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "WinLogFileFacts.h"

namespace {

std::string Content(const std::string& path)
{
    std::string text;
    return testpaths::ReadTextFile(path, text) ? text : "<unreadable>";
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string OldLines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "old line %d before clearing\n", i);
        text += line;
    }
    return text;
}

// The probe's lines first..last, as the log holds them.
std::string ProbeLines(unsigned long first, unsigned long last)
{
    std::string text;
    for (unsigned long n = first; n <= last; ++n)
        text += CLogProbe::Line(n);
    return text;
}

// The number of the probe's first line in the text, or -1.
long FirstProbeLine(const std::string& text)
{
    unsigned long n = 0;
    return std::sscanf(text.c_str(), "probe %lu\n", &n) == 1 ? static_cast<long>(n) : -1;
}

class LogClearing : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = testpaths::MakeWorkDir(std::string("BrenloClearing-") +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    std::string Log(const std::string& name, const std::string& content)
    {
        const std::string path = testpaths::Join(dir, name);
        EXPECT_TRUE(testpaths::WriteTextFile(path, content));
        return path;
    }

    std::string dir;
};

}  // namespace

TEST_F(LogClearing, ALogTheServerAppendsToIsEmptiedAndTheServerWritesOnFromTheStart)
{
    const std::string log = Log("access.log", OldLines(2000));
    CLogProbe server;
    ASSERT_TRUE(server.StartAppending(log));

    std::uint64_t sizeBefore = testpaths::FileSize(log);
    for (int round = 0; round < 5; ++round) {
        // The server has appended since the last clear.
        ui::WaitUntil([&] { return testpaths::FileSize(log) > sizeBefore; }, 5000);
        sizeBefore = 0;
        const LogClearResult result = ClearLogFile(log);
        EXPECT_EQ(result.outcome, LogClearOutcome::Cleared) << "round " << round;
        EXPECT_EQ(result.attempts, 1);
        EXPECT_EQ(result.path, log);
    }
    ui::WaitUntil([&] { return testpaths::FileSize(log) > 0; }, 5000);
    ASSERT_EQ(server.Stop(), 0);
    ASSERT_TRUE(server.Reported());
    EXPECT_EQ(server.Failed(), 0u);
    ASSERT_GT(server.Lines(), 0u);

    // Only whole lines written after the last clear, from offset 0 on: no old text and no
    // gap of zero bytes where the end of the file used to be.
    const std::string text = Content(log);
    const long first = FirstProbeLine(text);
    ASSERT_GT(first, 0) << text.substr(0, 200);
    EXPECT_TRUE(text == ProbeLines(first, server.Lines() - 1)) << "first " << first << ", size " << text.size();
}

TEST_F(LogClearing, ALogHeldWithoutWriteSharingIsGivenUpAsBusyAfterTheRetries)
{
    const std::string content = OldLines(50);
    const std::string log = Log("error.log", content);
    CLogProbe holder;
    ASSERT_TRUE(holder.StartHolding(log));

    const DWORD started = ::GetTickCount();
    const LogClearResult result = ClearLogFile(log);
    const DWORD elapsed = ::GetTickCount() - started;
    EXPECT_EQ(result.outcome, LogClearOutcome::Busy);
    EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(result.attempts, LogClearRetry{}.attempts);
    EXPECT_GE(elapsed, 900u);
    EXPECT_TRUE(result.MustTellUser());
    EXPECT_EQ(ClearFailureText(result), "Cannot clear\n" + log + "\nThe file is in use by another program.");
    EXPECT_EQ(holder.Stop(), 0);
    EXPECT_EQ(Content(log), content);
}

TEST_F(LogClearing, ALogLetGoDuringTheRetriesIsCleared)
{
    const std::string log = Log("error.log", OldLines(50));
    CLogProbe holder;
    ASSERT_TRUE(holder.StartHolding(log, 400));

    const LogClearResult result = ClearLogFile(log);
    EXPECT_EQ(result.outcome, LogClearOutcome::Cleared);
    EXPECT_GT(result.attempts, 1);
    EXPECT_LE(result.attempts, LogClearRetry{}.attempts);
    EXPECT_EQ(Content(log), "");
}

TEST_F(LogClearing, AMissingLogIsNotCreatedAndNotTold)
{
    const std::string gone = testpaths::Join(dir, "gone.log");
    const std::string inMissingFolder = testpaths::Join(dir, "nofolder\\gone.log");
    for (const std::string& path : {gone, inMissingFolder}) {
        const LogClearResult result = ClearLogFile(path);
        EXPECT_EQ(result.outcome, LogClearOutcome::Missing) << path;
        EXPECT_EQ(result.attempts, 1);
        EXPECT_FALSE(result.MustTellUser());
        EXPECT_FALSE(Exists(path));
    }
}

TEST_F(LogClearing, AReadOnlyLogOrAFolderIsRefusedQuietlyAndLeftAlone)
{
    const std::string content = OldLines(10);
    const std::string log = Log("readonly.log", content);
    ASSERT_TRUE(::SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_READONLY));
    const LogClearResult result = ClearLogFile(log);
    EXPECT_EQ(result.outcome, LogClearOutcome::Refused);
    EXPECT_EQ(result.attempts, 1);
    EXPECT_FALSE(result.MustTellUser());
    ::SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Content(log), content);

    EXPECT_EQ(ClearLogFile(dir).outcome, LogClearOutcome::Refused);
}

TEST_F(LogClearing, ClearOfATreeEntryEmptiesItsLogAndRelabelsIt)
{
    const std::string present = Log("access.log", OldLines(40));
    const std::string missing = testpaths::Join(dir, "missing.log");
    TestLogList list;
    list.Add(present, "Server");
    list.Add(missing, "Server");
    CWinLogFileFacts facts;
    CLogTree tree;
    tree.Fill(CLogListView(list.Get()), facts, true);
    ASSERT_EQ(tree.Entries().size(), 2u);
    ASSERT_GT(tree.Entries()[0].size, 0);

    const LogClearResult cleared = ClearLogEntry(tree, 0);
    EXPECT_EQ(cleared.outcome, LogClearOutcome::Cleared);
    EXPECT_EQ(cleared.index, 0);
    EXPECT_EQ(cleared.label, "access.log - 0.00Kb");
    EXPECT_EQ(tree.Entries()[0].size, 0);
    EXPECT_EQ(tree.Items()[0].children[0].label, "access.log - 0.00Kb");
    EXPECT_EQ(Content(present), "");

    // An entry missing at filling is not tried, even when its file has appeared since.
    ASSERT_TRUE(testpaths::WriteTextFile(missing, "appeared later\n"));
    const LogClearResult passed = ClearLogEntry(tree, 1);
    EXPECT_EQ(passed.outcome, LogClearOutcome::Missing);
    EXPECT_EQ(passed.attempts, 0);
    EXPECT_EQ(Content(missing), "appeared later\n");
    EXPECT_EQ(ClearLogEntry(tree, 2).outcome, LogClearOutcome::Missing);
    EXPECT_EQ(ClearLogEntry(tree, -1).outcome, LogClearOutcome::Missing);
}

TEST_F(LogClearing, ClearAllGoesOnPastFailuresAndReportsThemAtTheEnd)
{
    const std::string a = Log("a.log", OldLines(30));
    const std::string busy = Log("busy.log", OldLines(30));
    const std::string missing = testpaths::Join(dir, "missing.log");
    const std::string vanished = Log("vanished.log", OldLines(30));
    const std::string c = Log("c.log", OldLines(30));
    const std::string appended = Log("appended.log", OldLines(30));
    TestLogList list;
    for (const std::string& path : {a, busy, missing, vanished, c, appended})
        list.Add(path);
    CWinLogFileFacts facts;
    CLogTree tree;
    tree.Fill(CLogListView(list.Get()), facts, false);
    ASSERT_EQ(tree.Entries().size(), 6u);
    ASSERT_TRUE(::DeleteFileA(vanished.c_str()));

    CLogProbe holder;
    ASSERT_TRUE(holder.StartHolding(busy));
    CLogProbe server;
    ASSERT_TRUE(server.StartAppending(appended, 5));
    const std::vector<LogClearResult> results = ClearAllLogEntries(tree);
    EXPECT_EQ(holder.Stop(), 0);
    EXPECT_EQ(server.Stop(), 0);
    EXPECT_EQ(server.Failed(), 0u);

    ASSERT_EQ(results.size(), 5u);  // every entry present at filling, in array order
    const std::vector<std::string> paths{a, busy, vanished, c, appended};
    const std::vector<LogClearOutcome> outcomes{LogClearOutcome::Cleared, LogClearOutcome::Busy,
                                                LogClearOutcome::Missing, LogClearOutcome::Cleared,
                                                LogClearOutcome::Cleared};
    for (std::size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i].path, paths[i]);
        EXPECT_EQ(results[i].outcome, outcomes[i]) << paths[i];
        EXPECT_EQ(tree.Entries()[results[i].index].path, paths[i]);
    }
    EXPECT_EQ(results[1].attempts, LogClearRetry{}.attempts);
    EXPECT_EQ(results[0].label, "a.log");
    EXPECT_EQ(Content(a), "");
    EXPECT_EQ(Content(c), "");
    EXPECT_EQ(Content(busy), OldLines(30));
    EXPECT_FALSE(Exists(vanished));
    EXPECT_EQ(Content(appended).find("old line"), std::string::npos);
    EXPECT_EQ(tree.Entries()[results[1].index].size, static_cast<std::int64_t>(OldLines(30).size()));
    EXPECT_EQ(tree.Entries()[results[0].index].size, 0);

    EXPECT_EQ(ClearAllFailureText(results),
              "Cannot clear these logs:\n" + busy + "\n    The file is in use by another program.");
}

// A program that maps a log into memory keeps its length fixed: the log opens, but its
// length cannot be set until the mapping goes.
TEST_F(LogClearing, AMappedLogIsRetriedThenReportedAndLeftWhole)
{
    const std::string content = OldLines(100);
    const std::string log = Log("mapped.log", content);
    CFileHandle file(::CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    CKernelHandle mapping(::CreateFileMappingA(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    ASSERT_TRUE(mapping);
    CMappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    ASSERT_TRUE(view);

    const LogClearResult result = ClearLogFile(log);
    EXPECT_EQ(result.outcome, LogClearOutcome::Busy);
    EXPECT_EQ(result.systemError, static_cast<unsigned long>(ERROR_USER_MAPPED_FILE));
    EXPECT_EQ(result.attempts, LogClearRetry{}.attempts);
    EXPECT_TRUE(result.MustTellUser());
    view.Reset();
    mapping.Reset();
    file.Reset();
    EXPECT_EQ(Content(log), content);
    EXPECT_TRUE(ClearLogFile(log).Cleared());
    EXPECT_EQ(Content(log), "");
}
