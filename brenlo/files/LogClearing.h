#pragma once
// Emptying logs on disk while the server may be writing them (Windows build only). The
// server keeps each log open for appending and shares read, write and delete access, so a
// log is opened here with all three shared and cut to zero bytes in place: the server's
// next line lands at the start of the empty file. A program that holds a log without
// write sharing, or locks part of it, gets a few tries over about a second before the log
// is given up as busy.

#include <vector>

#include "LogFileResults.h"
#include "LogTree.h"

struct LogClearRetry {
    int attempts = 5;           // tries in all, the first included
    unsigned pauseMs = 250;     // between two tries
};

// Cuts one log to zero bytes. A file that is not there is not created.
LogClearResult ClearLogFile(const std::string& path, const LogClearRetry& retry = {});

// Clear of one tree entry: the entry's log is cut to zero bytes and, when that worked, the
// entry is marked cleared (result.label is the item's new text). An index that names no
// entry, or an entry whose file was missing at filling, is left alone (outcome Missing).
LogClearResult ClearLogEntry(CLogTree& tree, int index, const LogClearRetry& retry = {});

// Clear all: every entry whose file existed at filling, in array order, going on after a
// failure. Busy logs are tried again together, so the whole run waits about as long as
// one busy log would, however many there are. One result per entry tried, in array order.
std::vector<LogClearResult> ClearAllLogEntries(CLogTree& tree, const LogClearRetry& retry = {});
