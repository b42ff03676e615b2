#pragma once
// Pixel sizes that were chosen for a screen of 96 DPI, scaled to the screen's DPI. The
// programs declare themselves DPI-aware, so the system no longer stretches their windows:
// what is measured in pixels (list columns) must grow with the fonts.

#include <windows.h>

inline int AfxScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

inline int AfxScaleForDpi(int pixelsAt96)
{
    return ::MulDiv(pixelsAt96, AfxScreenDpi(), 96);
}
