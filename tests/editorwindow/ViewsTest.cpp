// Several windows over one buffer, and a read-only buffer that refuses every change.
#include <gtest/gtest.h>

#include "EditorHost.h"

namespace shelltest {
namespace {

class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_left = m_host.AddEditor(&m_buffer, RECT{0, 0, 320, 360});
        m_right = m_host.AddEditor(&m_buffer, RECT{330, 0, 650, 360});
        ASSERT_TRUE(m_left && m_right);
        ::SetWindowTextA(m_left, "Listen 80\r\nServerName x\r\n");
    }

    EditorSettings m_settings;
    EditBuffer m_buffer{m_settings};
    EditorHost m_host;
    HWND m_left = nullptr;
    HWND m_right = nullptr;
};

TEST_F(ViewsTest, AnEditInOneViewShowsInTheOtherAndMovesItsCaret)
{
    EXPECT_EQ(Text(m_right), "Listen 80\r\nServerName x\r\n");
    // The right view's caret on "x"; the left view types at the start.
    ::SendMessageA(m_right, EM_SETSEL, 22, 23);
    ASSERT_TRUE(m_host.Focus(m_left));
    Press(m_left, VK_HOME, true);
    Type(m_left, "# ");
    EXPECT_EQ(Text(m_right), "# Listen 80\r\nServerName x\r\n");
    EXPECT_EQ(Selection(m_right), std::make_pair(DWORD{24}, DWORD{25}));
    EXPECT_EQ(Selection(m_left), std::make_pair(DWORD{2}, DWORD{2}));
    // The other view's Ctrl+Z undoes it: one buffer, one history.
    ASSERT_TRUE(m_host.Focus(m_right));
    Press(m_right, 'Z', true);
    EXPECT_EQ(Text(m_left), "Listen 80\r\nServerName x\r\n");
    EXPECT_FALSE(IsModified(m_left));
}

TEST_F(ViewsTest, DraggingTheSelectionMovesItWithinAndBetweenViews)
{
    ::SetWindowTextA(m_left, "Listen 80\r\nServerName x\r\nTimeout 300");
    ASSERT_TRUE(m_host.Focus(m_left));
    ::SendMessageA(m_left, EM_SETSEL, 0, 7);  // "Listen "
    // Within the window: onto the start of the last line.
    DragCells(m_left, 0, 2, m_left, 2, 0);
    EXPECT_EQ(Text(m_left), "80\r\nServerName x\r\nListen Timeout 300");
    EXPECT_EQ(Selection(m_left), std::make_pair(DWORD{18}, DWORD{25})) << "the moved text stays selected";
    // Into the other window of the same buffer: still one undo step.
    DragCells(m_left, 2, 1, m_right, 0, 0);
    EXPECT_EQ(Text(m_right), "Listen 80\r\nServerName x\r\nTimeout 300");
    Press(m_right, 'Z', true);
    EXPECT_EQ(Text(m_right), "80\r\nServerName x\r\nListen Timeout 300");
}

TEST(DragBetweenBuffersTest, MovesOrWithCtrlCopiesTextToAnotherBuffer)
{
    EditorHost host;
    HWND source = host.AddEditor(nullptr, RECT{0, 0, 320, 360});
    HWND target = host.AddEditor(nullptr, RECT{330, 0, 650, 360});
    ::SetWindowTextA(source, "alpha beta");
    ::SetWindowTextA(target, "gamma");
    ASSERT_TRUE(host.Focus(source));
    ::SendMessageA(source, EM_SETSEL, 0, 6);  // "alpha "
    DragCells(source, 0, 1, target, 0, 0);
    EXPECT_EQ(Text(source), "beta");
    EXPECT_EQ(Text(target), "alpha gamma");
    // A press soon after the last one at the same place would be a double click.
    Pump(::GetDoubleClickTime() + 100);
    ASSERT_TRUE(host.Focus(source));
    ::SendMessageA(source, EM_SETSEL, 0, 4);
    DragCells(source, 0, 1, target, 0, 11, true);
    EXPECT_EQ(Text(source), "beta");
    EXPECT_EQ(Text(target), "alpha gammabeta");
    // A read-only target takes nothing.
    ::SendMessageA(target, EM_SETREADONLY, TRUE, 0);
    Pump(::GetDoubleClickTime() + 100);
    ASSERT_TRUE(host.Focus(source));
    ::SendMessageA(source, EM_SETSEL, 0, 4);
    DragCells(source, 0, 1, target, 0, 0);
    EXPECT_EQ(Text(source), "beta");
    EXPECT_EQ(Text(target), "alpha gammabeta");
}

TEST_F(ViewsTest, BothViewsRepaintAnEdit)
{
    ASSERT_TRUE(m_host.Focus(m_left));
    const ClientImage before(m_right);
    Press(m_left, VK_END, true);
    Type(m_left, "Timeout 300");
    const ClientImage after(m_right);
    const COLORREF text = m_settings.m_clrText;
    // Line 3 of the right view now shows black text where it was empty.
    const int row = 2 * CellSize(m_right).cy;
    EXPECT_EQ(before.Count(text, row, row + CellSize(m_right).cy), 0);
    EXPECT_GT(after.Count(text, row, row + CellSize(m_right).cy), 0);
}

TEST_F(ViewsTest, AReadOnlyBufferRefusesEveryChange)
{
    EXPECT_TRUE(::SendMessageA(m_right, EM_SETREADONLY, TRUE, 0));
    EXPECT_TRUE(::GetWindowLongA(m_right, GWL_STYLE) & ES_READONLY);
    const std::string text = Text(m_left);
    ASSERT_TRUE(m_host.Focus(m_left));
    ::SendMessageA(m_left, EM_SETSEL, 0, 6);
    Press(m_left, 'C', true);  // copying is fine
    Press(m_left, VK_END);
    Type(m_left, "abc");
    Press(m_left, VK_RETURN);
    Press(m_left, VK_TAB);
    Press(m_left, VK_BACK);
    Press(m_left, VK_DELETE);
    Press(m_left, 'V', true);
    Press(m_left, 'A', true);
    Press(m_left, 'X', true);
    Press(m_left, VK_TAB, false, true);
    ::SendMessageA(m_left, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("zzz"));
    ::SendMessageA(m_left, WM_PASTE, 0, 0);
    ::SendMessageA(m_left, WM_CUT, 0, 0);
    // Moving still works: the keys above were all handled before this one.
    Press(m_left, VK_HOME, true);
    EXPECT_EQ(Selection(m_left), std::make_pair(DWORD{0}, DWORD{0}));
    EXPECT_EQ(Text(m_left), text);
    EXPECT_EQ(Text(m_right), text);
    EXPECT_FALSE(IsModified(m_left));
    EXPECT_FALSE(::SendMessageA(m_left, EM_CANUNDO, 0, 0));
    // Writable again, typing works.
    ::SendMessageA(m_left, EM_SETREADONLY, FALSE, 0);
    Type(m_left, "a");
    EXPECT_EQ(Text(m_right), "a" + text);
}

}  // namespace
}  // namespace shelltest
