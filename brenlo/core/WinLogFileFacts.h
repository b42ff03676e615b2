#pragma once
// The file system's answers about log files (Windows build only): the file's attributes
// first, then a directory search for it, as the status of a file is read elsewhere in
// the viewer. Sizes are the full 64-bit sizes, so logs of 4 GB and more show correctly.

#include "LogFileFacts.h"

class CWinLogFileFacts : public ILogFileFacts {
public:
    LogFileFacts Query(const std::string& path) override;
};
