#pragma once
// Pixel sizes that were chosen for a screen of 96 DPI, scaled to the screen's DPI. The
// programs declare themselves DPI-aware, so the system no longer stretches their windows:
// what is measured in pixels (list columns) must grow with the fonts.

#include <windows.h>

#include "Gdi.h"

inline int AfxScreenDpi()
{
    CClientDC screen(nullptr);
    const int dpi = screen.GetSafeHdc() ? screen.GetDeviceCaps(LOGPIXELSX) : 96;
    return dpi > 0 ? dpi : 96;
}

inline int AfxScaleForDpi(int pixelsAt96)
{
    return ::MulDiv(pixelsAt96, AfxScreenDpi(), 96);
}
