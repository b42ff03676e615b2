#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "EditorTestUtil.h"
#include "TextFileLoader.h"

namespace tessaly::editor {
namespace {

using test::NaiveLineStarts;
using test::SourceLineStarts;
using test::TempDir;

class TextFileLoaderTest : public ::testing::Test {
protected:
    // Loads text through a file into b.
    void Load(const std::string& text, TextBuffer& b)
    {
        const std::string path = m_dir.File("httpd.conf");
        test::WriteBytes(path, text);
        ASSERT_EQ(LoadTextFile(path, b), LoadResult::Ok);
    }

    // Loads text through a file and checks every byte and every line start.
    void ExpectLoadsAs(const std::string& text)
    {
        TextBuffer b;
        ASSERT_NO_FATAL_FAILURE(Load(text, b));
        ExpectHolds(b, text);
    }

    static void ExpectHolds(const TextBuffer& b, const std::string& text)
    {
        ASSERT_EQ(b.Length(), static_cast<Pos>(text.size()));
        ASSERT_TRUE(b.Text(0, b.Length()) == text);
        ASSERT_EQ(SourceLineStarts(b), NaiveLineStarts(text));
    }

    TempDir m_dir;
};

TEST_F(TextFileLoaderTest, SmallFilesKeepEveryByteAndLine)
{
    std::mt19937 rng(21);
    ExpectLoadsAs("");
    ExpectLoadsAs("\r");
    ExpectLoadsAs("ServerName here\r\n");
    for (int round = 0; round < 5; ++round)
        ExpectLoadsAs(test::RandomText(rng, 3000));
}

// A file is read and scanned in blocks of 256 KiB, and one of some megabytes has its
// memory faulted in by a second thread meanwhile: line ends across block boundaries count
// once, and every byte stays as read.
TEST_F(TextFileLoaderTest, LineEndsAcrossReadBlocksAreCountedOnce)
{
    constexpr std::size_t kBlock = 256 * 1024;
    constexpr std::size_t kSize = 20 * kBlock + 1000;
    std::mt19937 rng(22);
    std::string base;
    while (base.size() < kSize)
        base += test::RandomText(rng, 1000);
    base.resize(kSize);
    const char* const seams[] = {"\r\n", "\nx", "\rx", "\r\r\n", "x\n", "xyz", "\n\r\n"};
    for (const char* seam : seams) {
        SCOPED_TRACE(testing::PrintToString(std::string(seam)));
        std::string text = base;
        for (std::size_t at = kBlock; at < kSize; at += kBlock)
            text.replace(at - 1, std::strlen(seam), seam);
        ExpectLoadsAs(text);
    }
    // A CR as the very last byte ends its line.
    base.back() = '\r';
    ExpectLoadsAs(base);
    // A file that ends just at a block boundary.
    ExpectLoadsAs(base.substr(0, 18 * kBlock));
}

TEST_F(TextFileLoaderTest, TheLoadedTextEditsAcrossTheMiddle)
{
    std::string text;
    while (text.size() < 5 * 1024 * 1024)
        text += "\tOptions Indexes FollowSymLinks\r\n";
    TextBuffer b;
    ASSERT_NO_FATAL_FAILURE(Load(text, b));
    const Pos middle = static_cast<Pos>(text.size() / 2);
    ASSERT_TRUE(b.Insert(middle, "\r\nAllowOverride None\r"));
    text.insert(static_cast<std::size_t>(middle), "\r\nAllowOverride None\r");
    ASSERT_TRUE(b.Delete(10, 40));
    text.erase(10, 40);
    ExpectHolds(b, text);
}

// A read text keeps room after its end: the first keystrokes there find it instead of
// copying the whole text into a larger block, and change nothing else.
TEST_F(TextFileLoaderTest, TheFirstKeystrokesAtTheEndOfALoadedTextFindRoom)
{
    std::string text;
    while (text.size() < 2 * 1024 * 1024)
        text += "# a comment\r\n\tTimeout 300\r\n";
    TextBuffer b;
    ASSERT_NO_FATAL_FAILURE(Load(text, b));
    const std::size_t memory = b.MemoryBytes();
    for (int i = 0; i < 200; ++i) {
        const std::string typed = i % 40 == 39 ? "\r\n" : std::string(1, static_cast<char>('a' + i % 26));
        ASSERT_TRUE(b.Insert(b.Length(), typed));
        text += typed;
    }
    ASSERT_TRUE(b.Delete(b.Length() - 1, 1));
    text.pop_back();
    EXPECT_EQ(b.MemoryBytes(), memory) << "the text grew into a new block";
    ExpectHolds(b, text);
}

TEST_F(TextFileLoaderTest, AMissingFileOrAFolderCannotBeOpened)
{
    TextBuffer b;
    EXPECT_EQ(LoadTextFile(m_dir.File("no-such.conf"), b), LoadResult::CannotOpen);
    EXPECT_EQ(LoadTextFile(m_dir.Path().string(), b), LoadResult::CannotOpen);
    EXPECT_EQ(b.Length(), 0);
}

}  // namespace
}  // namespace tessaly::editor
