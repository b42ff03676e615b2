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
    EditSessionTest() : buffer_(settings_), view_(buffer_), other_(buffer_) {}

    void SetText(const std::string& text) { ASSERT_TRUE(buffer_.SetText(text)); }
    std::string All() const { return buffer_.Text().Text(0, buffer_.Text().Length()); }
    void Type(const std::string& s) {
        for (const char c : s) {
            if (c == '\n') ASSERT_TRUE(view_.NewLine());
            else ASSERT_TRUE(view_.TypeChar(c));
        }
    }

    EditorSettings settings_;
    EditBuffer buffer_;
    EditSession view_;
    EditSession other_;
};

TEST_F(EditSessionTest, TypingInsertsAtTheCaretAndUndoesByWord) {
    Type("Listen 80");
    EXPECT_EQ(All(), "Listen 80");
    EXPECT_EQ(view_.Caret(), 9);
    EXPECT_TRUE(buffer_.IsModified());
    EXPECT_TRUE(view_.Undo());
    EXPECT_EQ(All(), "Listen ");
    EXPECT_TRUE(view_.Undo());
    EXPECT_EQ(All(), "");
    EXPECT_FALSE(buffer_.IsModified());
    EXPECT_TRUE(view_.Redo());
    EXPECT_EQ(All(), "Listen ");
}

TEST_F(EditSessionTest, EnterKeepsTheIndentationAndTheFilesLineEnds) {
    SetText("<Directory x>\n\tOptions None");
    view_.DocEnd(false);
    Type("\nAllow");
    EXPECT_EQ(All(), "<Directory x>\n\tOptions None\n\tAllow");
    settings_.m_bAutoIndent = 0;
    Type("\nX");
    EXPECT_EQ(All(), "<Directory x>\n\tOptions None\n\tAllow\nX");
    SetText("");
    Type("a\nb");
    EXPECT_EQ(All(), "a\r\nb");  // a text without line ends gets CR LF
}

TEST_F(EditSessionTest, BackspaceAndDeleteTakeACrLfWhole) {
    SetText("ab\r\ncd");
    view_.MoveTo(4, false);
    ASSERT_TRUE(view_.Backspace());
    EXPECT_EQ(All(), "abcd");
    EXPECT_EQ(view_.Caret(), 2);
    SetText("ab\r\ncd");
    view_.MoveTo(2, false);
    ASSERT_TRUE(view_.DeleteChar());
    EXPECT_EQ(All(), "abcd");
    view_.MoveTo(0, false);
    EXPECT_FALSE(view_.Backspace());
}

TEST_F(EditSessionTest, CaretNeverStopsInsideACrLf) {
    SetText("ab\r\ncd");
    view_.MoveTo(3, false);
    EXPECT_EQ(view_.Caret(), 2);
    view_.CharRight(false);
    EXPECT_EQ(view_.Caret(), 4);
    view_.CharLeft(false);
    EXPECT_EQ(view_.Caret(), 2);
}

TEST_F(EditSessionTest, UpAndDownKeepTheColumnAcrossTabs) {
    settings_.m_nTabWidth = 4;
    SetText("abcdefgh\n\tx\nabcdefgh\nab");
    view_.MoveTo(6, false);  // column 6
    view_.LineDown(false);
    EXPECT_EQ(view_.Caret(), 11);  // after "\tx": column 5, the line's end
    view_.LineDown(false);
    EXPECT_EQ(view_.Caret(), 12 + 6);  // back in column 6
    view_.LineDown(false);
    EXPECT_EQ(view_.Caret(), 23);      // "ab" is shorter: its end
    view_.LineUp(true);
    EXPECT_EQ(view_.Caret(), 18);
    EXPECT_EQ(view_.Anchor(), 23);
    view_.PageUp(10, false);
    EXPECT_EQ(view_.Caret(), 6);
    view_.PageDown(10, false);
    EXPECT_EQ(view_.Caret(), 23);
}

