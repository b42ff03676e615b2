// The mouse and the scroll bars: clicks, Shift+click, double click and dragging select
// text; the wheel and the scroll bar move the view.
#include <gtest/gtest.h>

#include "EditorHost.h"
#include "UiDriver.h"

namespace shelltest {
namespace {

// "Listen 80" (9 + CR LF), "ServerName example.org" (22 + CR LF), "DocumentRoot x".
constexpr const char* kText = "Listen 80\r\nServerName example.org\r\nDocumentRoot x";

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_editor = AddEditorWithText(m_host, kText);
        ASSERT_TRUE(m_editor);
        ASSERT_TRUE(m_host.Focus(m_editor));
    }

    // Presses at one cell, moves to another and lets go.
    void Drag(int row1, int col1, int row2, int col2)
    {
        const SIZE cell = CellSize(m_editor);
        auto screen = [&](int row, int col) {
            POINT pt{2 + col * cell.cx + cell.cx / 4, row * cell.cy + cell.cy / 2};
            ::ClientToScreen(m_editor, &pt);
            return pt;
        };
        const POINT from = screen(row1, col1);
        const POINT to = screen(row2, col2);
        ::SetCursorPos(from.x, from.y);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        ::SendInput(1, &input, sizeof input);
        Pump(50);
        ::SetCursorPos((from.x + to.x) / 2, (from.y + to.y) / 2);
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof input);
        Pump(50);
        ::SetCursorPos(to.x, to.y);
        ::SendInput(1, &input, sizeof input);
        Pump(50);
        input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(1, &input, sizeof input);
        Pump(100);
    }

    EditorHost m_host;
    HWND m_editor = nullptr;
};

TEST_F(MouseTest, ClickPlacesTheCaretAndShiftClickExtends)
{
    ClickCell(m_editor, 1, 3);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{14}, DWORD{14}));
    ClickCell(m_editor, 2, 4, true);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{14}, DWORD{39}));
    // A click past a line's end puts the caret at that end.
    ClickCell(m_editor, 0, 40);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{9}, DWORD{9}));
}

TEST_F(MouseTest, DoubleClickSelectsAWord)
{
    ClickCell(m_editor, 1, 13, false, true);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{22}, DWORD{29}));  // "example"
}

TEST_F(MouseTest, DraggingSelects)
{
    Drag(0, 0, 1, 6);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{0}, DWORD{17}));
}

// count lines of the prefix and a number from first on, each ending in end.
std::string NumberedLines(const std::string& prefix, int first, int count, const char* end)
{
    std::string text;
    for (int i = first; i < first + count; ++i)
        text += prefix + std::to_string(i) + end;
    return text;
}

TEST(ScrollTest, WheelAndScrollBarMoveTheView)
{
    EditorHost host;
    HWND editor = AddEditorWithText(host, NumberedLines("line ", 0, 500, "\n").c_str());
    ASSERT_TRUE(host.Focus(editor));
    Pump(50);  // the scroll bars settle (the horizontal one goes: every line fits)
    EXPECT_EQ(FirstVisibleLine(editor), 0);
    ::SendMessageA(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(FirstVisibleLine(editor), 3);
    ::SendMessageA(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(FirstVisibleLine(editor), 0);

    RECT client{};
    ::GetClientRect(editor, &client);
    const int rows = client.bottom / CellSize(editor).cy;
    ::SendMessageA(editor, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(FirstVisibleLine(editor), rows);
    Pump(50);  // the bar follows once the queue is empty
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(editor, SB_VERT, &si));
    EXPECT_EQ(si.nPos, rows);
    EXPECT_EQ(si.nMax, 500);  // 501 lines: the last one is empty
    EXPECT_EQ(static_cast<int>(si.nPage), rows);
    ::SendMessageA(editor, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(FirstVisibleLine(editor), 500);
    ::SendMessageA(editor, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(FirstVisibleLine(editor), 499);
    // Scrolling leaves the caret where it was.
    EXPECT_EQ(Selection(editor), std::make_pair(DWORD{0}, DWORD{0}));
}

// The scroll bars follow the text once it is painted: lines added by keys waiting to be
// painted, and while the window is hidden. A window made larger shows its text over its
// whole new area.
TEST(ScrollTest, TheBarsFollowEveryNewLineAndAGrownWindowIsPaintedWhole)
{
    EditorHost host;
    HWND editor = AddEditorWithText(host, NumberedLines("Listen ", 8000, 100, "\r\n").c_str(), RECT{0, 0, 320, 160});
    ASSERT_TRUE(host.Focus(editor));
    Pump(50);
    auto range = [editor] {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        ::GetScrollInfo(editor, SB_VERT, &si);
        return si.nMax;
    };
    EXPECT_EQ(range(), 100);
    // Keys sent one after another, each leaving its line to be painted.
    for (int i = 0; i < 5; ++i)
        ::SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
    Pump(50);
    EXPECT_EQ(range(), 105);
    ::SendMessageA(editor, EM_SETSEL, 0, 0);
    ::SendMessageA(editor, EM_SCROLLCARET, 0, 0);
    ::MoveWindow(editor, 0, 0, 640, 360, TRUE);
    ::UpdateWindow(editor);
    Pump(100);
    // Every row of the larger window shows a line: ink in the bottom rows, where the
    // first paint's picture did not reach.
    const ClientImage image(editor);
    const int cell = CellSize(editor).cy;
    const int bottom = image.Height() / cell * cell;
    const COLORREF background = tessaly::editor::EditorFromWindow(editor)->Buffer().Settings().m_clrBackground;
    const int pixels = image.Width() * 2 * cell;
    EXPECT_LT(image.Count(background, bottom - 2 * cell, bottom), pixels) << "the bottom rows show text";
    EXPECT_GT(image.Count(background, bottom - 2 * cell, bottom), pixels / 2) << "on the background";

    ::ShowWindow(editor, SW_HIDE);
    ::SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
    Pump(50);
    EXPECT_EQ(range(), 106) << "a hidden window's bars follow too";
}

}  // namespace
}  // namespace shelltest
