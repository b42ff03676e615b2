#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "EditBuffer.h"
#include "EditSession.h"
#include "EditorTestUtil.h"

namespace tessaly::editor {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::string AllText(const EditBuffer& b)
{
    return b.Text().Text(0, b.Text().Length());
}

std::string Written(const EditBuffer& b)
{
    std::string out;
    EXPECT_TRUE(b.WriteText([&](const char* data, std::size_t n) {
        out.append(data, n);
        return true;
    }));
    return out;
}

class EditBufferTest : public ::testing::Test {
protected:
    EditBufferTest() : m_buffer(m_settings) {}
    // Writes `count` numbered lines ("line 0\n", ...) into the file and shows it read-only, its
    // lines indexed; `text` is what was written.
    void ShowLog(const std::string& path, const char* word, int count, const char* end, std::string& text)
    {
        text.clear();
        for (int i = 0; i < count; ++i)
            text += word + (" " + std::to_string(i)) + end;
        WriteBytes(path, text);
        m_buffer.SetReadOnly(true);
        ASSERT_EQ(m_buffer.ReadFile(path), 0);
        ASSERT_NE(m_buffer.File(), nullptr);
        ASSERT_TRUE(m_buffer.File()->WaitForIndex(nullptr));
    }

    EditorSettings m_settings;
    EditBuffer m_buffer;
    TempDir m_dir;
};

TEST_F(EditBufferTest, ReadsAndWritesAnyBytesExactly)
{
    std::mt19937 rng(5);
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += static_cast<char>(rng() % 256);
    bytes += std::string(3 << 20, 'L');  // a line of megabytes
    bytes += "\r\rmixed\n\r\nends";      // and no final line end
    const std::string path = m_dir.File("in.conf");
    WriteBytes(path, bytes);
    ASSERT_EQ(m_buffer.ReadFile(path), 0);
    EXPECT_FALSE(m_buffer.IsModified());
    EXPECT_EQ(AllText(m_buffer), bytes);
    EXPECT_EQ(Written(m_buffer), bytes);
    EXPECT_EQ(m_buffer.Text().LineCount(), static_cast<Pos>(test::NaiveLineStarts(bytes).size()));
}

TEST_F(EditBufferTest, SavingCleansTheModifiedStateAndUndoDirtiesItAgain)
{
    const std::string path = m_dir.File("httpd.conf");
    WriteBytes(path, "Listen 80\r\n");
    ASSERT_EQ(m_buffer.ReadFile(path), 0);
    EditSession view(m_buffer);
    view.DocEnd(false);
    ASSERT_TRUE(view.TypeChar('#'));
    EXPECT_TRUE(m_buffer.IsModified());
    EXPECT_EQ(Written(m_buffer), "Listen 80\r\n#");
    m_buffer.MarkSaved();
    EXPECT_FALSE(m_buffer.IsModified());
    ASSERT_TRUE(view.Undo());
    EXPECT_TRUE(m_buffer.IsModified());
    ASSERT_TRUE(view.Redo());
    EXPECT_FALSE(m_buffer.IsModified());
    // A refusing sink is a failed save.
    EXPECT_FALSE(m_buffer.WriteText([](const char*, std::size_t) { return false; }));
}

TEST_F(EditBufferTest, AFailedReadKeepsTheText)
{
    ASSERT_TRUE(m_buffer.SetText("kept"));
    EXPECT_NE(m_buffer.ReadFile(m_dir.File("missing.conf")), 0);
    EXPECT_NE(m_buffer.ReadFile(m_dir.Path().string()), 0);
    m_buffer.SetReadOnly(true);
    EXPECT_NE(m_buffer.ReadFile(m_dir.File("missing.log")), 0);
    EXPECT_EQ(AllText(m_buffer), "kept");
}

TEST_F(EditBufferTest, EnterUsesTheFilesOwnLineEnd)
{
    const std::string path = m_dir.File("unix.conf");
    WriteBytes(path, "a\nb\n");
    ASSERT_EQ(m_buffer.ReadFile(path), 0);
    EXPECT_EQ(m_buffer.LineEnding(), "\n");
    WriteBytes(path, "a\rb");
    ASSERT_EQ(m_buffer.ReadFile(path), 0);
    EXPECT_EQ(m_buffer.LineEnding(), "\r");
    ASSERT_TRUE(m_buffer.SetText("no line end"));
    EXPECT_EQ(m_buffer.LineEnding(), "\r\n");
}

TEST_F(EditBufferTest, AReadOnlyBufferShowsAFileOnDemand)
{
    const std::string path = m_dir.File("access.log");
    std::string text;
    ASSERT_NO_FATAL_FAILURE(ShowLog(path, "line", 5000, "\n", text));
    EXPECT_EQ(m_buffer.Text().LineCount(), 5001);
    EditSession view(m_buffer);
    view.BottomOfFile();
    view.BeginningOfLine();
    EXPECT_EQ(view.Caret(), static_cast<Pos>(text.size()));  // the empty last line
    view.LineUp(false);
    EXPECT_EQ(view.SelWord(), "line");
    EXPECT_FALSE(view.TypeChar('x'));
    EXPECT_FALSE(m_buffer.IsModified());
    // Save As of a shown log copies it in pieces.
    EXPECT_EQ(Written(m_buffer), text);
    // The log grows, and is emptied, while shown.
    test::AppendBytes(path, "more\n");
    EXPECT_TRUE(m_buffer.Refresh());
    ASSERT_TRUE(m_buffer.File()->WaitForIndex(nullptr));
    EXPECT_EQ(m_buffer.Text().LineCount(), 5002);
    WriteBytes(path, "");
    ASSERT_EQ(m_buffer.ReadFile(path), 0);
    EXPECT_EQ(AllText(m_buffer), "");
    // Made editable, the text is read into memory and can change.
    WriteBytes(path, "abc");
    ASSERT_EQ(m_buffer.ReadFile(path), 0);
    m_buffer.SetReadOnly(false);
    EXPECT_EQ(m_buffer.File(), nullptr);
    EXPECT_TRUE(view.TypeChar('x'));
    EXPECT_EQ(AllText(m_buffer), "xabc");
}

// Records what a buffer tells its watchers.
class ChangeLog : public BufferListener {
public:
    void OnBufferChange(const DocChange& change) override { changes.push_back(change); }
    std::vector<DocChange> changes;
};

TEST_F(EditBufferTest, AGrowingLogIsAnInsertionAtItsEndAndViewsStayPut)
{
    const std::string path = m_dir.File("error.log");
    std::string text;
    ASSERT_NO_FATAL_FAILURE(ShowLog(path, "entry", 200, "\r\n", text));
    EditSession middle(m_buffer);
    const Pos line100 = m_buffer.Text().LineStart(100);
    middle.SetSelection(line100, line100 + 5);
    EditSession atEnd(m_buffer);
    atEnd.BottomOfFile();
    ChangeLog log;
    m_buffer.AddListener(&log);

    test::AppendBytes(path, "entry 200\r\nentry 201");
    EXPECT_TRUE(m_buffer.Refresh());
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0].kind, DocChange::Kind::Insert);
    EXPECT_EQ(log.changes[0].pos, static_cast<Pos>(text.size()));
    EXPECT_EQ(log.changes[0].length, 20);
    EXPECT_EQ(middle.Anchor(), line100);
    EXPECT_EQ(middle.Caret(), line100 + 5);
    EXPECT_EQ(middle.SelectedText(), "entry");
    EXPECT_EQ(atEnd.Caret(), static_cast<Pos>(text.size()));
    ASSERT_TRUE(m_buffer.File()->WaitForIndex(nullptr));
    EXPECT_EQ(m_buffer.Text().LineCount(), 202);
    EXPECT_EQ(m_buffer.Text().LineText(201), "entry 201");
    // Nothing new: nothing told.
    EXPECT_FALSE(m_buffer.Refresh());
    EXPECT_EQ(log.changes.size(), 1u);

    // Emptied and written anew (the viewer's Clear): a whole new text, carets back in range.
    WriteBytes(path, "fresh\n");
    EXPECT_TRUE(m_buffer.Refresh());
    ASSERT_EQ(log.changes.size(), 2u);
    EXPECT_EQ(log.changes[1].kind, DocChange::Kind::Reset);
    EXPECT_EQ(middle.Caret(), 0);
    EXPECT_EQ(atEnd.Caret(), 0);
    ASSERT_TRUE(m_buffer.File()->WaitForIndex(nullptr));
    EXPECT_EQ(AllText(m_buffer), "fresh\n");
    m_buffer.RemoveListener(&log);
}

