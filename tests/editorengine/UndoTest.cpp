#include <gtest/gtest.h>

#include "TextDocument.h"

namespace tessaly::editor {
namespace {

std::string All(const TextDocument& d)
{
    return d.Text().Text(0, d.Text().Length());
}
std::string AfterUndo(TextDocument& d)
{
    d.Undo();
    return All(d);
}

void Type(TextDocument& d, Pos& at, const std::string& s)
{
    for (const char c : s) {
        ASSERT_TRUE(d.Insert(at, std::string(1, c), UndoMerge::Typing));
        ++at;
    }
}

TEST(Undo, TypingAWordIsOneStep)
{
    TextDocument d;
    Pos at = 0;
    Type(d, at, "hello world");
    EXPECT_EQ(d.Undo(), 6);
    EXPECT_EQ(All(d), "hello ");
    EXPECT_EQ(d.Undo(), 0);
    EXPECT_EQ(All(d), "");
    EXPECT_FALSE(d.CanUndo());
    EXPECT_EQ(d.Redo(), 6);
    EXPECT_EQ(d.Redo(), 11);
    EXPECT_EQ(All(d), "hello world");
}

TEST(Undo, ALineEndEndsTheStep)
{
    TextDocument d;
    Pos at = 0;
    Type(d, at, "ab");
    ASSERT_TRUE(d.Insert(at, "\r\n", UndoMerge::Typing));
    at += 2;
    Type(d, at, "cd");
    EXPECT_EQ(AfterUndo(d), "ab\r\n");
    EXPECT_EQ(AfterUndo(d), "ab");
}

TEST(Undo, BreakingTheMergeStartsANewStep)
{
    TextDocument d;
    Pos at = 0;
    Type(d, at, "ab");
    d.BreakUndoMerge();  // the caret moved away and back
    Type(d, at, "cd");
    EXPECT_EQ(AfterUndo(d), "ab");
}

TEST(Undo, BackspacesMergeAndUndoTogether)
{
    TextDocument d;
    ASSERT_TRUE(d.SetText("abcdef"));
    for (Pos at = 6; at > 3; --at)
        ASSERT_TRUE(d.Delete(at - 1, 1, UndoMerge::DeleteBack));
    EXPECT_EQ(All(d), "abc");
    EXPECT_EQ(d.Undo(), 6);
    EXPECT_EQ(All(d), "abcdef");
}

TEST(Undo, GroupsAreOneStep)
{
    TextDocument d;
    ASSERT_TRUE(d.SetText("one two"));
    d.BeginUndoGroup();
    d.Delete(0, 3);
    d.Insert(0, "three");
    d.EndUndoGroup();
    EXPECT_EQ(All(d), "three two");
    EXPECT_EQ(AfterUndo(d), "one two");
    d.Redo();
    EXPECT_EQ(All(d), "three two");
}

TEST(Undo, ModifiedFollowsTheSavePoint)
{
    TextDocument d;
    ASSERT_TRUE(d.SetText("x"));
    EXPECT_FALSE(d.IsModified());
    Pos at = 1;
    Type(d, at, "ab");
    EXPECT_TRUE(d.IsModified());
    d.SetSavePoint();
    EXPECT_FALSE(d.IsModified());
    Type(d, at, "cd");  // must not merge into the saved step
    EXPECT_TRUE(d.IsModified());
    EXPECT_EQ(AfterUndo(d), "xab");
    EXPECT_FALSE(d.IsModified());
    d.Undo();
    EXPECT_TRUE(d.IsModified());
    d.Redo();
    EXPECT_FALSE(d.IsModified());
}

TEST(Undo, EditsAfterUndoMakeTheSavePointUnreachable)
{
    TextDocument d;
    Pos at = 0;
    Type(d, at, "abc");
    d.SetSavePoint();
    d.Undo();
    at = 0;
    Type(d, at, "xyz");
    EXPECT_TRUE(d.IsModified());
    d.Undo();
    EXPECT_TRUE(d.IsModified());  // the empty text was never saved
}

TEST(Undo, ReadOnlyRefusesEditsAndUndo)
{
    TextDocument d;
    Pos at = 0;
    Type(d, at, "abc");
    d.SetReadOnly(true);
    EXPECT_FALSE(d.Insert(0, "x"));
    EXPECT_FALSE(d.Delete(0, 1));
    EXPECT_FALSE(d.CanUndo());
    EXPECT_EQ(d.Undo(), -1);
    EXPECT_EQ(All(d), "abc");
    // A program may still set the text.
    EXPECT_TRUE(d.SetText("set"));
    EXPECT_EQ(All(d), "set");
}

}  // namespace
}  // namespace tessaly::editor
