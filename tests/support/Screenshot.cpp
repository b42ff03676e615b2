#include "Screenshot.h"

#include <memory>
#include <type_traits>
#include <vector>

#include "PngWriter.h"
#include "TestPaths.h"

namespace {

struct WindowDcRelease {
    HWND wnd = nullptr;
    void operator()(HDC dc) const { ::ReleaseDC(wnd, dc); }
};
struct DcDelete {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct ObjectDelete {
    void operator()(HBITMAP object) const { ::DeleteObject(object); }
};
using WindowDc = std::unique_ptr<std::remove_pointer_t<HDC>, WindowDcRelease>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDelete>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDelete>;

// Copies a rectangle of the screen, where the window is drawn, into RGB rows.
std::string SaveScreenRect(const RECT& rect, const std::string& name)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return std::string();

    WindowDc screen(::GetDC(nullptr), WindowDcRelease{});
    MemoryDc memory(::CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits || !memory)
        return std::string();
    std::string path;
    {
        HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
        ::GdiFlush();
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
        const auto* bgra = static_cast<const std::uint8_t*>(bits);
        for (std::size_t i = 0, n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height); i < n; ++i) {
            rgb[i * 3 + 0] = bgra[i * 4 + 2];
            rgb[i * 3 + 1] = bgra[i * 4 + 1];
            rgb[i * 3 + 2] = bgra[i * 4 + 0];
        }
        ::SelectObject(memory.get(), old);
        const std::string target = testpaths::Join(testpaths::ScreenshotDir(), name + ".png");
        if (png::WriteFile(target, width, height, rgb))
            path = target;
    }
    return path;
}

}  // namespace

std::string SaveWindowPng(HWND wnd, const std::string& name)
{
    RECT rect{};
    if (!::GetWindowRect(wnd, &rect))
        return std::string();
    // A window of another program repaints on its own thread: the redraw only asks for it.
    // A message sent there returns once the thread is back in its loop; the paint that
    // follows there is given a moment before the screen is read, or the picture can catch
    // the window erased and not yet painted.
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    ::Sleep(250);
    return SaveScreenRect(rect, name);
}

std::string SaveScreenPng(const std::string& name)
{
    RECT rect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreenRect(rect, name);
}

std::vector<COLORREF> ClientPixels(HWND wnd)
{
    RECT client{};
    ::GetClientRect(wnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    WindowDc window(::GetDC(wnd), WindowDcRelease{wnd});
    MemoryDc memory(::CreateCompatibleDC(window.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(::CreateDIBSection(window.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!window || !memory || !bitmap || !bits)
        return pixels;
    HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width, height, window.get(), 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* bgra = static_cast<const std::uint8_t*>(bits);
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0, n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height); i < n; ++i)
        pixels.push_back(RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4 + 0]));
    ::SelectObject(memory.get(), old);
    return pixels;
}
