#pragma once
// Emptying logs on disk while the server may be writing them (Windows build only). The
// server keeps each log open for appending and shares read, write and delete access, so a
// log is opened here with all three shared and cut to zero bytes in place: the server's
// next line lands at the start of the empty file. A program that holds a log without
// write sharing, or locks part of it, gets a few tries over about a second before the log
// is given up as busy.

#include <string>
#include <vector>

#include "LogFileResults.h"
#include "LogTree.h"

struct LogClearRetry {
    int attempts = 5;        // tries in all, the first included
    unsigned pauseMs = 250;  // between two tries
};

// One clearing of one log or of several, run in rounds: the first try of every log when
// it is made, then one more try of the busy ones for each RetryBusy. Nothing here waits:
// a window runs the rounds from a timer and stays responsive between them. Busy logs are
// tried together, so a run takes about as long as one busy log would, however many.
class CLogClearRun {
public:
    // The tree entries by index, in the order given. An index that names no entry, or an
    // entry whose file was missing at filling, is not tried (outcome Missing).
    CLogClearRun(const CLogTree& tree, const std::vector<int>& indices, const LogClearRetry& retry = {});
    // One log by path. A file that is not there is not created.
    explicit CLogClearRun(const std::string& path, const LogClearRetry& retry = {});

    // True while a log is busy and tries are left: wait PauseMs, then RetryBusy.
    bool MustRetry() const;
    unsigned PauseMs() const { return m_retry.pauseMs; }
    void RetryBusy();

    // Marks the entries that were cleared in the tree (result.label is each item's new
    // text); for runs made from tree entries, on the tree they came from.
    void MarkCleared(CLogTree& tree);
    const std::vector<LogClearResult>& Results() const { return m_results; }

private:
    std::vector<LogClearResult> m_results;
    LogClearRetry m_retry;
    int m_round = 1;
};

// The same, waiting between the rounds on the calling thread: for callers without a
// window to keep alive.
LogClearResult ClearLogFile(const std::string& path, const LogClearRetry& retry = {});
// Clear of one tree entry: its log is cut to zero bytes and, when that worked, the entry
// is marked cleared.
LogClearResult ClearLogEntry(CLogTree& tree, int index, const LogClearRetry& retry = {});
// Clear all: every entry whose file existed at filling, in array order, going on after a
// failure. One result per entry tried, in array order.
std::vector<LogClearResult> ClearAllLogEntries(CLogTree& tree, const LogClearRetry& retry = {});
