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
    // Loads text through a file and checks every byte and every line start.
    void ExpectLoadsAs(const std::string& text, Pos frontLimit = kMaxFront) {
        const std::string path = dir_.File("httpd.conf");
        test::WriteBytes(path, text);
        TextBuffer b;
        ASSERT_EQ(LoadTextFile(path, b, frontLimit), LoadResult::Ok);
        ASSERT_EQ(b.Length(), static_cast<Pos>(text.size()));
        ASSERT_TRUE(b.Text(0, b.Length()) == text);
        ASSERT_EQ(SourceLineStarts(b), NaiveLineStarts(text));
    }

    TempDir dir_;
};

TEST_F(TextFileLoaderTest, SmallFilesKeepEveryByteAndLine) {
    std::mt19937 rng(21);
    ExpectLoadsAs("");
    ExpectLoadsAs("\r");
    ExpectLoadsAs("ServerName here\r\n");
    for (int round = 0; round < 5; ++round) ExpectLoadsAs(test::RandomText(rng, 3000));
}

// Files of some megabytes are read in shares of 2 MiB, from the front and from the back,
// each share scanned on its own: line ends where they meet must be counted once.
TEST_F(TextFileLoaderTest, LineEndsWhereSharesMeetAreCountedOnce) {
    constexpr std::size_t kShare = 2 * 1024 * 1024;
    constexpr std::size_t kSize = 3 * kShare + 1000;
    std::mt19937 rng(22);
    std::string base;
    while (base.size() < kSize) base += test::RandomText(rng, 1000);
    base.resize(kSize);
    const char* const seams[] = {"\r\n", "\nx", "\rx", "\r\r\n", "x\n", "xyz", "\n\r\n"};
    for (const char* seam : seams) {
        SCOPED_TRACE(testing::PrintToString(std::string(seam)));
        std::string text = base;
        // The same bytes at every share boundary: between the front and the pieces, and
        // between pieces, whichever thread reads them.
        for (std::size_t at = kShare; at < kSize; at += kShare) text.replace(at - 1, std::strlen(seam), seam);
        for (const Pos frontLimit : {Pos(0), Pos(kShare), Pos(2 * kShare), kMaxFront}) {
            SCOPED_TRACE(frontLimit);
            ExpectLoadsAs(text, frontLimit);
        }
    }
    // A CR as the very last byte ends its line.
    base.back() = '\r';
    ExpectLoadsAs(base, kShare);
    // A file that ends just at a share boundary.
    ExpectLoadsAs(base.substr(0, 2 * kShare), kShare);
}

TEST_F(TextFileLoaderTest, TheLoadedTextEditsAcrossTheMiddle) {
    std::string text;
    while (text.size() < 5 * 1024 * 1024) text += "\tOptions Indexes FollowSymLinks\r\n";
    const std::string path = dir_.File("big.conf");
    test::WriteBytes(path, text);
    TextBuffer b;
    ASSERT_EQ(LoadTextFile(path, b), LoadResult::Ok);
    const Pos middle = static_cast<Pos>(text.size() / 2);
    ASSERT_TRUE(b.Insert(middle, "\r\nAllowOverride None\r"));
    text.insert(static_cast<std::size_t>(middle), "\r\nAllowOverride None\r");
    ASSERT_TRUE(b.Delete(10, 40));
    text.erase(10, 40);
    ASSERT_TRUE(b.Text(0, b.Length()) == text);
    ASSERT_EQ(SourceLineStarts(b), NaiveLineStarts(text));
}

TEST_F(TextFileLoaderTest, AMissingFileOrAFolderCannotBeOpened) {
    TextBuffer b;
    EXPECT_EQ(LoadTextFile(dir_.File("no-such.conf"), b), LoadResult::CannotOpen);
    EXPECT_EQ(LoadTextFile(dir_.Path().string(), b), LoadResult::CannotOpen);
    EXPECT_EQ(b.Length(), 0);
}

}  // namespace
}  // namespace tessaly::editor
