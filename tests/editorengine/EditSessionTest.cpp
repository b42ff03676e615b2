#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "EditSession.h"
#include "EditorTestUtil.h"

namespace tessaly::editor {
namespace {

// One buffer with two views on it, as New Window or a splitter gives them.
class EditSessionTest : public ::testing::Test {
protected:
    EditSessionTest() : m_buffer(m_settings), m_view(m_buffer), m_other(m_buffer) {}

    void SetText(const std::string& text) { ASSERT_TRUE(m_buffer.SetText(text)); }
    std::string All() const { return m_buffer.Text().Text(0, m_buffer.Text().Length()); }
    void Type(const std::string& s)
    {
        for (const char c : s) {
            if (c == '\n')
                ASSERT_TRUE(m_view.NewLine());
            else
                ASSERT_TRUE(m_view.TypeChar(c));
        }
    }

    EditorSettings m_settings;
    EditBuffer m_buffer;
    EditSession m_view;
    EditSession m_other;
};

TEST_F(EditSessionTest, TypingInsertsAtTheCaretAndUndoesByWord)
{
    Type("Listen 80");
    EXPECT_EQ(All(), "Listen 80");
    EXPECT_EQ(m_view.Caret(), 9);
    EXPECT_TRUE(m_buffer.IsModified());
    EXPECT_TRUE(m_view.Undo());
    EXPECT_EQ(All(), "Listen ");
    EXPECT_TRUE(m_view.Undo());
    EXPECT_EQ(All(), "");
    EXPECT_FALSE(m_buffer.IsModified());
    EXPECT_TRUE(m_view.Redo());
    EXPECT_EQ(All(), "Listen ");
}

TEST_F(EditSessionTest, EnterKeepsTheIndentationAndTheFilesLineEnds)
{
    SetText("<Directory x>\n\tOptions None");
    m_view.DocEnd(false);
    Type("\nAllow");
    EXPECT_EQ(All(), "<Directory x>\n\tOptions None\n\tAllow");
    m_settings.m_bAutoIndent = 0;
    Type("\nX");
    EXPECT_EQ(All(), "<Directory x>\n\tOptions None\n\tAllow\nX");
    SetText("");
    Type("a\nb");
    EXPECT_EQ(All(), "a\r\nb");  // a text without line ends gets CR LF
}

TEST_F(EditSessionTest, BackspaceAndDeleteTakeACrLfWhole)
{
    SetText("ab\r\ncd");
    m_view.MoveTo(4, false);
    ASSERT_TRUE(m_view.Backspace());
    EXPECT_EQ(All(), "abcd");
    EXPECT_EQ(m_view.Caret(), 2);
    SetText("ab\r\ncd");
    m_view.MoveTo(2, false);
    ASSERT_TRUE(m_view.DeleteChar());
    EXPECT_EQ(All(), "abcd");
    m_view.MoveTo(0, false);
    EXPECT_FALSE(m_view.Backspace());
}

TEST_F(EditSessionTest, CaretNeverStopsInsideACrLf)
{
    SetText("ab\r\ncd");
    m_view.MoveTo(3, false);
    EXPECT_EQ(m_view.Caret(), 2);
    m_view.CharRight(false);
    EXPECT_EQ(m_view.Caret(), 4);
    m_view.CharLeft(false);
    EXPECT_EQ(m_view.Caret(), 2);
}

TEST_F(EditSessionTest, UpAndDownKeepTheColumnAcrossTabs)
{
    m_settings.m_nTabWidth = 4;
    SetText("abcdefgh\n\tx\nabcdefgh\nab");
    m_view.MoveTo(6, false);  // column 6
    m_view.LineDown(false);
    EXPECT_EQ(m_view.Caret(), 11);  // after "\tx": column 5, the line's end
    m_view.LineDown(false);
    EXPECT_EQ(m_view.Caret(), 12 + 6);  // back in column 6
    m_view.LineDown(false);
    EXPECT_EQ(m_view.Caret(), 23);  // "ab" is shorter: its end
    m_view.LineUp(true);
    EXPECT_EQ(m_view.Caret(), 18);
    EXPECT_EQ(m_view.Anchor(), 23);
    m_view.PageUp(10, false);
    EXPECT_EQ(m_view.Caret(), 6);
    m_view.PageDown(10, false);
    EXPECT_EQ(m_view.Caret(), 23);
}

TEST_F(EditSessionTest, HomeEndAndWords)
{
    SetText("    ServerName www.example.com\nnext");
    m_view.MoveTo(10, false);
    m_view.Home(false);
    EXPECT_EQ(m_view.Caret(), 4);
    m_view.Home(false);
    EXPECT_EQ(m_view.Caret(), 0);
    m_view.End(true);
    EXPECT_EQ(m_view.Caret(), 30);
    EXPECT_EQ(m_view.SelectedText(), "    ServerName www.example.com");
    m_view.MoveTo(4, false);
    m_view.WordRight(false);
    EXPECT_EQ(m_view.Caret(), 15);
    m_view.WordRight(false);
    EXPECT_EQ(m_view.Caret(), 18);  // "www", then the dot
    m_view.WordLeft(false);
    EXPECT_EQ(m_view.Caret(), 15);
    m_view.MoveTo(30, false);
    m_view.WordRight(false);
    EXPECT_EQ(m_view.Caret(), 31);  // over the line end
    m_view.WordLeft(false);
    EXPECT_EQ(m_view.Caret(), 30);
    m_view.DocEnd(true);
    m_view.DocStart(true);
    EXPECT_EQ(m_view.Caret(), 0);
    EXPECT_EQ(m_view.Anchor(), 30);
}

TEST_F(EditSessionTest, DoubleClickSelectsAWordAndSelWordFindsIt)
{
    SetText("DocumentRoot \"c:/host\"");
    m_view.SelectWordAt(3);
    EXPECT_EQ(m_view.SelectedText(), "DocumentRoot");
    m_view.MoveTo(12, false);  // just after the word
    EXPECT_EQ(m_view.SelWord(), "DocumentRoot");
    m_view.MoveTo(13, false);  // on the quote, after a blank
    EXPECT_EQ(m_view.SelWord(), "");
    m_view.SelectWordAt(12);
    EXPECT_EQ(m_view.SelectedText(), " ");
}

TEST_F(EditSessionTest, TypingReplacesTheSelectionAndOverwriteReplacesCharacters)
{
    SetText("Listen 80");
    m_view.SetSelection(7, 9);
    Type("443");
    EXPECT_EQ(All(), "Listen 443");
    m_view.SetOverwrite(true);
    m_view.MoveTo(7, false);
    Type("8080");
    EXPECT_EQ(All(), "Listen 8080");
    Type("1");
    EXPECT_EQ(All(), "Listen 80801");  // at the line's end it inserts
}

TEST_F(EditSessionTest, TabIndentsAndShiftTabOutdentsASelectedBlock)
{
    m_settings.m_nTabWidth = 4;
    m_settings.m_bKeepTabs = 1;
    SetText("a\nb\n\nc\n");
    m_view.SetSelection(0, 7);  // lines a, b, (empty), c; ends at the start of the last line
    ASSERT_TRUE(m_view.Tab());
    EXPECT_EQ(All(), "\ta\n\tb\n\n\tc\n");
    EXPECT_EQ(m_view.SelStart(), 0);
    EXPECT_EQ(m_view.SelEnd(), 10);
    ASSERT_TRUE(m_view.BackTab());
    EXPECT_EQ(All(), "a\nb\n\nc\n");
    m_settings.m_bKeepTabs = 0;
    m_view.SetSelection(0, 3);
    ASSERT_TRUE(m_view.Tab());
    EXPECT_EQ(All(), "    a\n    b\n\nc\n");
    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(All(), "a\nb\n\nc\n");
}

TEST_F(EditSessionTest, TabWithoutABlockInsertsATabOrSpacesToTheNextStop)
{
    m_settings.m_nTabWidth = 4;
    SetText("ab");
    m_view.MoveTo(2, false);
    m_settings.m_bKeepTabs = 0;
    ASSERT_TRUE(m_view.Tab());
    EXPECT_EQ(All(), "ab  ");
    m_settings.m_bKeepTabs = 1;
    ASSERT_TRUE(m_view.Tab());
    EXPECT_EQ(All(), "ab  \t");
    EXPECT_FALSE(m_view.BackTab());  // no block: outdents the caret's line, which has no indent
    EXPECT_EQ(All(), "ab  \t");
}

TEST_F(EditSessionTest, OtherViewsFollowTheText)
{
    SetText("one two three");
    m_other.SetSelection(4, 7);  // "two" in the other view
    m_view.MoveTo(0, false);
    Type("zero ");
    EXPECT_EQ(m_other.SelectedText(), "two");
    EXPECT_EQ(m_other.SelStart(), 9);
    m_view.SetSelection(5, 13);  // deletes "one two " around the other view's selection
    ASSERT_TRUE(m_view.DeleteSelection());
    EXPECT_EQ(All(), "zero three");
    EXPECT_EQ(m_other.SelStart(), 5);
    EXPECT_EQ(m_other.SelEnd(), 5);
    // A whole new text puts every caret at the start.
    m_other.MoveTo(8, false);
    SetText("new");
    EXPECT_EQ(m_other.Caret(), 0);
}

TEST_F(EditSessionTest, ReadOnlyRefusesEveryChange)
{
    SetText("fixed");
    m_buffer.SetReadOnly(true);
    m_view.MoveTo(2, false);
    EXPECT_FALSE(m_view.TypeChar('x'));
    EXPECT_FALSE(m_view.NewLine());
    EXPECT_FALSE(m_view.Backspace());
    EXPECT_FALSE(m_view.DeleteChar());
    EXPECT_FALSE(m_view.Tab());
    EXPECT_FALSE(m_view.BackTab());
    EXPECT_FALSE(m_view.InsertText("x"));
    EXPECT_FALSE(m_view.CanPaste());
    EXPECT_FALSE(m_view.CanUndo());
    m_view.SelectAll();
    EXPECT_FALSE(m_view.DeleteSelection());
    EXPECT_FALSE(m_view.CanCut());
    EXPECT_TRUE(m_view.CanCopy());
    EXPECT_EQ(m_view.ReplaceAll({"fixed"}, "x"), 0);
    EXPECT_FALSE(m_view.DropText(0, "x", false));
    EXPECT_EQ(All(), "fixed");
}

TEST_F(EditSessionTest, FindGoesBothWaysWithCaseAndWholeWords)
{
    SetText("Port port PORT support port");
    FindOptions o;
    o.what = "port";
    ASSERT_TRUE(m_view.FindNext(o));
    EXPECT_EQ(m_view.SelStart(), 0);
    ASSERT_TRUE(m_view.FindNext(o));
    EXPECT_EQ(m_view.SelStart(), 5);
    o.matchCase = true;
    o.wholeWord = true;
    ASSERT_TRUE(m_view.FindNext(o));
    EXPECT_EQ(m_view.SelStart(), 23);  // "support" is no whole word
    EXPECT_FALSE(m_view.FindNext(o));
    EXPECT_TRUE(m_view.FindNext(o, true));
    EXPECT_EQ(m_view.SelStart(), 5);
    o.down = false;
    o.matchCase = false;
    m_view.MoveTo(27, false);
    ASSERT_TRUE(m_view.FindNext(o));
    EXPECT_EQ(m_view.SelStart(), 23);
    ASSERT_TRUE(m_view.FindNext(o));
    EXPECT_EQ(m_view.SelStart(), 10);
}

TEST_F(EditSessionTest, CtrlBackspaceAndCtrlDeleteTakeAWordAtATime)
{
    SetText("Listen 80\r\nServerName www.example.com\r\n");
    m_view.MoveTo(9, false);  // the end of the first line
    ASSERT_TRUE(m_view.DeleteWordLeft());
    EXPECT_EQ(All(), "Listen \r\nServerName www.example.com\r\n");
    ASSERT_TRUE(m_view.DeleteWordLeft());
    EXPECT_EQ(All(), "\r\nServerName www.example.com\r\n");
    EXPECT_FALSE(m_view.DeleteWordLeft()) << "nothing before the caret";
    // Each word was one undo step.
    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(All(), "Listen \r\nServerName www.example.com\r\n");
    // Forwards: the word and the blanks after it; a line end goes whole.
    m_view.MoveTo(9, false);  // the start of the second line
    ASSERT_TRUE(m_view.DeleteWordRight());
    EXPECT_EQ(All(), "Listen \r\nwww.example.com\r\n");
    ASSERT_TRUE(m_view.DeleteWordRight());
    EXPECT_EQ(All(), "Listen \r\n.example.com\r\n");
    m_view.MoveTo(7, false);
    ASSERT_TRUE(m_view.DeleteWordRight());
    EXPECT_EQ(All(), "Listen .example.com\r\n");
    m_view.MoveTo(m_buffer.Text().Length(), false);
    ASSERT_TRUE(m_view.DeleteWordLeft());
    EXPECT_EQ(All(), "Listen .example.com");
    // A selection goes as it is; the other view's caret moves with the text.
    m_other.MoveTo(19, false);
    m_view.SetSelection(0, 7);
    ASSERT_TRUE(m_view.DeleteWordRight());
    EXPECT_EQ(All(), ".example.com");
    EXPECT_EQ(m_other.Caret(), 12);
    m_buffer.SetReadOnly(true);
    EXPECT_FALSE(m_view.DeleteWordLeft());
    EXPECT_FALSE(m_view.DeleteWordRight());
}

TEST_F(EditSessionTest, ALongFindTellsHowFarItGotAndCanBeStopped)
{
    std::string text(3 * 1024 * 1024, 'x');
    for (std::size_t i = 79; i < text.size(); i += 80)
        text[i] = '\n';
    text += "ServerName end\n";
    SetText(text);
    FindOptions o;
    o.what = "servername";
    std::vector<double> told;
    auto record = [&](double fraction) {
        told.push_back(fraction);
        return true;
    };
    ASSERT_EQ(m_view.Find(o, false, record), EditSession::FindResult::Found);
    EXPECT_EQ(m_view.SelStart(), static_cast<Pos>(text.size() - 15));
    ASSERT_GT(told.size(), 5u);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_GT(told.back(), 0.9);
    EXPECT_LE(told.back(), 1.0);

    // Wrapped from the end and found nowhere: the fractions go on rising over both parts.
    m_view.MoveTo(static_cast<Pos>(text.size() / 2), false);
    o.what = "absent";
    told.clear();
    EXPECT_EQ(m_view.Find(o, true, record), EditSession::FindResult::NotFound);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_GT(told.back(), 0.9);

    // Stopped half way: nothing is selected, the caret stays, whatever lies further on.
    o.what = "ServerName";
    m_view.MoveTo(0, false);
    int calls = 0;
    EXPECT_EQ(m_view.Find(o, true, [&](double fraction) { return ++calls < 3 && fraction < 0.5; }),
              EditSession::FindResult::Stopped);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(m_view.Caret(), 0);
    EXPECT_FALSE(m_view.HasSelection());
    // Upwards too.
    m_view.MoveTo(static_cast<Pos>(text.size() / 2), false);
    o.down = false;
    EXPECT_EQ(m_view.Find(o, true, [](double) { return false; }), EditSession::FindResult::Stopped);
    EXPECT_EQ(m_view.Caret(), static_cast<Pos>(text.size() / 2));
}

TEST_F(EditSessionTest, AWrappedFindMeetsTheMatchTheCaretIsIn)
{
    // The part searched after wrapping ends where the search began, but not before a match
    // that the caret splits.
    SetText("one two three");
    FindOptions o;
    o.what = "two";
    m_view.MoveTo(5, false);
    ASSERT_TRUE(m_view.FindNext(o, true));
    EXPECT_EQ(m_view.SelStart(), 4);
    EXPECT_EQ(m_view.SelEnd(), 7);
    o.down = false;
    m_view.MoveTo(6, false);
    ASSERT_TRUE(m_view.FindNext(o, true));
    EXPECT_EQ(m_view.SelStart(), 4);
    o.what = "three";
    m_view.MoveTo(13, false);
    EXPECT_TRUE(m_view.FindNext(o, true));
    EXPECT_EQ(m_view.SelStart(), 8);
}

TEST_F(EditSessionTest, ReplaceAndReplaceAll)
{
    SetText("Listen 80\nListen 8080\nlisten 80");
    FindOptions o;
    o.what = "80";
    o.wholeWord = true;
    ASSERT_TRUE(m_view.FindNext(o));
    ASSERT_TRUE(m_view.Replace(o, "81"));  // replaces the selected match, selects the next
    EXPECT_EQ(All(), "Listen 81\nListen 8080\nlisten 80");
    EXPECT_EQ(m_view.SelStart(), 29);
    o.what = "listen";
    o.wholeWord = false;
    EXPECT_EQ(m_view.ReplaceAll(o, "Port"), 3);
    EXPECT_EQ(All(), "Port 81\nPort 8080\nPort 80");
    ASSERT_TRUE(m_view.Undo());  // one step
    EXPECT_EQ(All(), "Listen 81\nListen 8080\nlisten 80");
}

TEST_F(EditSessionTest, DragAndDropMovesOrCopies)
{
    SetText("alpha beta gamma");
    m_view.SetSelection(0, 6);  // "alpha "
    ASSERT_TRUE(m_view.DropText(11, m_view.SelectedText(), true));
    EXPECT_EQ(All(), "beta alpha gamma");
    EXPECT_EQ(m_view.SelectedText(), "alpha ");
    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(All(), "alpha beta gamma");
    m_view.SetSelection(11, 16);  // "gamma" before itself
    ASSERT_TRUE(m_view.DropText(0, m_view.SelectedText(), true));
    EXPECT_EQ(All(), "gammaalpha beta ");
    m_view.SetSelection(0, 5);
    EXPECT_FALSE(m_view.DropText(3, "gamma", true));  // onto itself
    ASSERT_TRUE(m_other.DropText(5, "+", false));     // a copy from elsewhere
    EXPECT_EQ(All(), "gamma+alpha beta ");
}

TEST_F(EditSessionTest, GotoLineAndTheLogViewersMoves)
{
    SetText("l1\nl2\nl3\nlast line");
    m_view.GotoLine(3);
    EXPECT_EQ(m_view.Caret(), 6);
    m_view.GotoLine(99);
    EXPECT_EQ(m_view.Caret(), 9);
    m_view.GotoLine(0);
    EXPECT_EQ(m_view.Caret(), 0);
    m_view.BottomOfFile();
    m_view.BeginningOfLine();
    EXPECT_EQ(m_view.Caret(), 9);
    m_view.TopOfFile();
    EXPECT_EQ(m_view.Caret(), 0);
}

TEST_F(EditSessionTest, StandardEditMessages)
{
    SetText("first\r\nsecond\nthird");
    EXPECT_EQ(m_view.EmGetLineCount(), 3);
    EXPECT_EQ(m_view.EmLineIndex(1), 7);
    EXPECT_EQ(m_view.EmLineIndex(3), -1);
    EXPECT_EQ(m_view.EmLineFromChar(8), 1);
    EXPECT_EQ(m_view.EmLineLength(8), 6);
    EXPECT_EQ(m_view.EmLineLength(99), 0);
    m_view.EmSetSel(2, 9);
    EXPECT_EQ(m_view.SelStart(), 2);
    EXPECT_EQ(m_view.SelEnd(), 9);
    EXPECT_EQ(m_view.EmLineFromChar(-1), 0);
    EXPECT_EQ(m_view.EmLineIndex(-1), 7);       // the caret's line
    EXPECT_EQ(m_view.EmLineLength(-1), 2 + 4);  // "fi" and "cond" are not selected
    m_view.EmSetSel(0, -1);
    EXPECT_EQ(m_view.SelEnd(), 19);
    m_view.EmSetSel(-1, 0);
    EXPECT_FALSE(m_view.HasSelection());
    char text[8];
    EXPECT_EQ(m_view.GetText(text, sizeof(text)), 7);
    EXPECT_STREQ(text, "first\r\n");
    EXPECT_FALSE(m_buffer.IsModified());
    SetText("");
    EXPECT_EQ(m_view.EmGetLineCount(), 1);
}

}  // namespace
}  // namespace tessaly::editor
