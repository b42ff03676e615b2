#pragma once
// The file system's answers about log files (Windows build only). Sizes are the full
// 64-bit sizes, so logs of 4 GB and more show correctly.

#include "LogFileFacts.h"
#include "LogLabels.h"

class CWinLogFileFacts : public ILogFileFacts {
public:
    // The file's attributes first, then a directory search for a file that refused them.
    LogFileFacts Query(const std::string& path) override;
};

// The lead bytes of the ANSI code page, for case-folding that leaves two-byte characters whole.
LeadByteTable AnsiLeadBytes();
