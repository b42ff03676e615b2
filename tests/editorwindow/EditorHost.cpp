#include "EditorHost.h"

#include <algorithm>

#include "Gdi.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "UiDriver.h"

namespace shelltest {

namespace {

constexpr const char* kHostClass = "EditorShellTestHost";

void RegisterHostClass()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHostClass;
    ::RegisterClassA(&wc);  // fails harmlessly when already registered
    tessaly::editor::RegisterEditorClass(::GetModuleHandleA(nullptr));
}

// Lets the input queue and the editor's messages run until nothing is pending.
void Settle()
{
    for (int quiet = 0, round = 0; quiet < 3 && round < 100; ++round) {
        Pump(0);
        quiet = ::GetQueueStatus(QS_ALLINPUT) == 0 ? quiet + 1 : 0;
        ::Sleep(10);
    }
}

}  // namespace

EditorHost::EditorHost(int width, int height)
{
    RegisterHostClass();
    static const OwnedWindow shared(::CreateWindowExA(0, kHostClass, "Editor shell test",
                                                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 20, 20, width,
                                                      height, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
    m_host = shared.Get();
    ::SetWindowPos(m_host, nullptr, 20, 20, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(50);
}

HWND EditorHost::AddEditor(EditBuffer* buffer, const RECT& rect, const KeywordTable* keywords, DWORD style)
{
    tessaly::editor::EditorCreateParams params;
    params.buffer = buffer;
    params.keywords = keywords;
    HWND wnd = ::CreateWindowExA(WS_EX_CLIENTEDGE, tessaly::editor::kEditorClassName, "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, m_host, nullptr,
                                 ::GetModuleHandleA(nullptr), &params);
    m_editors.emplace_back(wnd);
    ::UpdateWindow(wnd);
    return wnd;
}

bool EditorHost::Focus(HWND editor)
{
    ui::BringToFront(m_host);
    ::SetFocus(editor);
    return ui::WaitUntil([&] { return ::GetFocus() == editor; });
}

const KeywordTable& Keywords()
{
    static const KeywordTable table = [] {
        KeywordTable t;
        t.ReadScriptFile(testpaths::Join(testpaths::TestBinDir(), tessaly::editor::kKeywordScriptName));
        return t;
    }();
    return table;
}

bool ReadLog(EditBuffer& buffer, const std::string& path)
{
    buffer.SetReadOnly(true);
    buffer.SetSyntaxColoring(false);
    return buffer.ReadFile(path) == 0;
}

HWND AddEditorWithText(EditorHost& host, const char* text, const RECT& rect)
{
    HWND editor = host.AddEditor(nullptr, rect);
    if (editor)
        ::SetWindowTextA(editor, text);
    return editor;
}

std::string Text(HWND editor)
{
    const LRESULT n = ::SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    const LRESULT got = ::SendMessageA(editor, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::pair<DWORD, DWORD> Selection(HWND editor)
{
    DWORD start = 0, end = 0;
    ::SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

int LineCount(HWND editor)
{
    return static_cast<int>(::SendMessageA(editor, EM_GETLINECOUNT, 0, 0));
}
int FirstVisibleLine(HWND editor)
{
    return static_cast<int>(::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0));
}
bool IsModified(HWND editor)
{
    return ::SendMessageA(editor, EM_GETMODIFY, 0, 0) != 0;
}

void Pump(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (ms)
            ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

void Press(HWND, WORD key, bool ctrl, bool shift)
{
    ui::PressKey(key, ctrl, shift);
    Settle();
}

void Type(HWND, const std::string& text)
{
    ui::TypeText(text);
    Settle();
}

SIZE CellSize(HWND editor)
{
    SIZE size{8, 16};
    CClientDC dc(editor);
    CSelectObject font(dc, reinterpret_cast<HFONT>(::SendMessageA(editor, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    ::GetTextExtentPoint32A(dc, "M", 1, &size);
    size.cy = tm.tmHeight + tm.tmExternalLeading;
    return size;
}

void ClickCell(HWND editor, int row, int column, bool shift, bool doubleClick)
{
    const SIZE cell = CellSize(editor);
    // The left margin of two pixels, then a quarter into the cell: the caret goes before it.
    const int x = 2 + column * cell.cx + cell.cx / 4;
    const int y = row * cell.cy + cell.cy / 2;
    if (shift)
        ui::SendKey(VK_SHIFT, false);
    ui::ClickAt(editor, x, y, doubleClick);
    if (shift)
        ui::SendKey(VK_SHIFT, true);
    Settle();
}

void DragCells(HWND from, int row1, int col1, HWND to, int row2, int col2, bool copy)
{
    auto screen = [](HWND wnd, int row, int col) {
        const SIZE cell = CellSize(wnd);
        POINT pt{2 + col * cell.cx + cell.cx / 4, row * cell.cy + cell.cy / 2};
        ::ClientToScreen(wnd, &pt);
        return pt;
    };
    auto send = [](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        ::SendInput(1, &input, sizeof input);
        Settle();
    };
    const POINT start = screen(from, row1, col1);
    const POINT end = screen(to, row2, col2);
    ::SetCursorPos(start.x, start.y);
    Settle();
    send(MOUSEEVENTF_LEFTDOWN);
    // Through a few points on the way, as a hand moves.
    for (int step = 1; step <= 4; ++step) {
        ::SetCursorPos(start.x + (end.x - start.x) * step / 4, start.y + (end.y - start.y) * step / 4);
        send(MOUSEEVENTF_MOVE);
    }
    if (copy)
        ui::SendKey(VK_CONTROL, false);
    send(MOUSEEVENTF_LEFTUP);
    if (copy)
        ui::SendKey(VK_CONTROL, true);
    Settle();
}

std::string Screenshot(HWND wnd, const std::string& name)
{
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(300);
    return SaveWindowPng(wnd, name);
}

ClientImage::ClientImage(HWND wnd)
{
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rc{};
    ::GetClientRect(wnd, &rc);
    m_pixels = ClientPixels(wnd);
    if (m_pixels.empty())
        return;
    m_width = rc.right;
    m_height = rc.bottom;
}

int ClientImage::Count(COLORREF colour, int top, int bottom) const
{
    int n = 0;
    for (int y = std::max(0, top); y < std::min(bottom, m_height); ++y) {
        for (int x = 0; x < m_width; ++x)
            n += At(x, y) == colour ? 1 : 0;
    }
    return n;
}

}  // namespace shelltest
