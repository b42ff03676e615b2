#include <gtest/gtest.h>

#include <random>

#include "EditorTestUtil.h"
#include "LineEnds.h"
#include "LineIndex.h"
#include "TextBuffer.h"

namespace tessaly::editor {
namespace {

using test::NaiveLineStarts;
using test::SourceLineStarts;

std::string All(const TextBuffer& b)
{
    return b.Text(0, b.Length());
}

void ExpectConsistent(const TextBuffer& b, const std::string& model)
{
    ASSERT_EQ(All(b), model);
    ASSERT_EQ(SourceLineStarts(b), NaiveLineStarts(model));
}

// An empty text has one empty line; every kind of line end starts a line; a final line end
// makes an empty last line.
TEST(TextBuffer, LinesFollowTheLineEnds)
{
    TextBuffer b;
    EXPECT_EQ(b.Length(), 0);
    EXPECT_EQ(b.LineCount(), 1);
    EXPECT_EQ(b.LineStart(0), 0);
    EXPECT_EQ(b.LineEnd(0), 0);
    EXPECT_EQ(b.LineFromPosition(0), 0);

    ASSERT_TRUE(b.SetText("a\nb\r\nc\rd"));
    EXPECT_EQ(b.LineCount(), 4);
    EXPECT_EQ(b.LineText(0), "a");
    EXPECT_EQ(b.LineText(1), "b");
    EXPECT_EQ(b.LineText(2), "c");
    EXPECT_EQ(b.LineText(3), "d");
    EXPECT_EQ(b.LineFromPosition(3), 1);  // the CR of CR LF belongs to its line
    EXPECT_EQ(b.LineFromPosition(4), 1);
    EXPECT_EQ(b.LineFromPosition(5), 2);

    ASSERT_TRUE(b.SetText("x\r\n"));
    EXPECT_EQ(b.LineCount(), 2);
    EXPECT_EQ(b.LineStart(1), 3);
    EXPECT_EQ(b.LineLength(1), 0);
}

TEST(TextBuffer, SplittingAndJoiningCrLf)
{
    TextBuffer b;
    std::string model = "ab\r\ncd";
    ASSERT_TRUE(b.SetText(model));
    // Inserting between CR and LF makes two line ends of one.
    ASSERT_TRUE(b.Insert(3, "X"));
    model.insert(3, "X");
    ExpectConsistent(b, model);
    // Removing it joins them again.
    ASSERT_TRUE(b.Delete(3, 1));
    model.erase(3, 1);
    ExpectConsistent(b, model);
    // A lone CR at the end followed later by an LF becomes one CR LF.
    ASSERT_TRUE(b.SetText("a\r"));
    model = "a\r";
    ExpectConsistent(b, model);
    ASSERT_TRUE(b.Insert(2, "\nb"));
    model += "\nb";
    ExpectConsistent(b, model);
}

TEST(TextBuffer, NulBytesAreText)
{
    TextBuffer b;
    const std::string text("a\0b\n\0", 5);
    ASSERT_TRUE(b.SetText(text));
    ExpectConsistent(b, text);
    EXPECT_EQ(b.CharAt(1), '\0');
}

TEST(TextBuffer, OutOfRangeEditsChangeNothing)
{
    TextBuffer b;
    ASSERT_TRUE(b.SetText("abc"));
    EXPECT_FALSE(b.Insert(4, "x"));
    EXPECT_FALSE(b.Insert(-1, "x"));
    EXPECT_FALSE(b.Delete(2, 2));
    EXPECT_EQ(All(b), "abc");
}

TEST(TextBuffer, RandomEditsKeepLinesRight)
{
    std::mt19937 rng(12345);
    TextBuffer b;
    std::string model;
    static const char* const pieces[] = {"\r", "\n", "\r\n", "x", "yz", "\n\r", "abc\r\ndef", "\r\r\n\n", ""};
    for (int step = 0; step < 4000; ++step) {
        const Pos length = static_cast<Pos>(model.size());
        if (rng() % 3 != 0 || length == 0) {
            const Pos at = static_cast<Pos>(rng() % (length + 1));
            const std::string piece = pieces[rng() % 9];
            ASSERT_TRUE(b.Insert(at, piece));
            model.insert(static_cast<std::size_t>(at), piece);
        } else {
            const Pos at = static_cast<Pos>(rng() % length);
            const Pos n = static_cast<Pos>(rng() % std::min<Pos>(length - at, 6) + 1);
            ASSERT_TRUE(b.Delete(at, n));
            model.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(n));
        }
        if (step % 50 == 0)
            ExpectConsistent(b, model);
        for (int probe = 0; probe < 3 && !model.empty(); ++probe) {
            const Pos pos = static_cast<Pos>(rng() % (model.size() + 1));
            const auto starts = NaiveLineStarts(model);
            const Pos line = std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin() - 1;
            ASSERT_EQ(b.LineFromPosition(pos), line) << "at " << pos;
        }
    }
    ExpectConsistent(b, model);
}

TEST(TextBuffer, AppendedSpaceIsIndexedOnCommit)
{
    TextBuffer b;
    const std::string text = "one\ntwo\r\nthree\rfour";
    char* space = b.AppendSpace(static_cast<Pos>(text.size()) + 10);
    ASSERT_NE(space, nullptr);
    std::copy(text.begin(), text.end(), space);
    b.CommitAppended(0, static_cast<Pos>(text.size()), static_cast<Pos>(text.size()) + 10);
    ExpectConsistent(b, text);
}

TEST(TextBuffer, AppendingAfterACrSettlesItByTheFirstByteAppended)
{
    for (const std::string second : {"\nnext", "next", "\rnext\r", "", "\n"}) {
        TextBuffer b;
        ASSERT_TRUE(b.SetText("one\r\ntwo\r"));
        char* space = b.AppendSpace(static_cast<Pos>(second.size()) + 3);
        ASSERT_NE(space, nullptr);
        std::copy(second.begin(), second.end(), space);
        b.CommitAppended(9, static_cast<Pos>(second.size()), static_cast<Pos>(second.size()) + 3);
        ExpectConsistent(b, "one\r\ntwo\r" + second);
        // The text goes on being edited as usual.
        ASSERT_TRUE(b.Insert(9, "\n"));
        ExpectConsistent(b, "one\r\ntwo\r\n" + second);
    }
}

// The line starts the scanner finds in the text fed in random pieces of 1 to maxPiece bytes.
std::vector<Pos> ScanInPieces(const std::string& text, std::mt19937& rng, std::size_t maxPiece)
{
    std::vector<Pos> starts{0};
    LineStartScanner scanner;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t n = std::min<std::size_t>(text.size() - at, rng() % maxPiece + 1);
        scanner.Feed(text.data() + at, n, starts);
        at += n;
    }
    scanner.Finish(starts);
    return starts;
}

