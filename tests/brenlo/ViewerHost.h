#pragma once
// Plays the Launcher towards the real Brenlo.dll: builds log lists from real counted
// strings, owns a message window on the calling thread, calls DoViewLogs there and lets a
// second thread act as the user meanwhile (reading the tree, the title and the text,
// choosing commands and answering questions).

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "GrowString.h"
#include "LauncherExports.h"

namespace viewertest {

// The Launcher's list: path and group strings side by side, 32 bytes an entry.
class LauncherLogList {
public:
    void Add(const std::string& path, const std::string& group = std::string());
    const LogList* Get();

private:
    struct Entry {
        CGrowString path;
        CGrowString group;
    };
    static_assert(sizeof(Entry) == sizeof(LogListEntry));
    std::vector<Entry> m_entries;
    LogList m_list{};
};

// One item of the tree as the user sees it.
struct TreeItem {
    std::string text;
    int image = -1;
    LPARAM data = 0;
    bool expanded = false;
    std::vector<TreeItem> children;
    HTREEITEM handle = nullptr;
};

// What the Launcher's window saw of one notice.
struct Notice {
    WPARAM code = 0;
    HWND frameAtThatMoment = nullptr;
};

// The library, loaded once for the whole test program from the shipped binaries.
DoViewLogsProc ViewerExport();

class ViewerRun {
public:
    ViewerRun();
    ~ViewerRun();
    ViewerRun(const ViewerRun&) = delete;
    ViewerRun& operator=(const ViewerRun&) = delete;

    // Calls DoViewLogs on this thread; `user` runs on another thread once the frame's handle
    // is in the caller's variable, and must close the viewer (or post the quit message).
    int Run(const LogList* logs, const std::function<void(HWND frame)>& user);

    HWND Launcher() const { return m_launcher; }
    HWND FrameVariable() const { return m_frameVariable; }
    std::vector<Notice> Notices() const;
    // Sent to the Launcher's window: true when its procedure answered (the caller's windows
    // are served while the viewer runs).
    bool LauncherAnswers() const;
    DWORD CallerThread() const { return m_thread; }
    // Makes the Launcher's window call DoViewLogs again while the viewer runs (from any
    // thread), with a variable of its own or with the one of the first call; the answer is
    // the nested call's result, or -1 before it returned.
    void PostNestedCall(const LogList* logs, bool sameVariable = false);
    int NestedResult() const { return m_nestedResult; }
    // What the nested call left in the variable it was given.
    HWND NestedVariable() const { return m_nestedVariable; }

private:
    static LRESULT CALLBACK LauncherProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_launcher = nullptr;
    HWND m_frameVariable = nullptr;  // the caller's variable handed to DoViewLogs
    DWORD m_thread = 0;
    std::vector<Notice> m_notices;
    const LogList* m_nestedLogs = nullptr;
    bool m_nestedSameVariable = false;
    HWND m_nestedVariable = nullptr;
    std::atomic<int> m_nestedResult{-1};
};

// The user's side (any thread).
HWND WaitForFrameVariable(const HWND* variable, DWORD timeoutMs = 10000);
HWND TreeOf(HWND frame);
HWND TextViewOf(HWND frame);
std::vector<TreeItem> ReadTree(HWND tree);
// The item with this text among `items` (not searched deeper), or null.
const TreeItem* FindItem(const std::vector<TreeItem>& items, const std::string& text);
bool SelectItem(HWND tree, HTREEITEM item);
// The command as a menu choice; posted, so a question it asks does not block the caller.
void Command(HWND frame, UINT id);

}  // namespace viewertest
