#pragma once
// Helpers for the framework's in-process window tests.

#include <windows.h>

#include <string>

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

inline COLORREF PixelOf(HWND wnd, int x, int y)
{
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = ::GetDC(wnd);
    COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(wnd, dc);
    return colour;
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
