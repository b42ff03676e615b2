// Editing by keyboard in a real editor window: what is typed, moved, undone and copied
// shows in the text and caret the window reports.
#include <gtest/gtest.h>

#include "EditorHost.h"

namespace shelltest {
namespace {

class EditingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_editor = m_host.AddEditor(nullptr, RECT{0, 0, 640, 360});
        ASSERT_TRUE(m_editor);
        ASSERT_TRUE(m_host.Focus(m_editor));
    }
    void SetText(const char* text) { ::SetWindowTextA(m_editor, text); }
    EditorWindow& Editor() { return *tessaly::editor::EditorFromWindow(m_editor); }

    EditorHost m_host;
    HWND m_editor = nullptr;
};

TEST_F(EditingTest, TypingEnterIndentsBackspaceAndDeleteRemove)
{
    Press(m_editor, VK_TAB);
    Type(m_editor, "Listen 80");
    Press(m_editor, VK_RETURN);
    Type(m_editor, "ServerName x");
    EXPECT_EQ(Text(m_editor), "\tListen 80\r\n\tServerName x");
    Press(m_editor, VK_BACK);
    EXPECT_EQ(Text(m_editor), "\tListen 80\r\n\tServerName ");
    // Home goes to the first non-blank character; Delete takes the one after the caret.
    Press(m_editor, VK_HOME);
    Press(m_editor, VK_DELETE);
    EXPECT_EQ(Text(m_editor), "\tListen 80\r\n\terverName ");
    // Home again goes to the line's start; Backspace there joins the line to the one
    // before, CR LF at once.
    Press(m_editor, VK_HOME);
    Press(m_editor, VK_BACK);
    EXPECT_EQ(Text(m_editor), "\tListen 80\terverName ");
}

TEST_F(EditingTest, CtrlBackspaceAndCtrlDeleteRemoveWholeWords)
{
    SetText("Listen 80\r\nServerName www.example.com");
    Press(m_editor, VK_END, true);
    Press(m_editor, VK_BACK, true);
    EXPECT_EQ(Text(m_editor), "Listen 80\r\nServerName www.example.");
    Press(m_editor, VK_BACK, true);
    EXPECT_EQ(Text(m_editor), "Listen 80\r\nServerName www.example");
    Press(m_editor, VK_HOME);
    Press(m_editor, VK_DELETE, true);
    EXPECT_EQ(Text(m_editor), "Listen 80\r\nwww.example");
    Press(m_editor, VK_BACK, true);  // the line end, whole
    EXPECT_EQ(Text(m_editor), "Listen 80www.example");
    // Each was one step of undo.
    Press(m_editor, 'Z', true);
    EXPECT_EQ(Text(m_editor), "Listen 80\r\nwww.example");
    Press(m_editor, 'Z', true);
    EXPECT_EQ(Text(m_editor), "Listen 80\r\nServerName www.example");
    EXPECT_EQ(::SendMessageA(m_editor, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
}

TEST_F(EditingTest, UndoTakesWordsBackAndTheSavedStateIsCleanAgain)
{
    SetText("abc");
    EXPECT_FALSE(IsModified(m_editor));
    Press(m_editor, VK_END, true);
    Type(m_editor, " hello world");
    EXPECT_TRUE(IsModified(m_editor));
    Press(m_editor, 'Z', true);
    EXPECT_EQ(Text(m_editor), "abc hello ");
    int presses = 0;
    while (Text(m_editor) != "abc" && presses++ < 5)
        Press(m_editor, 'Z', true);
    EXPECT_EQ(Text(m_editor), "abc");
    EXPECT_LE(presses, 2) << "typing two words should take at most three undo steps";
    EXPECT_FALSE(IsModified(m_editor));
    Press(m_editor, 'Y', true);
    EXPECT_NE(Text(m_editor), "abc");
    EXPECT_TRUE(IsModified(m_editor));
}

TEST_F(EditingTest, ShiftAndCtrlSelectWordsAndTheClipboardCarriesThem)
{
    SetText("alpha beta gamma");
    Press(m_editor, VK_HOME, true);
    Press(m_editor, VK_RIGHT, true, true);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{0}, DWORD{6}));
    Press(m_editor, 'C', true);
    Press(m_editor, VK_END);
    Press(m_editor, 'V', true);
    EXPECT_EQ(Text(m_editor), "alpha beta gammaalpha ");
    // Shift+Left twice selects the pasted blank and 'a'; Ctrl+X cuts them.
    Press(m_editor, VK_LEFT, false, true);
    Press(m_editor, VK_LEFT, false, true);
    Press(m_editor, 'X', true);
    EXPECT_EQ(Text(m_editor), "alpha beta gammaalph");
    Press(m_editor, VK_HOME, true);
    Press(m_editor, 'V', true);
    EXPECT_EQ(Text(m_editor), "a alpha beta gammaalph");
    Press(m_editor, 'A', true);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{0}, DWORD{22}));
    Press(m_editor, VK_DELETE);
    EXPECT_EQ(Text(m_editor), "");
}

