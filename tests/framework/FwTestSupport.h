#pragma once
// Helpers for the framework's in-process window tests.

#include <windows.h>

#include <string>

#include "Gdi.h"
#include "WinApp.h"

namespace fwtest {

// Runs every message waiting for this thread through the application's loop steps.
inline void Pump(CWinApp& app)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!app.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// The messages, then one round of idle-time work (captions, bars, menus), then what that posted.
inline void PumpAndIdle(CWinApp& app)
{
    Pump(app);
    app.OnIdle(0);
    Pump(app);
}

// Where a window lies, in another window's client coordinates.
inline RECT RectIn(HWND wnd, HWND other)
{
    RECT r;
    ::GetWindowRect(wnd, &r);
    ::MapWindowPoints(nullptr, other, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline COLORREF PixelOf(HWND wnd, int x, int y)
{
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CClientDC(wnd).GetPixel(x, y);
}

inline std::string MenuText(HMENU menu, UINT id)
{
    char text[128] = {};
    ::GetMenuStringA(menu, id, text, sizeof(text), MF_BYCOMMAND);
    return text;
}

inline bool MenuItemEnabled(HMENU menu, UINT id)
{
    return (::GetMenuState(menu, id, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) == 0;
}

inline bool MenuItemChecked(HMENU menu, UINT id)
{
    return (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

}  // namespace fwtest

#include <deque>
#include <functional>
#include <utility>

namespace fwtest {

// Steps run one after the other from a thread timer, so they also run inside modal loops
// (dialogs, message boxes) that the test itself is blocked in. A step returns true when it
// is done; false runs it again on the next tick (for waiting). After `timeoutMs` the
// remaining steps are dropped and `timedOut` is set.
class CScript {
public:
    explicit CScript(DWORD timeoutMs = 5000) : m_deadline(::GetTickCount() + timeoutMs)
    {
        Current() = this;
        m_timer = ::SetTimer(nullptr, 0, 20, &CScript::Tick);
    }
    ~CScript()
    {
        ::KillTimer(nullptr, m_timer);
        Current() = nullptr;
    }
    CScript(const CScript&) = delete;
    CScript& operator=(const CScript&) = delete;

    CScript& Then(std::function<bool()> step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }
    bool Finished() const { return m_steps.empty(); }
    bool timedOut = false;

private:
    static CScript*& Current()
    {
        static CScript* current = nullptr;
        return current;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        CScript* script = Current();
        if (!script || script->m_steps.empty() || script->m_bRunning)
            return;
        if (static_cast<LONG>(::GetTickCount() - script->m_deadline) > 0) {
            script->timedOut = true;
            script->m_steps.clear();
            return;
        }
        script->m_bRunning = true;  // a step may open a modal loop that ticks again
        auto step = script->m_steps.front();
        bool done = step();
        script->m_bRunning = false;
        if (done && !script->m_steps.empty())
            script->m_steps.pop_front();
    }

    std::deque<std::function<bool()>> m_steps;
    DWORD m_deadline;
    UINT_PTR m_timer = 0;
    bool m_bRunning = false;
};

struct CaptionSearch {
    const char* caption;
    HWND found;
};

inline BOOL CALLBACK MatchCaption(HWND wnd, LPARAM data)
{
    auto* search = reinterpret_cast<CaptionSearch*>(data);
    char text[256] = {};
    ::GetWindowTextA(wnd, text, sizeof(text));
    if (::IsWindowVisible(wnd) && std::string(text) == search->caption) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of this thread with this caption, or null.
inline HWND FindThreadWindow(const char* caption)
{
    CaptionSearch search{caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A script step that waits for the thread's window with this caption and then acts on it.
inline std::function<bool()> WhenShown(const char* caption, std::function<void(HWND)> act)
{
    return [caption, act = std::move(act)] {
        HWND wnd = FindThreadWindow(caption);
        if (wnd)
            act(wnd);
        return wnd != nullptr;
    };
}

// A script step that waits until the window with this caption has gone and then acts.
inline std::function<bool()> WhenGone(const char* caption, std::function<void()> act)
{
    return [caption, act = std::move(act)] {
        if (FindThreadWindow(caption))
            return false;
        act();
        return true;
    };
}

// The text of a message box's message.
inline std::string MessageBoxText(HWND box)
{
    char text[512] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

}  // namespace fwtest
