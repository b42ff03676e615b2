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

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

bool RegisterBoxClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXA wc{};
    if (::GetClassInfoExA(instance, kProgressBoxClass, &wc)) return true;
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

bool IsInput(UINT msg) {
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
           (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

void ProgressWait::SetShowDelay(DWORD ms) { g_showDelayMs = ms; }

ProgressWait::ProgressWait(HWND window, std::string what)
    : window_(window), frame_(window ? ::GetAncestor(window, GA_ROOT) : nullptr), what_(std::move(what)),
      start_(::GetTickCount()), lastPump_(start_) {
    cursor_ = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    nested_ = ++t_depth > 1;
}

ProgressWait::~ProgressWait() {
    --t_depth;
    if (box_) {
        // The frame first, so that it, not another program, becomes active again.
        if (frameDisabled_) ::EnableWindow(frame_, TRUE);
        ::DestroyWindow(box_);
        if (focus_ && ::IsWindow(focus_)) ::SetFocus(focus_);
    }
    ::SetCursor(cursor_);
    for (HWND wnd : closes_) {
        if (::IsWindow(wnd)) ::PostMessageA(wnd, WM_CLOSE, 0, 0);
    }
    if (quit_) ::PostQuitMessage(quitCode_);
}

bool ProgressWait::Step(double fraction) {
    if (stopped_) return false;
    const DWORD now = ::GetTickCount();
    if (now - lastPump_ < kPumpMs) return true;
    lastPump_ = now;
    fraction_ = std::clamp(fraction, 0.0, 1.0);
    if (!box_ && !nested_ && now - start_ >= g_showDelayMs) ShowBox();
    if (box_) ::InvalidateRect(box_, nullptr, FALSE);
    PumpMessages();
    return !stopped_;
}

void ProgressWait::ShowBox() {
    const HINSTANCE instance = ThisModule();
    if (!RegisterBoxClass(instance, BoxProc)) return;
    RECT over{};
    if (!frame_ || !::GetWindowRect(frame_, &over)) ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    const int x = over.left + std::max(0, static_cast<int>(over.right - over.left - kBoxWidth) / 2);
    const int y = over.top + std::max(0, static_cast<int>(over.bottom - over.top - kBoxHeight) / 2);
    focus_ = ::GetFocus();
    box_ = ::CreateWindowExA(WS_EX_DLGMODALFRAME, kProgressBoxClass, "Please wait",
                             WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, kBoxWidth, kBoxHeight, frame_, nullptr,
                             instance, this);
    if (!box_) return;
    if (frame_ && ::IsWindowEnabled(frame_)) {
        ::EnableWindow(frame_, FALSE);
        frameDisabled_ = true;
    }
    ::ShowWindow(box_, SW_SHOW);
    ::SetFocus(box_);
    ::UpdateWindow(box_);
}

void ProgressWait::PumpMessages() {
    MSG msg;
    while (!stopped_ && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Passed on once the work has stopped: the program ends after it, not during it.
            quit_ = true;
            quitCode_ = static_cast<int>(msg.wParam);
            stopped_ = true;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            stopped_ = true;
            break;
        }
        if (msg.message == WM_CLOSE && msg.hwnd != box_) {
            closes_.push_back(msg.hwnd);
            stopped_ = true;
            break;
        }
        // Input goes to the box alone: the windows behind it are busy with the work.
        if (IsInput(msg.message) && (!box_ || msg.hwnd != box_)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

LRESULT CALLBACK ProgressWait::BoxProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
            if (wait) wait->stopped_ = true;
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE && wait) wait->stopped_ = true;
            return 0;
        case WM_NCDESTROY:
            ::SetWindowLongPtrA(wnd, 0, 0);
            break;
        default: break;
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

void ProgressWait::PaintBox() {
    CPaintDC paint(box_);
    HDC dc = paint;
    RECT client{};
    ::GetClientRect(box_, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    CSelectObject font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    RECT line{12, 10, client.right - 12, 28};
    ::DrawTextA(dc, what_.c_str(), -1, &line, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);

    // The bar: a sunken frame filled as far as the work got.
    RECT bar{12, 34, client.right - 12, 52};
    ::DrawEdge(dc, &bar, EDGE_SUNKEN, BF_RECT);
    RECT done = bar;
    ::InflateRect(&done, -2, -2);
    done.right = done.left + static_cast<LONG>((done.right - done.left) * fraction_);
    if (done.right > done.left) ::FillRect(dc, &done, ::GetSysColorBrush(COLOR_HIGHLIGHT));

    char status[96];
    std::snprintf(status, sizeof status, "%d%% done. Press Esc to stop.", static_cast<int>(fraction_ * 100.0));
    RECT hint{12, 58, client.right - 12, 76};
    ::DrawTextA(dc, status, -1, &hint, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tessaly::editor
