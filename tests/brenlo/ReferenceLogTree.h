#pragma once
// The log tree filled the plain way, step by step as the tree pane does it with a real
// tree control: every new item is compared with each of its siblings, then each level is
// sorted alphabetically and again with files before groups. Written for plainness, not
// speed; the tests and the benchmark measure the real fill against it.

#include <vector>

#include "LauncherLists.h"
#include "LogFileFacts.h"
#include "LogTree.h"

struct ReferenceLogTree {
    std::vector<LogTreeNode> items;
    std::vector<LogEntry> entries;
};

ReferenceLogTree FillPlainly(const LogList* list, ILogFileFacts& facts, bool showSizes);
