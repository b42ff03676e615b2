#pragma once
// The file system's answers about log files (Windows build only). Sizes are the full
// 64-bit sizes, so logs of 4 GB and more show correctly.

#include <string>
#include <vector>

#include "LogFileFacts.h"
#include "LogLabels.h"

class CWinLogFileFacts : public ILogFileFacts {
public:
    // Without sizes shown, a folder that holds many of the logs is listed once instead of
    // asking for each log (a log that is not there costs a search of its folder every time
    // it is asked for). Names the listing cannot match exactly, and small or odd folders,
    // are asked for one by one. With sizes shown every log is asked for: a listing may give
    // the size of a log that the server is writing late.
    void Prepare(const std::vector<std::string>& paths, bool sizesShown) override;
    LogFileFacts QueryAt(std::size_t index, const std::string& path) override;

    // The file's attributes first, then a directory search for a file that refused them.
    LogFileFacts Query(const std::string& path) override;

private:
    struct Answer {
        bool known = false;  // gathered by Prepare
        LogFileFacts facts;
    };
    std::vector<Answer> m_answers;  // by the index of the path given to Prepare
};

// The lead bytes of the ANSI code page, for case-folding that leaves two-byte characters whole.
LeadByteTable AnsiLeadBytes();
