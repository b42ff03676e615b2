#pragma once
// The file system's answers about log files (Windows build only). Sizes are the full
// 64-bit sizes, so logs of 4 GB and more show correctly.

#include <string>
#include <unordered_map>

#include "LogFileFacts.h"
#include "LogLabels.h"

// One object serves one fill of the tree. The answer for a path is its file's attributes,
// or for a file that refused them (held open without sharing) what a directory search finds.
// Folders with many logs are listed once instead: under Wine every status query is a trip
// through the path's folders, and listing a folder costs about as much as a few queries.
// A path the listing cannot answer exactly is queried on its own.
class CWinLogFileFacts : public ILogFileFacts {
public:
    LogFileFacts Query(const std::string& path) override;

private:
    struct Listed {
        std::uint64_t size = 0;
        int sameFolded = 0;  // names in the folder equal to this one but for ASCII letter case
    };
    struct Folder {
        int queries = 0;
        bool listed = false;
        std::unordered_map<std::string, std::uint64_t> exact;  // file name: size
        std::unordered_map<std::string, Listed> folded;       // ASCII-lowered file name
    };

    static LogFileFacts QueryOne(const std::string& path);
    // The answer from the folder's listing, listing it when it has been asked often enough;
    // false when the listing cannot answer for this name.
    bool FromListing(const std::string& folder, const std::string& name, LogFileFacts& facts);

    std::unordered_map<std::string, Folder> m_folders;
};

// The lead bytes of the ANSI code page, for case-folding that leaves two-byte characters whole.
LeadByteTable AnsiLeadBytes();
