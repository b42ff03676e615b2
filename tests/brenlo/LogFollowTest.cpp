#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "FileTextSource.h"
#include "LogClearing.h"
#include "LogProbe.h"
#include "TestPaths.h"
#include "UiDriver.h"

using tessaly::editor::FileTextSource;
using tessaly::editor::Pos;

namespace {

bool IndexAll(const FileTextSource& text)
{
    return text.WaitForIndex([](double) { return true; });
}

// Checks that every line but the last empty one is one of the probe's lines, numbered one
// after the other; gives the first number, or -1 for an empty text.
long CheckProbeLines(const FileTextSource& text)
{
    const Pos lines = text.LineCount();
    EXPECT_GE(lines, 1);
    if (lines < 1)
        return -1;
    EXPECT_EQ(text.LineText(lines - 1), "") << "the text ends inside a line";
    if (lines < 2)
        return -1;
    unsigned long first = 0;
    if (std::sscanf(text.LineText(0).c_str(), "probe %lu", &first) != 1) {
        ADD_FAILURE() << "the first line reads \"" << text.LineText(0) << "\"";
        return -1;
    }
    for (Pos line = 0; line + 1 < lines; ++line) {
        const std::string expected = CLogProbe::Line(first + static_cast<unsigned long>(line));
        const std::string got = text.LineText(line);
        if (got + "\n" != expected) {
            ADD_FAILURE() << "line " << line << " reads \"" << got << "\", expected " << expected;
            return -1;
        }
    }
    return static_cast<long>(first);
}

}  // namespace

TEST(LogFollow, TheViewersTextFollowsALogThatIsAppendedAndCleared)
{
    const std::string dir = testpaths::MakeWorkDir("BrenloFollow");
    const std::string log = testpaths::Join(dir, "access.log");
    std::string old;
    for (int i = 0; i < 20000; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "old line %d before clearing\n", i);
        old += line;
    }
    ASSERT_TRUE(testpaths::WriteTextFile(log, old));

    FileTextSource text;
    ASSERT_TRUE(text.Open(log));
    ASSERT_TRUE(IndexAll(text));
    ASSERT_EQ(text.Length(), static_cast<Pos>(old.size()));

    CLogProbe server;
    ASSERT_TRUE(server.StartAppending(log));
    ui::WaitUntil([&] { return testpaths::FileSize(log) > old.size(); }, 5000);
    ASSERT_EQ(text.Update(), FileTextSource::Growth::Appended);
    ASSERT_TRUE(IndexAll(text));
    const Pos grown = text.Length();
    EXPECT_GT(grown, static_cast<Pos>(old.size()));
    EXPECT_EQ(text.LineText(19999), "old line 19999 before clearing");
    EXPECT_EQ(text.LineText(20000) + "\n", CLogProbe::Line(0));

    ASSERT_TRUE(ClearLogFile(log).Cleared());
    ASSERT_EQ(text.Update(), FileTextSource::Growth::Replaced);
    ASSERT_TRUE(IndexAll(text));
    EXPECT_LT(text.Length(), static_cast<Pos>(old.size()));
    const long justAfterClear = CheckProbeLines(text);  // the server may not have written yet

    const Pos cleared = text.Length();
    ui::WaitUntil([&] { return testpaths::FileSize(log) > static_cast<std::uint64_t>(cleared); }, 5000);
    ASSERT_EQ(text.Update(), FileTextSource::Growth::Appended);
    ASSERT_TRUE(IndexAll(text));
    EXPECT_GT(text.Length(), cleared);
    const long firstAfterClear = CheckProbeLines(text);
    EXPECT_GT(firstAfterClear, 0);
    if (justAfterClear >= 0) {
        EXPECT_EQ(justAfterClear, firstAfterClear);
    }

    ASSERT_EQ(server.Stop(), 0);
    EXPECT_EQ(server.Failed(), 0u);
    text.Update();
    ASSERT_TRUE(IndexAll(text));
    EXPECT_EQ(CheckProbeLines(text), firstAfterClear);
    std::string onDisk;
    ASSERT_TRUE(testpaths::ReadTextFile(log, onDisk));
    EXPECT_EQ(text.Length(), static_cast<Pos>(onDisk.size()));
    EXPECT_EQ(text.LineCount() - 1, static_cast<Pos>(server.Lines()) - firstAfterClear);
}
