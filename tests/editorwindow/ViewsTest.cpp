// Several windows over one buffer, and a read-only buffer that refuses every change.
#include <gtest/gtest.h>

#include "EditorHost.h"

namespace shelltest {
namespace {

class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        left_ = host_.AddEditor(&buffer_, RECT{0, 0, 320, 360});
        right_ = host_.AddEditor(&buffer_, RECT{330, 0, 650, 360});
        ASSERT_TRUE(left_ && right_);
        ::SetWindowTextA(left_, "Listen 80\r\nServerName x\r\n");
    }

    EditorSettings settings_;
    EditBuffer buffer_{settings_};
    EditorHost host_;
    HWND left_ = nullptr;
    HWND right_ = nullptr;
};

TEST_F(ViewsTest, AnEditInOneViewShowsInTheOtherAndMovesItsCaret) {
    EXPECT_EQ(Text(right_), "Listen 80\r\nServerName x\r\n");
    // The right view's caret on "x"; the left view types at the start.
    ::SendMessageA(right_, EM_SETSEL, 22, 23);
    ASSERT_TRUE(host_.Focus(left_));
    Press(left_, VK_HOME, true);
    Type(left_, "# ");
    EXPECT_EQ(Text(right_), "# Listen 80\r\nServerName x\r\n");
    EXPECT_EQ(Selection(right_), std::make_pair(DWORD{24}, DWORD{25}));
    EXPECT_EQ(Selection(left_), std::make_pair(DWORD{2}, DWORD{2}));
    // The other view's Ctrl+Z undoes it: one buffer, one history.
    ASSERT_TRUE(host_.Focus(right_));
    Press(right_, 'Z', true);
    EXPECT_EQ(Text(left_), "Listen 80\r\nServerName x\r\n");
    EXPECT_FALSE(IsModified(left_));
}

TEST_F(ViewsTest, DraggingTheSelectionMovesItWithinAndBetweenViews) {
    ::SetWindowTextA(left_, "Listen 80\r\nServerName x\r\nTimeout 300");
    ASSERT_TRUE(host_.Focus(left_));
    ::SendMessageA(left_, EM_SETSEL, 0, 7);  // "Listen "
    // Within the window: onto the start of the last line.
    DragCells(left_, 0, 2, left_, 2, 0);
    EXPECT_EQ(Text(left_), "80\r\nServerName x\r\nListen Timeout 300");
    EXPECT_EQ(Selection(left_), std::make_pair(DWORD{18}, DWORD{25})) << "the moved text stays selected";
    // Into the other window of the same buffer: still one undo step.
    DragCells(left_, 2, 1, right_, 0, 0);
    EXPECT_EQ(Text(right_), "Listen 80\r\nServerName x\r\nTimeout 300");
    Press(right_, 'Z', true);
    EXPECT_EQ(Text(right_), "80\r\nServerName x\r\nListen Timeout 300");
}

TEST(DragBetweenBuffersTest, MovesOrWithCtrlCopiesTextToAnotherBuffer) {
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

TEST_F(ViewsTest, BothViewsRepaintAnEdit) {
    ASSERT_TRUE(host_.Focus(left_));
    const ClientImage before(right_);
    Press(left_, VK_END, true);
    Type(left_, "Timeout 300");
    const ClientImage after(right_);
    const COLORREF text = settings_.m_clrText;
    // Line 3 of the right view now shows black text where it was empty.
    const int row = 2 * CellSize(right_).cy;
    EXPECT_EQ(before.Count(text, row, row + CellSize(right_).cy), 0);
    EXPECT_GT(after.Count(text, row, row + CellSize(right_).cy), 0);
}

TEST_F(ViewsTest, AReadOnlyBufferRefusesEveryChange) {
    EXPECT_TRUE(::SendMessageA(right_, EM_SETREADONLY, TRUE, 0));
    EXPECT_TRUE(::GetWindowLongA(right_, GWL_STYLE) & ES_READONLY);
    const std::string text = Text(left_);
    ASSERT_TRUE(host_.Focus(left_));
    ::SendMessageA(left_, EM_SETSEL, 0, 6);
    Press(left_, 'C', true);  // copying is fine
    Press(left_, VK_END);
    Type(left_, "abc");
    Press(left_, VK_RETURN);
    Press(left_, VK_TAB);
    Press(left_, VK_BACK);
    Press(left_, VK_DELETE);
    Press(left_, 'V', true);
    Press(left_, 'A', true);
    Press(left_, 'X', true);
    Press(left_, VK_TAB, false, true);
    ::SendMessageA(left_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("zzz"));
    ::SendMessageA(left_, WM_PASTE, 0, 0);
    ::SendMessageA(left_, WM_CUT, 0, 0);
    // Moving still works: the keys above were all handled before this one.
    Press(left_, VK_HOME, true);
    EXPECT_EQ(Selection(left_), std::make_pair(DWORD{0}, DWORD{0}));
    EXPECT_EQ(Text(left_), text);
    EXPECT_EQ(Text(right_), text);
    EXPECT_FALSE(IsModified(left_));
    EXPECT_FALSE(::SendMessageA(left_, EM_CANUNDO, 0, 0));
    // Writable again, typing works.
    ::SendMessageA(left_, EM_SETREADONLY, FALSE, 0);
    Type(left_, "a");
    EXPECT_EQ(Text(right_), "a" + text);
}

}  // namespace
}  // namespace shelltest
