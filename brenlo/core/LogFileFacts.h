#pragma once
// What the log tree needs to know about a log file when it is filled: whether its status
// could be read and how big it is. The Windows build asks the file system; tests feed
// their own answers.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct LogFileFacts {
    bool exists = false;     // the file's status could be read
    std::uint64_t size = 0;  // bytes; 0 when the file does not exist
};

// Answers questions about log files by their full path (backslashes as separators).
class ILogFileFacts {
public:
    virtual ~ILogFileFacts() = default;

    // Told every path of a fill before the first question, so that answers can be gathered
    // for many files at once; QueryAt then answers for paths[index]. The answers stay those
    // Query would give one by one; sizes matter only when they are shown.
    virtual void Prepare(const std::vector<std::string>& paths, bool sizesShown)
    {
        (void)paths;
        (void)sizesShown;
    }

    // The answer for the path at this index of the list given to Prepare (the path itself
    // beside it, for answers that were not gathered).
    virtual LogFileFacts QueryAt(std::size_t index, const std::string& path)
    {
        (void)index;
        return Query(path);
    }

    virtual LogFileFacts Query(const std::string& path) = 0;
};