TEST_F(EditSessionTest, HomeEndAndWords) {
    SetText("    ServerName www.example.com\nnext");
    view_.MoveTo(10, false);
    view_.Home(false);
    EXPECT_EQ(view_.Caret(), 4);
    view_.Home(false);
    EXPECT_EQ(view_.Caret(), 0);
    view_.End(true);
    EXPECT_EQ(view_.Caret(), 30);
    EXPECT_EQ(view_.SelectedText(), "    ServerName www.example.com");
    view_.MoveTo(4, false);
    view_.WordRight(false);
    EXPECT_EQ(view_.Caret(), 15);
    view_.WordRight(false);
    EXPECT_EQ(view_.Caret(), 18);  // "www", then the dot
    view_.WordLeft(false);
    EXPECT_EQ(view_.Caret(), 15);
    view_.MoveTo(30, false);
    view_.WordRight(false);
    EXPECT_EQ(view_.Caret(), 31);  // over the line end
    view_.WordLeft(false);
    EXPECT_EQ(view_.Caret(), 30);
    view_.DocEnd(true);
    view_.DocStart(true);
    EXPECT_EQ(view_.Caret(), 0);
    EXPECT_EQ(view_.Anchor(), 30);
}

TEST_F(EditSessionTest, DoubleClickSelectsAWordAndSelWordFindsIt) {
    SetText("DocumentRoot \"c:/host\"");
    view_.SelectWordAt(3);
    EXPECT_EQ(view_.SelectedText(), "DocumentRoot");
    view_.MoveTo(12, false);  // just after the word
    EXPECT_EQ(view_.SelWord(), "DocumentRoot");
    view_.MoveTo(13, false);  // on the quote, after a blank
    EXPECT_EQ(view_.SelWord(), "");
    view_.SelectWordAt(12);
    EXPECT_EQ(view_.SelectedText(), " ");
}

TEST_F(EditSessionTest, TypingReplacesTheSelectionAndOverwriteReplacesCharacters) {
    SetText("Listen 80");
    view_.SetSelection(7, 9);
    Type("443");
    EXPECT_EQ(All(), "Listen 443");
    view_.SetOverwrite(true);
    view_.MoveTo(7, false);
    Type("8080");
    EXPECT_EQ(All(), "Listen 8080");
    Type("1");
    EXPECT_EQ(All(), "Listen 80801");  // at the line's end it inserts
}

TEST_F(EditSessionTest, TabIndentsAndShiftTabOutdentsASelectedBlock) {
    settings_.m_nTabWidth = 4;
    settings_.m_bKeepTabs = 1;
    SetText("a\nb\n\nc\n");
    view_.SetSelection(0, 7);  // lines a, b, (empty), c; ends at the start of the last line
    ASSERT_TRUE(view_.Tab());
    EXPECT_EQ(All(), "\ta\n\tb\n\n\tc\n");
    EXPECT_EQ(view_.SelStart(), 0);
    EXPECT_EQ(view_.SelEnd(), 10);
    ASSERT_TRUE(view_.BackTab());
    EXPECT_EQ(All(), "a\nb\n\nc\n");
    settings_.m_bKeepTabs = 0;
    view_.SetSelection(0, 3);
    ASSERT_TRUE(view_.Tab());
    EXPECT_EQ(All(), "    a\n    b\n\nc\n");
    ASSERT_TRUE(view_.Undo());
    EXPECT_EQ(All(), "a\nb\n\nc\n");
}

TEST_F(EditSessionTest, TabWithoutABlockInsertsATabOrSpacesToTheNextStop) {
    settings_.m_nTabWidth = 4;
    SetText("ab");
    view_.MoveTo(2, false);
    settings_.m_bKeepTabs = 0;
    ASSERT_TRUE(view_.Tab());
    EXPECT_EQ(All(), "ab  ");
    settings_.m_bKeepTabs = 1;
    ASSERT_TRUE(view_.Tab());
    EXPECT_EQ(All(), "ab  \t");
    EXPECT_FALSE(view_.BackTab());  // no block: outdents the caret's line, which has no indent
    EXPECT_EQ(All(), "ab  \t");
}

