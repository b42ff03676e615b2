#pragma once
// The Launcher stand-in started as a program of its own, and Scrivel started by it through
// "Edit configuration", as a user does: what the end-to-end tests of both share. The
// registry sandbox and the sample server are the test's; the session ends both programs.

#include <windows.h>

#include <string>

#include "ChildProcess.h"
#include "Handles.h"
#include "SharedData.h"

class CLauncherSession {
public:
    CLauncherSession() = default;
    ~CLauncherSession() { Stop(); }
    CLauncherSession(const CLauncherSession&) = delete;
    CLauncherSession& operator=(const CLauncherSession&) = delete;

    // Starts Launcher.exe and waits for its window and its shared block; false on a time-out.
    bool StartLauncher();
    // Presses "Edit configuration" and waits for the Launcher to hear of Scrivel's start and
    // for Scrivel's frame, in a process of its own; "" or what went wrong.
    std::string StartScrivel();
    // Asks Scrivel to close at once and the Launcher to close, ending what does not.
    void Stop();

    // The Launcher lists every code it receives, one line each ("5 LN_EDITOR_STARTED").
    bool ListsLine(const char* line) const;

    CChildProcess launcher;
    CSharedData block;
    CKernelHandle scrivel;
    HWND main = nullptr;     // the Launcher's window
    HWND notices = nullptr;  // its list of received codes
    HWND frame = nullptr;    // Scrivel's frame
};
