// The text a filtered view shows: the rows the filter found, each with its own line end,
// read through positions of their own, and grown with the log.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FilterJob.h"
#include "FilterTestUtil.h"

namespace tessaly::editor {
namespace {

using test::GrowingText;
using test::PlainFilter;

// The lines of s with their line ends, split without any index.
std::vector<std::string> SplitKeepingEnds(const std::string& s)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < s.size(); ++i) {
        lines.back() += s[i];
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            lines.back() += s[++i];
        if (s[i] == '\n' || s[i] == '\r')
            lines.emplace_back();
    }
    return lines;
}

std::string Expected(const std::string& log, const LineFilterOptions& o)
{
    const std::vector<std::string> lines = SplitKeepingEnds(log);
    std::string shown;
    for (const Pos line : PlainFilter(log, o))
        shown += lines[static_cast<std::size_t>(line)];
    return shown;
}

// Every row of the text shown: where it starts, which position lies in it, which log line it is.
void CheckRows(const FilteredText& shown, const std::string& log, const std::string& label)
{
    const std::vector<std::string> lines = SplitKeepingEnds(log);
    for (Pos row = 0; row < shown.Rows(); ++row) {
        const Pos start = shown.LineStart(row);
        const Pos line = shown.LogLineAt(start);
        ASSERT_EQ(shown.LineFromPosition(start), row) << label;
        ASSERT_EQ(shown.Text(start, static_cast<Pos>(lines[static_cast<std::size_t>(line)].size())),
                  lines[static_cast<std::size_t>(line)])
            << label << ", row " << row;
        ASSERT_EQ(shown.PositionOfLogLine(line), start) << label;
    }
    EXPECT_EQ(shown.LineStart(shown.LineCount()), shown.Length()) << label;
}

TEST(FilteredText, ShowsTheRowsFoundAndGrowsWithTheLog)
{
    std::mt19937 rng(11);
    static const char* const texts[] = {"err", "ERR|warn", "r", "a\\|b", "x"};
    for (int round = 0; round < 40; ++round) {
        // One round in eight on a thread of its own, over a log of several pieces, its rows
        // shown as they come, each time those before followed by new ones; the others at once.
        const bool threaded = round % 8 == 0;
        std::string log = test::GeneratedLog(rng, (threaded ? 15000 : 1) + static_cast<int>(rng() % 60));
        const LineFilterOptions o{texts[rng() % 5], rng() % 2 == 0, rng() % 3 == 0, static_cast<int>(rng() % 3)};
        GrowingText text(log);
        if (threaded)
            text.OfferReader();
        FilterJob job(text, o);
        job.Start();
        const std::string label = "round " + std::to_string(round) + ", \"" + o.text + "\"";
        for (bool ended = !threaded; !ended;) {
            ended = job.WaitFor(0);
            const Pos before = job.Shown().Length();
            const DocChange change = job.Shown().Publish();
            ASSERT_TRUE(change.kind == DocChange::Kind::Insert && change.pos == before) << label;
            ASSERT_EQ(Expected(log, o).compare(0, static_cast<std::size_t>(job.Shown().Length()),
                                               job.Shown().Text(0, job.Shown().Length())),
                      0)
                << label;
        }
        job.Shown().Publish();
        ASSERT_EQ(job.Shown().Text(0, job.Shown().Length()), Expected(log, o)) << label;
        CheckRows(job.Shown(), log, label);

        // Appended text: the rows before stay, so the views see an insertion at the old end
        // unless the last row was taken back.
        const std::string more = round % 2 ? " err\nwarn two\n" : "\r\nthree x\r\nfour";
        const Pos oldLength = job.Shown().Length();
        text.Append(more);
        log += more;
        job.Continue();
        const DocChange change = job.Shown().Publish();
        if (change.kind == DocChange::Kind::Insert) {
            EXPECT_EQ(change.pos, oldLength) << label;
            EXPECT_EQ(change.pos + change.length, job.Shown().Length()) << label;
        }
        ASSERT_EQ(job.Shown().Text(0, job.Shown().Length()), Expected(log, o)) << label << " grown";
        CheckRows(job.Shown(), log, label + " grown");
    }
}

}  // namespace
}  // namespace tessaly::editor