TEST_F(EditSessionTest, OtherViewsFollowTheText) {
    SetText("one two three");
    other_.SetSelection(4, 7);  // "two" in the other view
    view_.MoveTo(0, false);
    Type("zero ");
    EXPECT_EQ(other_.SelectedText(), "two");
    EXPECT_EQ(other_.SelStart(), 9);
    view_.SetSelection(5, 13);  // deletes "one two " around the other view's selection
    ASSERT_TRUE(view_.DeleteSelection());
    EXPECT_EQ(All(), "zero three");
    EXPECT_EQ(other_.SelStart(), 5);
    EXPECT_EQ(other_.SelEnd(), 5);
    // A whole new text puts every caret at the start.
    other_.MoveTo(8, false);
    SetText("new");
    EXPECT_EQ(other_.Caret(), 0);
}

TEST_F(EditSessionTest, ReadOnlyRefusesEveryChange) {
    SetText("fixed");
    buffer_.SetReadOnly(true);
    view_.MoveTo(2, false);
    EXPECT_FALSE(view_.TypeChar('x'));
    EXPECT_FALSE(view_.NewLine());
    EXPECT_FALSE(view_.Backspace());
    EXPECT_FALSE(view_.DeleteChar());
    EXPECT_FALSE(view_.Tab());
    EXPECT_FALSE(view_.BackTab());
    EXPECT_FALSE(view_.InsertText("x"));
    EXPECT_FALSE(view_.CanPaste());
    EXPECT_FALSE(view_.CanUndo());
    view_.SelectAll();
    EXPECT_FALSE(view_.DeleteSelection());
    EXPECT_FALSE(view_.CanCut());
    EXPECT_TRUE(view_.CanCopy());
    EXPECT_EQ(view_.ReplaceAll({"fixed"}, "x"), 0);
    EXPECT_FALSE(view_.DropText(0, "x", false));
    EXPECT_EQ(All(), "fixed");
}

TEST_F(EditSessionTest, FindGoesBothWaysWithCaseAndWholeWords) {
    SetText("Port port PORT support port");
    FindOptions o;
    o.what = "port";
    ASSERT_TRUE(view_.FindNext(o));
    EXPECT_EQ(view_.SelStart(), 0);
    ASSERT_TRUE(view_.FindNext(o));
    EXPECT_EQ(view_.SelStart(), 5);
    o.matchCase = true;
    o.wholeWord = true;
    ASSERT_TRUE(view_.FindNext(o));
    EXPECT_EQ(view_.SelStart(), 23);  // "support" is no whole word
    EXPECT_FALSE(view_.FindNext(o));
    EXPECT_TRUE(view_.FindNext(o, true));
    EXPECT_EQ(view_.SelStart(), 5);
    o.down = false;
    o.matchCase = false;
    view_.MoveTo(27, false);
    ASSERT_TRUE(view_.FindNext(o));
    EXPECT_EQ(view_.SelStart(), 23);
    ASSERT_TRUE(view_.FindNext(o));
    EXPECT_EQ(view_.SelStart(), 10);
}

