// Editing by keyboard in a real editor window: what is typed, moved, undone and copied
// shows in the text and caret the window reports.
#include <gtest/gtest.h>

#include "EditorHost.h"

namespace shelltest {
namespace {

class EditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        editor_ = host_.AddEditor(nullptr, RECT{0, 0, 640, 360});
        ASSERT_TRUE(editor_);
        ASSERT_TRUE(host_.Focus(editor_));
    }
    void SetText(const char* text) { ::SetWindowTextA(editor_, text); }
    EditorWindow& Editor() { return *tessaly::editor::EditorFromWindow(editor_); }

    EditorHost host_;
    HWND editor_ = nullptr;
};

TEST_F(EditingTest, TypingEnterIndentsBackspaceAndDeleteRemove) {
    Press(editor_, VK_TAB);
    Type(editor_, "Listen 80");
    Press(editor_, VK_RETURN);
    Type(editor_, "ServerName x");
    EXPECT_EQ(Text(editor_), "\tListen 80\r\n\tServerName x");
    Press(editor_, VK_BACK);
    EXPECT_EQ(Text(editor_), "\tListen 80\r\n\tServerName ");
    // Home goes to the first non-blank character; Delete takes the one after the caret.
    Press(editor_, VK_HOME);
    Press(editor_, VK_DELETE);
    EXPECT_EQ(Text(editor_), "\tListen 80\r\n\terverName ");
    // Home again goes to the line's start; Backspace there joins the line to the one
    // before, CR LF at once.
    Press(editor_, VK_HOME);
    Press(editor_, VK_BACK);
    EXPECT_EQ(Text(editor_), "\tListen 80\terverName ");
}

