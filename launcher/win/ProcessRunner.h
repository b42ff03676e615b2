#pragma once
// Runs a console program hidden, with its standard output and standard error on one pipe
// so that what it prints arrives in the order it was written.

#include <windows.h>

#include <functional>
#include <string>

struct ProcessResult {
    bool started = false;
    bool timedOut = false;  // the program was ended after the time limit
    DWORD exitCode = 0;
    std::string output;  // standard output and error as written
};

// commandLine: the whole line (program first); folder: the current folder ("" = ours).
// onOutput, when given, receives each piece as it arrives. timeoutMs: INFINITE or a bound
// after which the program is ended.
ProcessResult RunCaptured(const std::string& commandLine, const std::string& folder, DWORD timeoutMs = INFINITE,
                          const std::function<void(const char*, DWORD)>& onOutput = {});

// The folder of this program, without a trailing backslash.
std::string ModuleFolder(HMODULE module = nullptr);
bool FileExists(const std::string& path);
