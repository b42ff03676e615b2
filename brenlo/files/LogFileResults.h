#pragma once
// What clearing a log and saving a copy of one came to, and the texts that tell the user
// about a failure. Window-free: the pane and the document show these texts in their own
// message boxes.

#include <cstdint>
#include <string>
#include <vector>

enum class LogClearOutcome {
    Cleared,       // the file is now empty
    Missing,       // the file is gone: nothing was created, nothing is said
    Refused,       // the file would not open for writing (read-only, a folder, no access): nothing is said
    Busy,          // another program kept it open without write sharing, or locked it, through every retry
    LengthNotSet,  // it opened, but its length could not be set to zero
};

// One log's clearing: which log, how it went, and the system's error code for a failure.
struct LogClearResult {
    std::string path;
    LogClearOutcome outcome = LogClearOutcome::Cleared;
    unsigned long systemError = 0;
    int attempts = 0;
    int index = -1;     // the tree entry cleared, when the log came from the tree
    std::string label;  // that entry's item text after clearing

    bool Cleared() const { return outcome == LogClearOutcome::Cleared; }
    // A busy log and a failed length are told to the user; a log that is gone or would
    // not open is passed over without a word, as the tree has always done.
    bool MustTellUser() const { return outcome == LogClearOutcome::Busy || outcome == LogClearOutcome::LengthNotSet; }
};

// Text for Clear of one log, or "" when there is nothing to tell.
std::string ClearFailureText(const LogClearResult& result);
// Text for Clear all, naming every log that must be told about (at most
// kMaxClearFailuresListed, then how many more), or "" when there is nothing to tell.
std::string ClearAllFailureText(const std::vector<LogClearResult>& results);
constexpr int kMaxClearFailuresListed = 15;

enum class LogSaveOutcome {
    Saved,
    Cancelled,            // the progress callback asked to stop: nothing is said
    SourceUnreadable,     // the log could not be opened or read
    SourceCutShort,       // the log became shorter than it was while it was being copied
    TargetFolderMissing,  // the chosen folder does not exist
    TargetIsFolder,       // a folder has the chosen name
    TargetReadOnly,       // the chosen file exists and is read-only
    TargetNotCreated,     // no temporary file could be made in the chosen folder
    DiskFull,
    WriteFailed,
    ReplaceFailed,  // the finished copy could not take the chosen name
};

// A Save As of a log: how it went, the system's error code and the bytes copied.
struct LogSaveResult {
    LogSaveOutcome outcome = LogSaveOutcome::Saved;
    unsigned long systemError = 0;
    std::uint64_t bytes = 0;

    bool Saved() const { return outcome == LogSaveOutcome::Saved; }
};

// Text for a failed save to the path, or "" for a save that worked or was cancelled.
std::string SaveFailureText(const LogSaveResult& result, const std::string& target);