TEST_F(EditingTest, CtrlBackspaceAndCtrlDeleteRemoveWholeWords) {
    SetText("Listen 80\r\nServerName www.example.com");
    Press(editor_, VK_END, true);
    Press(editor_, VK_BACK, true);
    EXPECT_EQ(Text(editor_), "Listen 80\r\nServerName www.example.");
    Press(editor_, VK_BACK, true);
    EXPECT_EQ(Text(editor_), "Listen 80\r\nServerName www.example");
    Press(editor_, VK_HOME);
    Press(editor_, VK_DELETE, true);
    EXPECT_EQ(Text(editor_), "Listen 80\r\nwww.example");
    Press(editor_, VK_BACK, true);  // the line end, whole
    EXPECT_EQ(Text(editor_), "Listen 80www.example");
    // Each was one step of undo.
    Press(editor_, 'Z', true);
    EXPECT_EQ(Text(editor_), "Listen 80\r\nwww.example");
    Press(editor_, 'Z', true);
    EXPECT_EQ(Text(editor_), "Listen 80\r\nServerName www.example");
    EXPECT_EQ(::SendMessageA(editor_, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
}

TEST_F(EditingTest, UndoTakesWordsBackAndTheSavedStateIsCleanAgain) {
    SetText("abc");
    EXPECT_FALSE(IsModified(editor_));
    Press(editor_, VK_END, true);
    Type(editor_, " hello world");
    EXPECT_TRUE(IsModified(editor_));
    Press(editor_, 'Z', true);
    EXPECT_EQ(Text(editor_), "abc hello ");
    int presses = 0;
    while (Text(editor_) != "abc" && presses++ < 5) Press(editor_, 'Z', true);
    EXPECT_EQ(Text(editor_), "abc");
    EXPECT_LE(presses, 2) << "typing two words should take at most three undo steps";
    EXPECT_FALSE(IsModified(editor_));
    Press(editor_, 'Y', true);
    EXPECT_NE(Text(editor_), "abc");
    EXPECT_TRUE(IsModified(editor_));
}

TEST_F(EditingTest, ShiftAndCtrlSelectWordsAndTheClipboardCarriesThem) {
    SetText("alpha beta gamma");
    Press(editor_, VK_HOME, true);
    Press(editor_, VK_RIGHT, true, true);
    EXPECT_EQ(Selection(editor_), std::make_pair(DWORD{0}, DWORD{6}));
    Press(editor_, 'C', true);
    Press(editor_, VK_END);
    Press(editor_, 'V', true);
    EXPECT_EQ(Text(editor_), "alpha beta gammaalpha ");
    // Shift+Left twice selects the pasted blank and 'a'; Ctrl+X cuts them.
    Press(editor_, VK_LEFT, false, true);
    Press(editor_, VK_LEFT, false, true);
    Press(editor_, 'X', true);
    EXPECT_EQ(Text(editor_), "alpha beta gammaalph");
    Press(editor_, VK_HOME, true);
    Press(editor_, 'V', true);
    EXPECT_EQ(Text(editor_), "a alpha beta gammaalph");
    Press(editor_, 'A', true);
    EXPECT_EQ(Selection(editor_), std::make_pair(DWORD{0}, DWORD{22}));
    Press(editor_, VK_DELETE);
    EXPECT_EQ(Text(editor_), "");
}

TEST_F(EditingTest, TabAndShiftTabShiftASelectedBlock) {
    SetText("a\r\nb\r\nc");
    Press(editor_, 'A', true);
    Press(editor_, VK_TAB);
    EXPECT_EQ(Text(editor_), "\ta\r\n\tb\r\n\tc");
    Press(editor_, VK_TAB, false, true);
    EXPECT_EQ(Text(editor_), "a\r\nb\r\nc");
    // Tabs stored as spaces, three wide.
    Editor().Buffer().Settings().m_bKeepTabs = 0;
    Editor().Buffer().Settings().m_nTabWidth = 3;
    Press(editor_, 'A', true);
    Press(editor_, VK_TAB);
    EXPECT_EQ(Text(editor_), "   a\r\n   b\r\n   c");
    Press(editor_, VK_END, true);
    Press(editor_, VK_TAB);
    EXPECT_EQ(Text(editor_), "   a\r\n   b\r\n   c  ");
}

TEST_F(EditingTest, InsertTogglesOverwrite) {
    SetText("abcd");
    Press(editor_, VK_HOME, true);
    EXPECT_FALSE(Editor().IsOverwrite());
    Press(editor_, VK_INSERT);
    EXPECT_TRUE(Editor().IsOverwrite());
    Type(editor_, "XY");
    EXPECT_EQ(Text(editor_), "XYcd");
    Press(editor_, VK_INSERT);
    EXPECT_FALSE(Editor().IsOverwrite());
    Type(editor_, "Z");
    EXPECT_EQ(Text(editor_), "XYZcd");
}

TEST_F(EditingTest, ArrowsHomeEndAndPagesMoveTheCaret) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
    SetText(text.c_str());
    Press(editor_, VK_DOWN);
    Press(editor_, VK_DOWN);
    EXPECT_EQ(Selection(editor_).second, 16u);  // "line 0\r\n" and "line 1\r\n"
    Press(editor_, VK_END);
    EXPECT_EQ(Selection(editor_).second, 22u);
    Press(editor_, VK_UP);
    EXPECT_EQ(Selection(editor_).second, 14u);
    Press(editor_, VK_NEXT);
    const int afterPage = static_cast<int>(::SendMessageA(editor_, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
    EXPECT_GT(afterPage, 5);
    EXPECT_GT(FirstVisibleLine(editor_), 0) << "the page scrolls with the caret";
    Press(editor_, VK_PRIOR);
    EXPECT_EQ(::SendMessageA(editor_, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
    Press(editor_, VK_END, true);
    EXPECT_EQ(Selection(editor_).second, text.size());
    RECT client{};
    ::GetClientRect(editor_, &client);
    const int rows = client.bottom / CellSize(editor_).cy;
    EXPECT_GT(FirstVisibleLine(editor_), 50);
    EXPECT_LT(100, FirstVisibleLine(editor_) + rows) << "the last line is in view";
    Press(editor_, VK_HOME, true, true);
    EXPECT_EQ(Selection(editor_), std::make_pair(DWORD{0}, static_cast<DWORD>(text.size())));
    EXPECT_EQ(FirstVisibleLine(editor_), 0);
}

TEST_F(EditingTest, F3FindsTheSelectedWordAgain) {
    SetText("Listen 80\r\nListen 443\r\n#Listen 8080");
    Press(editor_, VK_RIGHT, true, true);
    Press(editor_, VK_LEFT, false, true);  // "Listen" selected
    EXPECT_EQ(Selection(editor_), std::make_pair(DWORD{0}, DWORD{6}));
    Press(editor_, VK_F3);
    EXPECT_EQ(Selection(editor_), std::make_pair(DWORD{11}, DWORD{17}));
    Press(editor_, VK_F3);
    EXPECT_EQ(Selection(editor_), std::make_pair(DWORD{24}, DWORD{30}));
    Press(editor_, VK_F3);  // wraps to the first one
    EXPECT_EQ(Selection(editor_), std::make_pair(DWORD{0}, DWORD{6}));
}

}  // namespace
}  // namespace shelltest
