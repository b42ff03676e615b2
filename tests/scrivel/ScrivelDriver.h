#pragma once
// Runs the real Scrivel.exe beside the fake Launcher for end-to-end tests, and reads what a
// user sees of it: the active document window's title, the caret line of its view, the
// status bar's message and colour, message boxes.

#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "FakeLauncher.h"
#include "RegistrySandbox.h"

namespace scriveltest {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr COLORREF kErrorBack = RGB(192, 0, 0);
constexpr COLORREF kInfoBack = RGB(0, 0, 192);

std::string ScrivelPath();
// A file with this text in a fresh work folder of this name; its path.
std::string WorkFile(const std::string& folder, const std::string& name, const std::string& text);

// One Scrivel run: a clean registry, the fake Launcher, the program.
class CScrivelRun {
public:
    CScrivelRun() = default;
    CScrivelRun(const CScrivelRun&) = delete;
    CScrivelRun& operator=(const CScrivelRun&) = delete;
    ~CScrivelRun();

    CRegistrySandbox& Registry() { return m_registry; }
    CFakeLauncher& Launcher() { return m_launcher; }
    CChildProcess& Process() { return m_process; }

    // Starts the Launcher (with or without its window in the block) and Scrivel.
    bool StartLauncher(bool publishWindow = true);
    bool StartScrivel(const std::string& arguments = "");
    // Both, then waits for LN_EDITOR_STARTED; the frame is known afterwards.
    bool Start(const std::string& arguments = "");
    // Lists these files for Scrivel to open, starts it and returns the active document's
    // view; null when it did not start or opened no document.
    HWND StartOn(const std::vector<std::string>& files);
    bool WaitStarted();
    // With the Launcher's window left out of the block Scrivel sends nothing: this waits
    // for its frame in the block and on the screen instead.
    bool StartWithoutLauncherWindow();
    HWND Frame() const { return m_frame; }

    // Sends a code that asks the user first from another thread, answers the message box
    // that comes with `button` and returns the code's result; the box's text in *question
    // ("" when no box came).
    LRESULT SendAndAnswer(unsigned code, int button, std::string* question = nullptr);

    // Ends Scrivel with code 8 and waits for the process; its exit code, or -1.
    int CloseNow();

private:
    CRegistrySandbox m_registry;
    CFakeLauncher m_launcher;
    CChildProcess m_process;
    HWND m_frame = nullptr;
};

// Chooses a file command (Open, Save As), types the path into the common dialog's file
// name and presses its default button; the dialog, or null when any step failed.
HWND ChooseInFileDialog(CScrivelRun& run, UINT command, const char* caption, const std::string& path);

// The frame's MDI client and its active child window (null when no document is open).
HWND MdiClient(HWND frame);
HWND ActiveChild(HWND frame);
std::string ActiveChildTitle(HWND frame);
std::vector<HWND> ChildFrames(HWND frame);
// The editor view of a child frame (its first pane).
HWND ViewOf(HWND child);
// The line of the caret in the view, counted from 1 as the server does.
int CaretLine(HWND view);
// The caret to the end of a line (from 0) with the keyboard, as a user puts it there (keys
// keep their order with a click still queued, where a sent message would overtake it);
// false when it did not get there.
bool CaretToEndOf(HWND view, int line);
std::string ViewText(HWND view);

HWND StatusBar(HWND frame);
std::string StatusText(HWND frame);
// The colour the screen shows near the left end of the status bar's message pane.
COLORREF StatusPaneColour(HWND frame);

// The colour the screen shows most along a vertical line near the right end of a view,
// where short lines leave the background.
COLORREF ViewBackground(HWND view);

}  // namespace scriveltest