// A log followed as a server writes, cuts, rotates and deletes it; the same rules for every
// system, whether the deleted file's name goes at once (here) or with the last handle.
TEST_F(EditBufferTest, AFollowedLogIsPickedUpThroughEveryRotation)
{
    using Result = EditBuffer::FollowResult;
    const std::string path = m_dir.File("error.log");
    std::string text;
    ShowLog(path, "line", 100, "\n", text);
    EXPECT_EQ(m_buffer.Follow(), Result::None);
    test::AppendBytes(path, "more\n");
    EXPECT_EQ(m_buffer.Follow(), Result::Appended);
    EXPECT_EQ(AllText(m_buffer), text + "more\n");
    WriteBytes(path, "cut\n");  // emptied in place, then written
    EXPECT_EQ(m_buffer.Follow(), Result::CutShort);
    std::filesystem::rename(path, path + ".1");
    WriteBytes(path, "rotated\n");
    EXPECT_EQ(m_buffer.Follow(), Result::Replaced);
    EXPECT_EQ(AllText(m_buffer), "rotated\n");
    std::filesystem::remove(path);
    EXPECT_EQ(m_buffer.Follow(), Result::Gone);
    EXPECT_TRUE(m_buffer.File()->IsReleased());
    EXPECT_EQ(m_buffer.Text().Length(), 8) << "the length stays; what no view showed reads as blanks";
    EXPECT_EQ(m_buffer.Follow(), Result::None);
    WriteBytes(path, "back\n");
    EXPECT_EQ(m_buffer.Follow(), Result::Back);
    ASSERT_TRUE(m_buffer.File()->WaitForIndex(nullptr));
    EXPECT_EQ(AllText(m_buffer), "back\n");
    // Every few looks the file is opened anew, and the same file is simply read on.
    for (int look = 0; look < 10; ++look)
        EXPECT_EQ(m_buffer.Follow(), Result::None);
    test::AppendBytes(path, "again\n");
    EXPECT_EQ(m_buffer.Follow(), Result::Appended);
    ASSERT_TRUE(m_buffer.File()->WaitForIndex(nullptr));
    EXPECT_EQ(m_buffer.Text().LineText(1), "again");
}

