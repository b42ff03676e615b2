#pragma once
// Plays the Launcher for end-to-end tests: creates the named block, runs a message window on
// a thread of its own (so a deliverable's sent codes are answered while the test waits),
// records every WM_LAUNCHER_NOTIFY it receives and sends or posts codes with text.

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <mutex>
#include <thread>
#include <vector>

#include "SharedData.h"

struct LauncherNotice {
    unsigned code = 0;
    LPARAM lParam = 0;
    bool sent = false;                        // SendMessage (true) or PostMessage (false)
    std::uint32_t editorWndAtThatMoment = 0;  // hEditorWnd in the block when it arrived
};

class CFakeLauncher {
public:
    CFakeLauncher() = default;
    CFakeLauncher(const CFakeLauncher&) = delete;
    CFakeLauncher& operator=(const CFakeLauncher&) = delete;
    ~CFakeLauncher() { Stop(); }

    // Creates the block and the window, and writes the window into hLauncherWnd
    // (unless publishWindow is false: a Launcher whose handle is 0).
    bool Start(bool publishWindow = true);
    void Stop();

    HWND Window() const { return m_window; }
    LauncherSharedData* Block() { return m_block.Data(); }
    void SetText(const char* text);
    std::string Text();

    std::vector<LauncherNotice> Notices() const;
    void ClearNotices();
    // Waits until a notice with this code has arrived (counting from the start or the last
    // ClearNotices).
    bool WaitForCode(unsigned code, DWORD timeoutMs, LauncherNotice* notice = nullptr) const;

    // Answers a code on the Launcher's thread (for example code 20, which expects the
    // check box to be enabled before the send returns). The result is what SendMessage returns.
    void SetResponder(std::function<LRESULT(const LauncherNotice&)> responder);

    // What the Launcher does towards a deliverable; text first, then the code.
    LRESULT SendCode(HWND target, unsigned code, LPARAM lParam = 0, DWORD timeoutMs = 15000, bool* timedOut = nullptr);
    bool PostCode(HWND target, unsigned code, LPARAM lParam = 0);

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    void ThreadMain(std::promise<HWND>* ready);
    LRESULT Record(WPARAM code, LPARAM lParam);

    CSharedDataOwner m_block;
    std::thread m_thread;
    DWORD m_threadId = 0;
    HWND m_window = nullptr;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_arrived;
    std::vector<LauncherNotice> m_notices;
    std::function<LRESULT(const LauncherNotice&)> m_responder;
};
