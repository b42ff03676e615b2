#include "ProgressWait.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "Gdi.h"

namespace tessaly::editor {

namespace {

constexpr DWORD kPumpMs = 30;
constexpr int kBoxWidth = 340;
constexpr int kBoxHeight = 120;
DWORD g_showDelayMs = 300;
// Waits running on this thread: one inside another (a message handled while the outer one
// waits asked for a wait too) shows no second box.
thread_local int t_depth = 0;

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

bool RegisterBoxClass(HINSTANCE instance, WNDPROC proc)
{
    WNDCLASSEXA wc{};
    if (::GetClassInfoExA(instance, kProgressBoxClass, &wc))
        return true;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_WAIT);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kProgressBoxClass;
    return ::RegisterClassExA(&wc) != 0;
}

bool IsInput(UINT msg)
{
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
           (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

void ProgressWait::SetShowDelay(DWORD ms)
{
    g_showDelayMs = ms;
}

ProgressWait::ProgressWait(HWND window, std::string what)
    : m_window(window), m_frame(window ? ::GetAncestor(window, GA_ROOT) : nullptr), m_what(std::move(what)),
      m_start(::GetTickCount()), m_lastPump(m_start)
{
    m_cursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    m_nested = ++t_depth > 1;
}

ProgressWait::~ProgressWait()
{
    --t_depth;
    if (m_box) {
        // The frame first, so that it, not another program, becomes active again.
        if (m_frameDisabled)
            ::EnableWindow(m_frame, TRUE);
        ::DestroyWindow(m_box);
        if (m_focus && ::IsWindow(m_focus))
            ::SetFocus(m_focus);
    }
    ::SetCursor(m_cursor);
    for (HWND wnd : m_closes) {
        if (::IsWindow(wnd))
            ::PostMessageA(wnd, WM_CLOSE, 0, 0);
    }
    if (m_quit)
        ::PostQuitMessage(m_quitCode);
}

bool ProgressWait::Step(double fraction)
{
    if (m_stopped)
        return false;
    const DWORD now = ::GetTickCount();
    if (now - m_lastPump < kPumpMs)
        return true;
    m_lastPump = now;
    m_fraction = std::clamp(fraction, 0.0, 1.0);
    if (!m_box && !m_nested && now - m_start >= g_showDelayMs)
        ShowBox();
    if (m_box)
        ::InvalidateRect(m_box, nullptr, FALSE);
    PumpMessages();
    return !m_stopped;
}

void ProgressWait::ShowBox()
{
    const HINSTANCE instance = ThisModule();
    if (!RegisterBoxClass(instance, BoxProc))
        return;
    RECT over{};
    if (!m_frame || !::GetWindowRect(m_frame, &over))
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    const int x = over.left + std::max(0, static_cast<int>(over.right - over.left - kBoxWidth) / 2);
    const int y = over.top + std::max(0, static_cast<int>(over.bottom - over.top - kBoxHeight) / 2);
    m_focus = ::GetFocus();
    m_box = ::CreateWindowExA(WS_EX_DLGMODALFRAME, kProgressBoxClass, "Please wait", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                              x, y, kBoxWidth, kBoxHeight, m_frame, nullptr, instance, this);
    if (!m_box)
        return;
    if (m_frame && ::IsWindowEnabled(m_frame)) {
        ::EnableWindow(m_frame, FALSE);
        m_frameDisabled = true;
    }
    ::ShowWindow(m_box, SW_SHOW);
    ::SetFocus(m_box);
    ::UpdateWindow(m_box);
}

void ProgressWait::PumpMessages()
{
    MSG msg;
    while (!m_stopped && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Passed on once the work has stopped: the program ends after it, not during it.
            m_quit = true;
            m_quitCode = static_cast<int>(msg.wParam);
            m_stopped = true;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            m_stopped = true;
            break;
        }
        if (msg.message == WM_CLOSE && msg.hwnd != m_box) {
            m_closes.push_back(msg.hwnd);
            m_stopped = true;
            break;
        }
        // Input goes to the box alone: the windows behind it are busy with the work.
        if (IsInput(msg.message) && (!m_box || msg.hwnd != m_box))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

LRESULT CALLBACK ProgressWait::BoxProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(wnd, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* wait = reinterpret_cast<ProgressWait*>(::GetWindowLongPtrA(wnd, 0));
    switch (msg) {
        case WM_PAINT:
            if (wait) {
                wait->PaintBox();
                return 0;
            }
            break;
        case WM_CLOSE:
            if (wait)
                wait->m_stopped = true;
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE && wait)
                wait->m_stopped = true;
            return 0;
        case WM_NCDESTROY:
            ::SetWindowLongPtrA(wnd, 0, 0);
            break;
        default:
            break;
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

void ProgressWait::PaintBox()
{
    CPaintDC paint(m_box);
    HDC dc = paint;
    RECT client{};
    ::GetClientRect(m_box, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    CSelectObject font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    RECT line{12, 10, client.right - 12, 28};
    ::DrawTextA(dc, m_what.c_str(), -1, &line, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);

    // The bar: a sunken frame filled as far as the work got.
    RECT bar{12, 34, client.right - 12, 52};
    ::DrawEdge(dc, &bar, EDGE_SUNKEN, BF_RECT);
    RECT done = bar;
    ::InflateRect(&done, -2, -2);
    done.right = done.left + static_cast<LONG>((done.right - done.left) * m_fraction);
    if (done.right > done.left)
        ::FillRect(dc, &done, ::GetSysColorBrush(COLOR_HIGHLIGHT));

    char status[96];
    std::snprintf(status, sizeof status, "%d%% done. Press Esc to stop.", static_cast<int>(m_fraction * 100.0));
    RECT hint{12, 58, client.right - 12, 76};
    ::DrawTextA(dc, status, -1, &hint, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tessaly::editor