TEST_F(EditBufferTest, AProgramMaySetTheTextOfAReadOnlyBuffer)
{
    m_buffer.SetReadOnly(true);
    ASSERT_TRUE(m_buffer.SetText("\n#Example configuration\n"));
    EXPECT_EQ(AllText(m_buffer), "\n#Example configuration\n");
    EXPECT_FALSE(m_buffer.IsModified());
    EditSession view(m_buffer);
    EXPECT_FALSE(view.TypeChar('x'));
}

TEST_F(EditBufferTest, ColouringNeedsBothSwitches)
{
    EXPECT_TRUE(m_buffer.ColoringActive());
    m_buffer.SetSyntaxColoring(false);
    EXPECT_FALSE(m_buffer.ColoringActive());
    m_buffer.SetSyntaxColoring(true);
    m_settings.m_bColoring = 0;
    EXPECT_FALSE(m_buffer.ColoringActive());
}

TEST(EditorSettings, DefaultsAreTheFormatPagesDefaults)
{
    const EditorSettings s;
    EXPECT_EQ(s.m_clrKeyword, 0xFF0000u);
    EXPECT_EQ(s.m_clrComment, 0x008000u);
    EXPECT_EQ(s.m_clrConstant, 0x0000FFu);
    EXPECT_EQ(s.m_clrNumber, 0x000080u);
    EXPECT_EQ(s.m_clrText, 0x000000u);
    EXPECT_EQ(s.m_clrBackground, 0xFFFFFFu);
    EXPECT_EQ(s.m_clrQuote, 0x800000u);
    EXPECT_EQ(s.m_clrSingleQuote, 0x800000u);
    EXPECT_EQ(s.m_nTabWidth, 4);
    EXPECT_EQ(s.m_bAutoIndent, 1);
    EXPECT_EQ(s.m_bColoring, 1);
    EXPECT_EQ(s.m_bKeepTabs, 1);
    EXPECT_EQ(s.m_bShowTabs, 0);
    EXPECT_EQ(s.m_strFontName, "Courier");
    EXPECT_EQ(s.m_nFontSize, 10);
    EXPECT_EQ(s.m_nFontWeight, 400);
    EXPECT_EQ(s.m_nFontItalic, 0);
    EXPECT_EQ(s.m_nFontCharSet, 0);
    EXPECT_EQ(s.m_bCaseSensitive, 0);
    EditorSettings damaged;
    damaged.m_nTabWidth = 0;
    EXPECT_EQ(damaged.TabWidth(), 1);
    damaged.m_nTabWidth = 99;
    EXPECT_EQ(damaged.TabWidth(), 31);
}

}  // namespace
}  // namespace tessaly::editor