TEST(LineStartScanner, PiecesGiveTheSameStartsAsTheWhole)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        const std::string text = test::RandomText(rng, 200);
        ASSERT_EQ(ScanInPieces(text, rng, 40), test::NaiveLineStarts(text));
    }
}

TEST(LineStartScanner, LongPiecesDenseWithCrAndLfGiveTheSameStartsAsTheWhole)
{
    // Sixteen bytes are looked at together: line ends fall at every place in and across them.
    std::mt19937 rng(8);
    static const char bytes[] = {'\r', '\n', 'x'};
    for (int round = 0; round < 200; ++round) {
        std::string text(rng() % 600, 'x');
        for (char& c : text)
            c = bytes[rng() % (round % 2 == 0 ? 3 : 2)];
        ASSERT_EQ(ScanInPieces(text, rng, 200), test::NaiveLineStarts(text)) << round;
    }
}

TEST(LineStartScanner, ACrAtEveryPlaceOfABlockEndsItsLineUnlessAnLfFollows)
{
    // Bytes are looked at in blocks of sixty-four, halves of thirty-two and rows of sixteen:
    // a CR LF and a lone CR at every offset, the LF just across each boundary included.
    for (std::size_t at = 0; at + 1 < 200; ++at) {
        for (const char next : {'\n', 'x', '\r'}) {
            std::string text(200, 'x');
            text[at] = '\r';
            text[at + 1] = next;
            std::vector<Pos> starts{0};
            LineStartScanner scanner;
            scanner.Feed(text.data(), text.size(), starts);
            scanner.Finish(starts);
            ASSERT_EQ(starts, test::NaiveLineStarts(text)) << at << " " << int(next);
        }
    }
}

TEST(LineStartScanner, StartsHeldInBatchesFarIntoAFileIndexLikeTheWhole)
{
    // The indexing threads' way: pieces of any size, the starts held as offsets from the first
    // and handed to the index now and then, in a file past 4 GiB (offsets are 32-bit).
    std::mt19937 rng(10);
    static const char bytes[] = {'\r', '\n', 'x', 'x', 'x'};
    for (int round = 0; round < 100; ++round) {
        std::string text(rng() % 3000, 'x');
        for (char& c : text)
            c = bytes[rng() % (round % 2 == 0 ? 5 : 2)];
        const Pos origin = (Pos(5) << 30) + static_cast<Pos>(rng() % 1000);
        LineIndex index;
        index.Reset(origin);
        LineStartScanner scanner(origin);
        StartsBuffer starts;
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t n = std::min<std::size_t>(text.size() - at, rng() % 300 + 1);
            scanner.Feed(text.data() + at, n, starts);
            at += n;
            if (rng() % 3 == 0) {
                index.Append(starts.Base(), starts.Offsets(), starts.size());
                starts.clear();
            }
        }
        scanner.Finish(starts);
        index.Append(starts.Base(), starts.Offsets(), starts.size());
        const std::vector<Pos> expected = test::NaiveLineStarts(text);
        ASSERT_EQ(index.Count(), static_cast<Pos>(expected.size())) << round;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(index.Start(static_cast<Pos>(i)), origin + expected[i]) << round << " " << i;
        }
    }
}

}  // namespace
}  // namespace tessaly::editor