TEST_F(EditSessionTest, CtrlBackspaceAndCtrlDeleteTakeAWordAtATime) {
    SetText("Listen 80\r\nServerName www.example.com\r\n");
    view_.MoveTo(9, false);  // the end of the first line
    ASSERT_TRUE(view_.DeleteWordLeft());
    EXPECT_EQ(All(), "Listen \r\nServerName www.example.com\r\n");
    ASSERT_TRUE(view_.DeleteWordLeft());
    EXPECT_EQ(All(), "\r\nServerName www.example.com\r\n");
    EXPECT_FALSE(view_.DeleteWordLeft()) << "nothing before the caret";
    // Each word was one undo step.
    ASSERT_TRUE(view_.Undo());
    EXPECT_EQ(All(), "Listen \r\nServerName www.example.com\r\n");
    // Forwards: the word and the blanks after it; a line end goes whole.
    view_.MoveTo(9, false);  // the start of the second line
    ASSERT_TRUE(view_.DeleteWordRight());
    EXPECT_EQ(All(), "Listen \r\nwww.example.com\r\n");
    ASSERT_TRUE(view_.DeleteWordRight());
    EXPECT_EQ(All(), "Listen \r\n.example.com\r\n");
    view_.MoveTo(7, false);
    ASSERT_TRUE(view_.DeleteWordRight());
    EXPECT_EQ(All(), "Listen .example.com\r\n");
    view_.MoveTo(buffer_.Text().Length(), false);
    ASSERT_TRUE(view_.DeleteWordLeft());
    EXPECT_EQ(All(), "Listen .example.com");
    // A selection goes as it is; the other view's caret moves with the text.
    other_.MoveTo(19, false);
    view_.SetSelection(0, 7);
    ASSERT_TRUE(view_.DeleteWordRight());
    EXPECT_EQ(All(), ".example.com");
    EXPECT_EQ(other_.Caret(), 12);
    buffer_.SetReadOnly(true);
    EXPECT_FALSE(view_.DeleteWordLeft());
    EXPECT_FALSE(view_.DeleteWordRight());
}

TEST_F(EditSessionTest, ALongFindTellsHowFarItGotAndCanBeStopped) {
    std::string text(3 * 1024 * 1024, 'x');
    for (std::size_t i = 79; i < text.size(); i += 80) text[i] = '\n';
    text += "ServerName end\n";
    SetText(text);
    FindOptions o;
    o.what = "servername";
    std::vector<double> told;
    auto record = [&](double fraction) {
        told.push_back(fraction);
        return true;
    };
    ASSERT_EQ(view_.Find(o, false, record), EditSession::FindResult::Found);
    EXPECT_EQ(view_.SelStart(), static_cast<Pos>(text.size() - 15));
    ASSERT_GT(told.size(), 5u);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_GT(told.back(), 0.9);
    EXPECT_LE(told.back(), 1.0);

    // Wrapped from the end and found nowhere: the fractions go on rising over both parts.
    view_.MoveTo(static_cast<Pos>(text.size() / 2), false);
    o.what = "absent";
    told.clear();
    EXPECT_EQ(view_.Find(o, true, record), EditSession::FindResult::NotFound);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_GT(told.back(), 0.9);

    // Stopped half way: nothing is selected, the caret stays, whatever lies further on.
    o.what = "ServerName";
    view_.MoveTo(0, false);
    int calls = 0;
    EXPECT_EQ(view_.Find(o, true, [&](double fraction) { return ++calls < 3 && fraction < 0.5; }),
              EditSession::FindResult::Stopped);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(view_.Caret(), 0);
    EXPECT_FALSE(view_.HasSelection());
    // Upwards too.
    view_.MoveTo(static_cast<Pos>(text.size() / 2), false);
    o.down = false;
    EXPECT_EQ(view_.Find(o, true, [](double) { return false; }), EditSession::FindResult::Stopped);
    EXPECT_EQ(view_.Caret(), static_cast<Pos>(text.size() / 2));
}

TEST_F(EditSessionTest, AWrappedFindMeetsTheMatchTheCaretIsIn) {
    // The part searched after wrapping ends where the search began, but not before a match
    // that the caret splits.
    SetText("one two three");
    FindOptions o;
    o.what = "two";
    view_.MoveTo(5, false);
    ASSERT_TRUE(view_.FindNext(o, true));
    EXPECT_EQ(view_.SelStart(), 4);
    EXPECT_EQ(view_.SelEnd(), 7);
    o.down = false;
    view_.MoveTo(6, false);
    ASSERT_TRUE(view_.FindNext(o, true));
    EXPECT_EQ(view_.SelStart(), 4);
    o.what = "three";
    view_.MoveTo(13, false);
    EXPECT_TRUE(view_.FindNext(o, true));
    EXPECT_EQ(view_.SelStart(), 8);
}

