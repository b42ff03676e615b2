#pragma once
// A program started by a test: waits for it, reads its exit code, and ends it if the test
// leaves it running.

#include <windows.h>

#include <string>

#include "Handles.h"

class CChildProcess {
public:
    CChildProcess() = default;
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;
    CChildProcess(CChildProcess&&) = default;
    CChildProcess& operator=(CChildProcess&&) = default;
    ~CChildProcess() { Kill(); }

    // program: full path; arguments: the rest of the command line; folder: current folder
    // (empty: the program's own).
    bool Start(const std::string& program, const std::string& arguments = "", const std::string& folder = "");
    bool IsRunning() const;
    // The exit code, or -1 when the process had not ended within the time.
    int Wait(DWORD timeoutMs);
    void Kill();
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process.Get(); }
    // Waits until the process waits for input in its message loop.
    bool WaitForIdle(DWORD timeoutMs) const;

private:
    CKernelHandle m_process;
    DWORD m_id = 0;
};
