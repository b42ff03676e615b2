#pragma once
// A plain top-level window holding editor windows for the end-to-end tests, and the
// helpers that drive them and read what they show: texts and selections through the
// standard edit messages, pixels of the client area as the screen shows them.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "EditBuffer.h"
#include "EditorControl.h"
#include "EditorWindow.h"
#include "KeywordTable.h"

namespace shelltest {

using tessaly::editor::EditBuffer;
using tessaly::editor::EditorSettings;
using tessaly::editor::EditorWindow;
using tessaly::editor::KeywordTable;

// A window this test created, destroyed with its owner.
class OwnedWindow {
public:
    OwnedWindow() = default;
    explicit OwnedWindow(HWND wnd) : m_wnd(wnd) {}
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    OwnedWindow(OwnedWindow&& other) noexcept : m_wnd(std::exchange(other.m_wnd, nullptr)) {}
    OwnedWindow& operator=(OwnedWindow&& other) noexcept
    {
        std::swap(m_wnd, other.m_wnd);
        return *this;
    }
    ~OwnedWindow()
    {
        if (m_wnd && ::IsWindow(m_wnd))
            ::DestroyWindow(m_wnd);
    }
    HWND Get() const { return m_wnd; }

private:
    HWND m_wnd = nullptr;
};

// The tests' editor windows live in one top-level window shared by every test: without a
// window manager, destroying a top-level window waits two seconds. Each EditorHost owns
// only the editor windows it adds.
class EditorHost {
public:
    EditorHost(int width = 700, int height = 420);
    HWND Host() const { return m_host; }
    // A child editor window at rect over the buffer (null: its own buffer).
    HWND AddEditor(EditBuffer* buffer, const RECT& rect, const KeywordTable* keywords = nullptr, DWORD style = 0);
    // Brings the host forward and gives the editor the keyboard focus.
    bool Focus(HWND editor);

private:
    HWND m_host = nullptr;
    std::vector<OwnedWindow> m_editors;
};

// Reads a log into the buffer as logs are shown: read-only and without colouring.
bool ReadLog(EditBuffer& buffer, const std::string& path);
// An editor window over its own buffer holding this text, or null.
HWND AddEditorWithText(EditorHost& host, const char* text, const RECT& rect = RECT{0, 0, 640, 360});

// The shipped keyword table (from the script beside the test program).
const KeywordTable& Keywords();

std::string Text(HWND editor);
std::pair<DWORD, DWORD> Selection(HWND editor);
int LineCount(HWND editor);
int FirstVisibleLine(HWND editor);
bool IsModified(HWND editor);

// Pumps this thread's messages for a while.
void Pump(DWORD ms);
// Keys and typing through the input queue, waiting until the editor has had them.
void Press(HWND editor, WORD key, bool ctrl = false, bool shift = false);
void Type(HWND editor, const std::string& text);
// Clicks at a character cell (zero-based row and column of the window's text grid).
void ClickCell(HWND editor, int row, int column, bool shift = false, bool doubleClick = false);
// Presses the left button on a cell of one editor, drags to a cell of another (or the same)
// and lets go; with ctrl held when copy is set.
void DragCells(HWND from, int row1, int col1, HWND to, int row2, int col2, bool copy = false);
// A PNG of what the screen shows of the window, once the display has caught up with what
// was painted (the screen is read, not the window).
std::string Screenshot(HWND wnd, const std::string& name);
// The size of one character cell.
SIZE CellSize(HWND editor);

// Looks at this thread's windows every few milliseconds while the test is held inside the
// editor: its waits and the message boxes it shows keep the thread's messages flowing, so a
// thread timer runs meanwhile. look may act on what it finds.
class WindowWatcher {
public:
    explicit WindowWatcher(std::function<void()> look)
    {
        Look() = std::move(look);
        m_id = ::SetTimer(nullptr, 0, 10, &WindowWatcher::OnTimer);
    }
    ~WindowWatcher()
    {
        ::KillTimer(nullptr, m_id);
        Look() = nullptr;
    }
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;
    bool Started() const { return m_id != 0; }

private:
    static std::function<void()>& Look()
    {
        static std::function<void()> look;
        return look;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (Look())
            Look()();
    }
    UINT_PTR m_id = 0;
};

// The client area as the screen shows it.
class ClientImage {
public:
    explicit ClientImage(HWND wnd);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const { return m_pixels[static_cast<std::size_t>(y * m_width + x)]; }
    // Pixels of exactly this colour in the rows [top, bottom).
    int Count(COLORREF colour, int top, int bottom) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};

}  // namespace shelltest
