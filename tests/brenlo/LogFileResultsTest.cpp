#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LogFileResults.h"

namespace {

LogClearResult Result(const std::string& path, LogClearOutcome outcome, unsigned long error = 0)
{
    LogClearResult result;
    result.path = path;
    result.outcome = outcome;
    result.systemError = error;
    return result;
}

int Count(const std::string& text, const std::string& part)
{
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

}  // namespace

TEST(LogClearTexts, OnlyBusyLogsAndFailedLengthsAreTold)
{
    EXPECT_EQ(ClearFailureText(Result("C:\\logs\\a.log", LogClearOutcome::Cleared)), "");
    EXPECT_EQ(ClearFailureText(Result("C:\\logs\\a.log", LogClearOutcome::Missing, 2)), "");
    EXPECT_EQ(ClearFailureText(Result("C:\\logs\\a.log", LogClearOutcome::Refused, 5)), "");
    EXPECT_EQ(ClearFailureText(Result("C:\\logs\\a.log", LogClearOutcome::Busy, 32)),
              "Cannot clear\nC:\\logs\\a.log\nThe file is in use by another program.");
    EXPECT_EQ(ClearFailureText(Result("C:\\logs\\b.log", LogClearOutcome::LengthNotSet, 33)),
              "Cannot clear\nC:\\logs\\b.log\nError 33 setting the file's length.");
}

TEST(LogClearTexts, ClearAllNamesEveryLogToTellAndNoOther)
{
    const std::vector<LogClearResult> results{
        Result("C:\\logs\\ok.log", LogClearOutcome::Cleared),
        Result("C:\\logs\\busy.log", LogClearOutcome::Busy, 32),
        Result("C:\\logs\\gone.log", LogClearOutcome::Missing, 2),
        Result("C:\\logs\\len.log", LogClearOutcome::LengthNotSet, 112),
    };
    EXPECT_EQ(ClearAllFailureText(results), "Cannot clear these logs:\n"
                                            "C:\\logs\\busy.log\n    The file is in use by another program.\n"
                                            "C:\\logs\\len.log\n    Error 112 setting the file's length.");
    EXPECT_EQ(ClearAllFailureText({results[0], results[2]}), "");
    EXPECT_EQ(ClearAllFailureText({}), "");
}

TEST(LogClearTexts, ClearAllListsAFewAndCountsTheRest)
{
    std::vector<LogClearResult> results;
    for (int i = 0; i < kMaxClearFailuresListed + 7; ++i)
        results.push_back(Result("C:\\logs\\" + std::to_string(i) + ".log", LogClearOutcome::Busy, 32));
    const std::string text = ClearAllFailureText(results);
    EXPECT_EQ(Count(text, "in use by another program"), kMaxClearFailuresListed);
    EXPECT_NE(text.find("C:\\logs\\0.log\n"), std::string::npos);
    EXPECT_EQ(text.find("C:\\logs\\" + std::to_string(kMaxClearFailuresListed) + ".log"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 12), "\nand 7 more.");
}

TEST(LogSaveTexts, EveryFailureNamesTheTargetAndTheReason)
{
    const std::string target = "D:\\copies\\access.log";
    const struct {
        LogSaveOutcome outcome;
        unsigned long error;
        const char* reason;
    } cases[] = {
        {LogSaveOutcome::SourceUnreadable, 5, "Error 5 reading the log."},
        {LogSaveOutcome::SourceCutShort, 0, "The log was cleared while it was being copied."},
        {LogSaveOutcome::TargetFolderMissing, 0, "The folder does not exist."},
        {LogSaveOutcome::TargetIsFolder, 0, "A folder has this name."},
        {LogSaveOutcome::TargetReadOnly, 0, "The file is read-only."},
        {LogSaveOutcome::TargetNotCreated, 5, "Error 5 creating a file in the folder."},
        {LogSaveOutcome::DiskFull, 112, "The disk is full."},
        {LogSaveOutcome::WriteFailed, 21, "Error 21 writing the copy."},
        {LogSaveOutcome::ReplaceFailed, 32, "Error 32 replacing the file."},
    };
    for (const auto& c : cases) {
        LogSaveResult result;
        result.outcome = c.outcome;
        result.systemError = c.error;
        EXPECT_EQ(SaveFailureText(result, target), "Cannot save\n" + target + "\n" + c.reason);
    }
    LogSaveResult quiet;
    EXPECT_EQ(SaveFailureText(quiet, target), "");
    quiet.outcome = LogSaveOutcome::Cancelled;
    EXPECT_EQ(SaveFailureText(quiet, target), "");
}
