#include "Screenshot.h"

#include <cstdint>
#include <vector>

#include "Gdi.h"
#include "PngWriter.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace {

// Copies a rectangle of what a DC shows (a window's, or the screen's for no window) into
// pixels, row by row from the top; empty when the rectangle is empty or cannot be read.
std::vector<COLORREF> CopyPixels(HWND source, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    CClientDC from(source);
    CMemoryDC memory(from);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(::CreateDIBSection(from, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!from.GetSafeHdc() || !memory.GetSafeHdc() || !bitmap || !bits)
        return pixels;
    CSelectObject select(memory, bitmap);
    memory.BitBlt(0, 0, width, height, from, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const auto* bgra = static_cast<const std::uint8_t*>(bits);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    pixels.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        pixels.push_back(RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4 + 0]));
    return pixels;
}

// Saves a rectangle of the screen, where the window is drawn, as a PNG.
std::string SaveScreenRect(const RECT& rect, const std::string& name)
{
    const std::vector<COLORREF> pixels = CopyPixels(nullptr, rect);
    if (pixels.empty())
        return std::string();
    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels.size() * 3);
    for (const COLORREF pixel : pixels) {
        rgb.push_back(GetRValue(pixel));
        rgb.push_back(GetGValue(pixel));
        rgb.push_back(GetBValue(pixel));
    }
    const std::string target = testpaths::Join(testpaths::ScreenshotDir(), name + ".png");
    return png::WriteFile(target, rect.right - rect.left, rect.bottom - rect.top, rgb) ? target : std::string();
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found)
{
    if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

// No part of the window or of its children waits to be painted.
bool Painted(HWND wnd)
{
    bool unpainted = ::GetUpdateRect(wnd, nullptr, FALSE) != FALSE;
    if (!unpainted)
        ::EnumChildWindows(wnd, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

}  // namespace

// A window of another program paints on its own thread: nothing waits to be painted, a
// message sent there has returned (the thread is back in its loop, so the paint it was in
// has ended), and two reads of the screen in a row agree (what was drawn has reached it).
bool WaitForPicture(HWND wnd, DWORD timeoutMs)
{
    std::vector<COLORREF> last;
    return ui::WaitUntil(
        [&] {
            RECT rect{};
            DWORD_PTR ignored = 0;
            if (!::GetWindowRect(wnd, &rect) || !Painted(wnd) ||
                !::SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored))
                return false;
            std::vector<COLORREF> now = CopyPixels(nullptr, rect);
            const bool settled = !now.empty() && now == last;
            last = std::move(now);
            return settled;
        },
        timeoutMs);
}

std::string SaveWindowPng(HWND wnd, const std::string& name)
{
    RECT rect{};
    if (!::GetWindowRect(wnd, &rect))
        return std::string();
    // A window of another program repaints on its own thread: the redraw only asks for it,
    // and the screen is read once the paint has reached it, or the picture can catch the
    // window erased and not yet painted.
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    WaitForPicture(wnd);
    return SaveScreenRect(rect, name);
}

std::string SaveScreenPng(const std::string& name)
{
    RECT rect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreenRect(rect, name);
}

std::vector<COLORREF> ScreenPixels(const RECT& rect)
{
    return CopyPixels(nullptr, rect);
}

std::vector<COLORREF> ClientPixels(HWND wnd)
{
    RECT client{};
    ::GetClientRect(wnd, &client);
    return CopyPixels(wnd, client);
}

std::vector<COLORREF> ScreenClientPixels(HWND wnd)
{
    RECT client{};
    ::GetClientRect(wnd, &client);
    ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return CopyPixels(nullptr, client);
}

ColourOnScreen FindColourOnScreen(HWND wnd, COLORREF colour, int height)
{
    RECT client{};
    ::GetClientRect(wnd, &client);
    if (height >= 0 && height < client.bottom)
        client.bottom = height;
    ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const std::vector<COLORREF> pixels = CopyPixels(nullptr, client);
    const int width = client.right - client.left;
    ColourOnScreen found;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] != colour)
            continue;
        const LONG x = client.left + static_cast<LONG>(i % static_cast<std::size_t>(width));
        const LONG y = client.top + static_cast<LONG>(i / static_cast<std::size_t>(width));
        const RECT one{x, y, x + 1, y + 1};
        ::UnionRect(&found.bounds, &found.bounds, &one);
        ++found.count;
    }
    return found;
}