TEST_F(EditingTest, TabAndShiftTabShiftASelectedBlock)
{
    SetText("a\r\nb\r\nc");
    Press(m_editor, 'A', true);
    Press(m_editor, VK_TAB);
    EXPECT_EQ(Text(m_editor), "\ta\r\n\tb\r\n\tc");
    Press(m_editor, VK_TAB, false, true);
    EXPECT_EQ(Text(m_editor), "a\r\nb\r\nc");
    // Tabs stored as spaces, three wide.
    Editor().Buffer().Settings().m_bKeepTabs = 0;
    Editor().Buffer().Settings().m_nTabWidth = 3;
    Press(m_editor, 'A', true);
    Press(m_editor, VK_TAB);
    EXPECT_EQ(Text(m_editor), "   a\r\n   b\r\n   c");
    Press(m_editor, VK_END, true);
    Press(m_editor, VK_TAB);
    EXPECT_EQ(Text(m_editor), "   a\r\n   b\r\n   c  ");
}

TEST_F(EditingTest, InsertTogglesOverwrite)
{
    SetText("abcd");
    Press(m_editor, VK_HOME, true);
    EXPECT_FALSE(Editor().IsOverwrite());
    Press(m_editor, VK_INSERT);
    EXPECT_TRUE(Editor().IsOverwrite());
    Type(m_editor, "XY");
    EXPECT_EQ(Text(m_editor), "XYcd");
    Press(m_editor, VK_INSERT);
    EXPECT_FALSE(Editor().IsOverwrite());
    Type(m_editor, "Z");
    EXPECT_EQ(Text(m_editor), "XYZcd");
}

TEST_F(EditingTest, ArrowsHomeEndAndPagesMoveTheCaret)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    SetText(text.c_str());
    Press(m_editor, VK_DOWN);
    Press(m_editor, VK_DOWN);
    EXPECT_EQ(Selection(m_editor).second, 16u);  // "line 0\r\n" and "line 1\r\n"
    Press(m_editor, VK_END);
    EXPECT_EQ(Selection(m_editor).second, 22u);
    Press(m_editor, VK_UP);
    EXPECT_EQ(Selection(m_editor).second, 14u);
    Press(m_editor, VK_NEXT);
    const int afterPage = static_cast<int>(::SendMessageA(m_editor, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
    EXPECT_GT(afterPage, 5);
    EXPECT_GT(FirstVisibleLine(m_editor), 0) << "the page scrolls with the caret";
    Press(m_editor, VK_PRIOR);
    EXPECT_EQ(::SendMessageA(m_editor, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
    Press(m_editor, VK_END, true);
    EXPECT_EQ(Selection(m_editor).second, text.size());
    RECT client{};
    ::GetClientRect(m_editor, &client);
    const int rows = client.bottom / CellSize(m_editor).cy;
    EXPECT_GT(FirstVisibleLine(m_editor), 50);
    EXPECT_LT(100, FirstVisibleLine(m_editor) + rows) << "the last line is in view";
    Press(m_editor, VK_HOME, true, true);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{0}, static_cast<DWORD>(text.size())));
    EXPECT_EQ(FirstVisibleLine(m_editor), 0);
}

TEST_F(EditingTest, F3FindsTheSelectedWordAgain)
{
    SetText("Listen 80\r\nListen 443\r\n#Listen 8080");
    Press(m_editor, VK_RIGHT, true, true);
    Press(m_editor, VK_LEFT, false, true);  // "Listen" selected
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{0}, DWORD{6}));
    Press(m_editor, VK_F3);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{11}, DWORD{17}));
    Press(m_editor, VK_F3);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{24}, DWORD{30}));
    Press(m_editor, VK_F3);  // wraps to the first one
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{0}, DWORD{6}));
}

}  // namespace
}  // namespace shelltest
