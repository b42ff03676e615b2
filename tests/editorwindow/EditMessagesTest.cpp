// The standard edit-control messages, answered as the platform's edit control does, with
// line ends counted as the text has them.
#include <gtest/gtest.h>

#include "EditorHost.h"

namespace shelltest {
namespace {

class EditMessagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Mixed line ends: CR LF, LF, lone CR.
        m_editor = AddEditorWithText(m_host, "one\r\ntwo\nthree\rfour");
        ASSERT_TRUE(m_editor);
    }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return ::SendMessageA(m_editor, msg, w, l); }

    EditorHost m_host;
    HWND m_editor = nullptr;
};

TEST_F(EditMessagesTest, LinesAndPositions)
{
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 19);
    EXPECT_EQ(Send(EM_GETLINECOUNT), 4);
    EXPECT_EQ(Send(EM_LINEINDEX, 0), 0);
    EXPECT_EQ(Send(EM_LINEINDEX, 1), 5);
    EXPECT_EQ(Send(EM_LINEINDEX, 2), 9);
    EXPECT_EQ(Send(EM_LINEINDEX, 3), 15);
    EXPECT_EQ(Send(EM_LINEINDEX, 4), -1);
    EXPECT_EQ(Send(EM_LINELENGTH, 9), 5);
    EXPECT_EQ(Send(EM_LINELENGTH, 16), 4);
    EXPECT_EQ(Send(EM_LINEFROMCHAR, 4), 0);
    EXPECT_EQ(Send(EM_LINEFROMCHAR, 5), 1);
    EXPECT_EQ(Send(EM_LINEFROMCHAR, 14), 2);
    EXPECT_EQ(Send(EM_LINEFROMCHAR, 19), 3);
    char line[16] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    EXPECT_EQ(Send(EM_GETLINE, 2, reinterpret_cast<LPARAM>(line)), 5);
    EXPECT_EQ(std::string(line, 5), "three");
}

TEST_F(EditMessagesTest, SelectionAndItsLine)
{
    Send(EM_SETSEL, 6, 11);
    DWORD start = 0, end = 0;
    EXPECT_EQ(Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)), MAKELRESULT(6, 11));
    EXPECT_EQ(start, 6u);
    EXPECT_EQ(end, 11u);
    // -1: the line of the selection's start; the unselected characters of its lines.
    EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 1);
    EXPECT_EQ(Send(EM_LINELENGTH, static_cast<WPARAM>(-1)), 1 + 3);
    Send(EM_SETSEL, 0, -1);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{0}, DWORD{19}));
    Send(EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Selection(m_editor).first, Selection(m_editor).second);
    // The caret at the end: the anchor stays at the start.
    Send(EM_SETSEL, 9, 5);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{5}, DWORD{9}));
    EXPECT_EQ(Send(EM_LINEINDEX, static_cast<WPARAM>(-1)), 5);
}

TEST_F(EditMessagesTest, TextModifiedAndReadOnly)
{
    char small[4] = {};
    EXPECT_EQ(Send(WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 3);
    EXPECT_STREQ(small, "one");
    EXPECT_FALSE(Send(EM_GETMODIFY));
    Send(EM_SETSEL, 3, 3);
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("!"));
    EXPECT_EQ(Text(m_editor), "one!\r\ntwo\nthree\rfour");
    EXPECT_TRUE(Send(EM_GETMODIFY));
    EXPECT_TRUE(Send(EM_CANUNDO));
    Send(EM_SETMODIFY, FALSE);
    EXPECT_FALSE(Send(EM_GETMODIFY));
    EXPECT_TRUE(Send(EM_SETREADONLY, TRUE));
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("?"));
    EXPECT_EQ(Text(m_editor), "one!\r\ntwo\nthree\rfour");
    // A program may still set the whole text.
    EXPECT_TRUE(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new")));
    EXPECT_EQ(Text(m_editor), "new");
}

TEST_F(EditMessagesTest, OutOfRangeAndNullArgumentsAreAnsweredSafely)
{
    EXPECT_EQ(Send(WM_GETTEXT, 10, 0), 0);
    EXPECT_EQ(Send(WM_GETTEXT, 0, reinterpret_cast<LPARAM>("x")), 0);
    EXPECT_EQ(Send(EM_GETLINE, 1, 0), 0);
    char line[8] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    EXPECT_EQ(Send(EM_GETLINE, 99, reinterpret_cast<LPARAM>(line)), 0);
    EXPECT_EQ(Send(EM_GETSEL, 0, 0), MAKELRESULT(0, 0));
    Send(EM_SETSEL, 5, 1000000);  // clamped to the text
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{5}, DWORD{19}));
    EXPECT_EQ(Send(EM_LINEFROMCHAR, 1000000), 3);
    EXPECT_EQ(Send(EM_LINELENGTH, 1000000), 0);
    EXPECT_EQ(Send(EM_LINEINDEX, 1000000), -1);
    Send(EM_REPLACESEL, TRUE, 0);
    EXPECT_TRUE(Send(WM_SETTEXT, 0, 0));
    EXPECT_EQ(Text(m_editor), "");
    EXPECT_EQ(Send(EM_GETLINECOUNT), 1) << "an empty text has one line";
    // A position between the CR and the LF of one line end goes before both.
    ::SetWindowTextA(m_editor, "ab\r\ncd");
    Send(EM_SETSEL, 3, 3);
    EXPECT_EQ(Selection(m_editor), std::make_pair(DWORD{2}, DWORD{2}));
}

TEST_F(EditMessagesTest, FirstVisibleLineFollowsTheCaret)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "x\r\n";
    ::SetWindowTextA(m_editor, text.c_str());
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
    Send(EM_SETSEL, 3 * 200, 3 * 200);
    Send(EM_SCROLLCARET);
    const LRESULT first = Send(EM_GETFIRSTVISIBLELINE);
    EXPECT_GT(first, 150);
    EXPECT_LE(first, 200);
}

}  // namespace
}  // namespace shelltest