TEST_F(EditSessionTest, ReplaceAndReplaceAll) {
    SetText("Listen 80\nListen 8080\nlisten 80");
    FindOptions o;
    o.what = "80";
    o.wholeWord = true;
    ASSERT_TRUE(view_.FindNext(o));
    ASSERT_TRUE(view_.Replace(o, "81"));  // replaces the selected match, selects the next
    EXPECT_EQ(All(), "Listen 81\nListen 8080\nlisten 80");
    EXPECT_EQ(view_.SelStart(), 29);
    o.what = "listen";
    o.wholeWord = false;
    EXPECT_EQ(view_.ReplaceAll(o, "Port"), 3);
    EXPECT_EQ(All(), "Port 81\nPort 8080\nPort 80");
    ASSERT_TRUE(view_.Undo());  // one step
    EXPECT_EQ(All(), "Listen 81\nListen 8080\nlisten 80");
}

TEST_F(EditSessionTest, DragAndDropMovesOrCopies) {
    SetText("alpha beta gamma");
    view_.SetSelection(0, 6);  // "alpha "
    ASSERT_TRUE(view_.DropText(11, view_.SelectedText(), true));
    EXPECT_EQ(All(), "beta alpha gamma");
    EXPECT_EQ(view_.SelectedText(), "alpha ");
    ASSERT_TRUE(view_.Undo());
    EXPECT_EQ(All(), "alpha beta gamma");
    view_.SetSelection(11, 16);  // "gamma" before itself
    ASSERT_TRUE(view_.DropText(0, view_.SelectedText(), true));
    EXPECT_EQ(All(), "gammaalpha beta ");
    view_.SetSelection(0, 5);
    EXPECT_FALSE(view_.DropText(3, "gamma", true));  // onto itself
    ASSERT_TRUE(other_.DropText(5, "+", false));     // a copy from elsewhere
    EXPECT_EQ(All(), "gamma+alpha beta ");
}

TEST_F(EditSessionTest, GotoLineAndTheLogViewersMoves) {
    SetText("l1\nl2\nl3\nlast line");
    view_.GotoLine(3);
    EXPECT_EQ(view_.Caret(), 6);
    view_.GotoLine(99);
    EXPECT_EQ(view_.Caret(), 9);
    view_.GotoLine(0);
    EXPECT_EQ(view_.Caret(), 0);
    view_.BottomOfFile();
    view_.BeginningOfLine();
    EXPECT_EQ(view_.Caret(), 9);
    view_.TopOfFile();
    EXPECT_EQ(view_.Caret(), 0);
}

TEST_F(EditSessionTest, StandardEditMessages) {
    SetText("first\r\nsecond\nthird");
    EXPECT_EQ(view_.EmGetLineCount(), 3);
    EXPECT_EQ(view_.EmLineIndex(1), 7);
    EXPECT_EQ(view_.EmLineIndex(3), -1);
    EXPECT_EQ(view_.EmLineFromChar(8), 1);
    EXPECT_EQ(view_.EmLineLength(8), 6);
    EXPECT_EQ(view_.EmLineLength(99), 0);
    view_.EmSetSel(2, 9);
    EXPECT_EQ(view_.SelStart(), 2);
    EXPECT_EQ(view_.SelEnd(), 9);
    EXPECT_EQ(view_.EmLineFromChar(-1), 0);
    EXPECT_EQ(view_.EmLineIndex(-1), 7);           // the caret's line
    EXPECT_EQ(view_.EmLineLength(-1), 2 + 4);       // "fi" and "cond" are not selected
    view_.EmSetSel(0, -1);
    EXPECT_EQ(view_.SelEnd(), 19);
    view_.EmSetSel(-1, 0);
    EXPECT_FALSE(view_.HasSelection());
    char text[8];
    EXPECT_EQ(view_.GetText(text, sizeof(text)), 7);
    EXPECT_STREQ(text, "first\r\n");
    EXPECT_FALSE(buffer_.IsModified());
    SetText("");
    EXPECT_EQ(view_.EmGetLineCount(), 1);
}

}  // namespace
}  // namespace tessaly::editor
