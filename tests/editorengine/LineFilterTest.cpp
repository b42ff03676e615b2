// Filtering a log down to lines compared with a plain filter: with pieces as small as a byte
// so that every match, line end and CR LF meets a block's edge, with the index still being
// built, context windows that overlap, the first and the last line, and text appended later.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FilterTestUtil.h"
#include "LineFilter.h"

namespace tessaly::editor {
namespace {

using test::FilterInPieces;
using test::GeneratedLog;
using test::GrowingText;
using test::PlainFilter;

TEST(LineFilter, SplitsTextsAtBars)
{
    using Texts = std::vector<std::string>;
    EXPECT_EQ(SplitFilterTexts("error|warn"), (Texts{"error", "warn"}));
    EXPECT_EQ(SplitFilterTexts(R"(a\|b||c\)"), (Texts{"a|b", "c\\"}));
    EXPECT_EQ(SplitFilterTexts("|"), Texts{});
    EXPECT_TRUE(LineFilter(LineFilterOptions{"||", true, true, 0}).ShowsEveryLine());
}

TEST(LineFilter, AgreesWithPlainFilterAcrossSeams)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        std::string log = GeneratedLog(rng, 1 + static_cast<int>(rng() % 40));
        if (round % 10 == 0)
            log.insert(log.size() / 2, std::string(70 * 1024, 'x') + "err");
        static const char* const texts[] = {"err", "ERR|warn", "r", "a\\|b", "xerr|er|\xfe", "", "\r|x\ny"};
        LineFilterOptions o{texts[rng() % 7], rng() % 2 == 0, rng() % 3 == 0, static_cast<int>(rng() % 4)};
        if (round % 7 == 0)
            o.context = 9 + round % 2;  // the widest, and one more than that
        const std::vector<Pos> expected = PlainFilter(log, o);
        for (const Pos piece : {Pos(1), Pos(5), Pos(1) << 20}) {
            GrowingText text(log, round % 2 ? 1 : 1 << 30);
            LineFilter filter(o);
            ShownLines shown;
            bool prefixOk = true;
            EXPECT_EQ(FilterInPieces(filter, text, piece, shown, expected, prefixOk), expected)
                << "round " << round << ", text \"" << o.text << "\", piece " << piece;
            EXPECT_TRUE(prefixOk) << "round " << round;
        }
    }
}

// Follow mode: the last line is shown by what it holds so far, and taken back when it grows.
TEST(LineFilter, GoesOnOverAppendedText)
{
    for (int way = 0; way < 4; ++way) {
        const LineFilterOptions o{"err", false, way % 2 == 1, way / 2};
        std::string log = "one\nerr two\nthree\nfour\nfi";
        GrowingText text(log);
        LineFilter filter(o);
        ShownLines shown;
        bool prefixOk = true;
        EXPECT_EQ(FilterInPieces(filter, text, 1 << 20, shown, {}, prefixOk), PlainFilter(log, o));
        for (const char* more : {"ve", " err", "\r", "\nsix\nseven err\r\n", "eight\nnine\nten\n"}) {
            text.Append(more);
            log += more;
            const Pos piece = log.size() % 2 ? 3 : 1 << 20;
            EXPECT_EQ(FilterInPieces(filter, text, piece, shown, {}, prefixOk), PlainFilter(log, o))
                << "way " << way << ", after \"" << more << "\"";
        }
    }
}

TEST(ShownLines, FourBytesALineAndLinesBeyondFourG)
{
    ShownLines shown;
    for (Pos line = 0; line < 1000000; ++line)
        shown.AppendRange(line * 100, line * 100 + 1);
    EXPECT_LE(static_cast<double>(shown.MemoryBytes()) / static_cast<double>(shown.Count()), 4.1);
    const Pos four = Pos(1) << 32;
    shown.AppendRange(four - 2, four + 2);
    shown.AppendRange(3 * four, 3 * four + 1);
    EXPECT_EQ(shown.Line(1000003), four + 1);
    EXPECT_EQ(shown.Line(1000004), 3 * four);
    EXPECT_EQ(shown.RowAtOrAfter(four), 1000002);
    EXPECT_EQ(shown.RowAtOrAfter(four + 5), 1000004);
    shown.DropFrom(four);
    EXPECT_EQ(shown.End(), four);
    shown.AppendRange(2 * four, 2 * four + 1);
    EXPECT_EQ(shown.Line(shown.Count() - 1), 2 * four);
}

}  // namespace
}  // namespace tessaly::editor
