#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "EditorTestUtil.h"
#include "FileTextSource.h"
#include "LineIndex.h"
#include "TextSearch.h"

namespace tessaly::editor {
namespace {

using test::NaiveLineStarts;
using test::TempDir;

std::vector<Pos> IndexedStarts(const FileTextSource& f)
{
    std::vector<Pos> starts;
    for (Pos i = 0; i < f.LineCount(); ++i)
        starts.push_back(f.LineStart(i));
    return starts;
}

TEST(LineIndex, KeepsStartsOfShortAndLongLines)
{
    LineIndex index;
    std::vector<Pos> starts{0};
    std::mt19937 rng(3);
    Pos at = 0;
    for (int i = 0; i < 1000; ++i) {
        at += rng() % 20 == 0 ? 70000 + rng() % 100000 : rng() % 300 + 1;
        index.Append(at);
        starts.push_back(at);
    }
    ASSERT_EQ(index.Count(), static_cast<Pos>(starts.size()));
    for (std::size_t i = 0; i < starts.size(); ++i)
        ASSERT_EQ(index.Start(static_cast<Pos>(i)), starts[i]);
    for (int probe = 0; probe < 2000; ++probe) {
        const Pos pos = static_cast<Pos>(rng() % static_cast<unsigned>(at + 10));
        const Pos expected = std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin() - 1;
        ASSERT_EQ(index.Find(pos), expected);
    }
    index.RemoveLast();
    EXPECT_EQ(index.Last(), starts[starts.size() - 2]);
}

TEST(LineIndex, ATailBuiltOnItsOwnAppendsAsIfAppendedLineByLine)
{
    std::mt19937 rng(5);
    // Heads of several lengths, so that the tail's lines land at every offset in a block.
    for (const int headLines : {0, 1, 2, 62, 63, 64, 100, 126, 127}) {
        LineIndex whole;
        LineIndex head;
        Pos at = 0;
        for (int i = 0; i < headLines; ++i) {
            at += rng() % 200 + 1;
            whole.Append(at);
            head.Append(at);
        }
        // The tail starts where its half of the file does, which need not be a line start.
        const Pos origin = at + static_cast<Pos>(rng() % 50);
        LineIndex tail;
        tail.Reset(origin);
        at = origin;
        for (int i = 0; i < 300; ++i) {
            // The first line of every other tail is a long one.
            const bool longLine = (i == 0 && headLines % 2 == 0) || rng() % 10 == 0;
            at += longLine ? 70000 + rng() % 100000 : rng() % 300 + 1;
            whole.Append(at);
            tail.Append(at);
        }
        ASSERT_EQ(tail.Start(0), origin);
        ASSERT_EQ(tail.Find(origin), 0);
        head.AppendTail(tail);
        ASSERT_EQ(head.Count(), whole.Count());
        ASSERT_EQ(head.Last(), whole.Last());
        for (Pos i = 0; i < whole.Count(); ++i)
            ASSERT_EQ(head.Start(i), whole.Start(i)) << headLines << " " << i;
        // More lines after the tail's go on as usual, and so does removing them.
        head.Append(at + 5);
        whole.Append(at + 5);
        head.RemoveLast();
        head.RemoveLast();
        whole.RemoveLast();
        whole.RemoveLast();
        ASSERT_EQ(head.Last(), whole.Last());
        for (Pos i = whole.Count() - 70; i < whole.Count(); ++i)
            ASSERT_EQ(head.Start(i), whole.Start(i));
        for (int probe = 0; probe < 500; ++probe) {
            const Pos pos = static_cast<Pos>(rng() % static_cast<unsigned>(at + 10));
            ASSERT_EQ(head.Find(pos), whole.Find(pos));
        }
    }
}

TEST(LineIndex, BatchesAndTailsAcrossTheStorageChunksKeepEveryStart)
{
    // Lengths are stored in chunks of some thousands of lines: batches of any size, tails
    // joined at any line, and removals reaching back over a chunk's edge keep every start.
    std::mt19937 rng(9);
    std::vector<Pos> starts{0};
    for (int i = 0; i < 40000; ++i)
        starts.push_back(starts.back() + (rng() % 500 == 0 ? 70000 : rng() % 300 + 1));
    for (const std::size_t headLines : {std::size_t(8190), std::size_t(8191), std::size_t(8192), std::size_t(16385)}) {
        LineIndex head;
        for (std::size_t i = 1; i <= headLines;) {
            const std::size_t n = std::min<std::size_t>(rng() % 5000 + 1, headLines + 1 - i);
            head.Append(starts.data() + i, n);
            i += n;
        }
        const Pos origin = starts[headLines] + 1;  // the tail begins within a line
        LineIndex tail;
        tail.Reset(origin);
        tail.Append(starts.data() + headLines + 1, starts.size() - headLines - 1);
        head.AppendTail(tail);
        ASSERT_EQ(head.Count(), static_cast<Pos>(starts.size()));
        for (std::size_t i = 0; i < starts.size(); ++i)
            ASSERT_EQ(head.Start(static_cast<Pos>(i)), starts[i]) << i;
        for (int probe = 0; probe < 1000; ++probe) {
            const Pos pos = static_cast<Pos>(rng() % static_cast<unsigned>(starts.back() + 10));
            ASSERT_EQ(head.Find(pos), std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin() - 1);
        }
    }
    LineIndex index;
    index.Append(starts.data() + 1, 8193);
    for (Pos count = 8194; count > 8185; --count) {
        ASSERT_EQ(index.Last(), starts[static_cast<std::size_t>(count - 1)]);
        index.RemoveLast();
    }
    index.Append(starts.data() + 8185, 20);
    for (std::size_t i = 0; i < 8205; ++i)
        ASSERT_EQ(index.Start(static_cast<Pos>(i)), starts[i]);
}

TEST(LineIndex, TakesAboutTwoBytesALine)
{
    LineIndex index;
    for (Pos i = 1; i <= 1000000; ++i)
        index.Append(i * 150);
    EXPECT_LT(index.MemoryBytes(), static_cast<std::size_t>(1000000 * 2.2));
}

TEST(FileTextSource, IndexesEveryKindOfLineEnd)
{
    TempDir dir;
    std::mt19937 rng(11);
    for (int round = 0; round < 5; ++round) {
        std::string text = test::RandomText(rng, 5000);
        // A CR just before a 64 KiB block boundary, and its LF just after it.
        if (text.size() > 70000)
            text[65535] = '\r', text[65536] = '\n';
        const std::string path = dir.File("log" + std::to_string(round) + ".txt");
        test::WriteBytes(path, text);
        FileTextSource f;
        ASSERT_TRUE(f.Open(path));
        ASSERT_TRUE(f.WaitForIndex(nullptr));
        ASSERT_EQ(f.Length(), static_cast<Pos>(text.size()));
        ASSERT_EQ(IndexedStarts(f), NaiveLineStarts(text));
        EXPECT_EQ(f.Text(0, f.Length()), text);
        // Reading around: line bounds without the index agree with the index.
        for (int probe = 0; probe < 200; ++probe) {
            const Pos pos = static_cast<Pos>(rng() % (text.size() + 1));
            ASSERT_EQ(StartOfLineAt(f, pos), f.LineStart(f.LineFromPosition(pos))) << pos;
        }
    }
}

// One log written to a folder of its own and opened; appended to or rewritten as the server
// would while it is shown.
class FileTextSourceLog : public ::testing::Test {
protected:
    bool OpenIndexed(const char* name, const std::string& text)
    {
        m_path = m_dir.File(name);
        test::WriteBytes(m_path, text);
        return m_file.Open(m_path) && m_file.WaitForIndex(nullptr);
    }
    bool AppendIndexed(const std::string& text)
    {
        test::AppendBytes(m_path, text);
        return m_file.Update() == FileTextSource::Growth::Appended && m_file.WaitForIndex(nullptr);
    }

    TempDir m_dir;
    std::string m_path;
    FileTextSource m_file;
};

TEST_F(FileTextSourceLog, LongLinesAndNoFinalLineEnd)
{
    std::string text(300000, 'x');
    text += "\r\nshort\n";
    text += std::string(100000, 'y');
    ASSERT_TRUE(OpenIndexed("long.log", text));
    ASSERT_EQ(m_file.LineCount(), 3);
    EXPECT_EQ(m_file.LineLength(0), 300000);
    EXPECT_EQ(m_file.LineText(1), "short");
    EXPECT_EQ(m_file.LineLength(2), 100000);
    EXPECT_EQ(m_file.LineFromPosition(static_cast<Pos>(text.size())), 2);
}

TEST_F(FileTextSourceLog, EmptyFileHasOneEmptyLine)
{
    ASSERT_TRUE(OpenIndexed("empty.log", ""));
    EXPECT_EQ(m_file.Length(), 0);
    EXPECT_EQ(m_file.LineCount(), 1);
    EXPECT_EQ(m_file.LineEnd(0), 0);
}

TEST_F(FileTextSourceLog, MissingFileOrFolderFailsToOpen)
{
    EXPECT_FALSE(m_file.Open(m_dir.File("nothing-here.log")));
    EXPECT_FALSE(m_file.Open(m_dir.Path().string()));
}

TEST_F(FileTextSourceLog, PicksUpAppendedLines)
{
    ASSERT_TRUE(OpenIndexed("access.log", "one\ntwo\n"));
    EXPECT_EQ(m_file.LineCount(), 3);
    // The server goes on writing while the file is shown: nothing is locked.
    ASSERT_TRUE(AppendIndexed("three\nfour"));
    EXPECT_EQ(m_file.LineCount(), 4);
    EXPECT_EQ(m_file.LineText(2), "three");
    EXPECT_EQ(m_file.LineText(3), "four");
    EXPECT_EQ(m_file.Update(), FileTextSource::Growth::None);
}

TEST_F(FileTextSourceLog, ACrAtTheOldEndJoinsAnAppendedLf)
{
    ASSERT_TRUE(OpenIndexed("access.log", "one\r"));
    EXPECT_EQ(m_file.LineCount(), 2);  // a lone CR ends a line
    // The rest of the CR LF arrives: still one line end, not two.
    ASSERT_TRUE(AppendIndexed("\ntwo\r"));
    EXPECT_EQ(m_file.LineCount(), 3);
    EXPECT_EQ(m_file.LineStart(1), 5);
    EXPECT_EQ(m_file.LineText(1), "two");
    // A CR followed by text stays a line end of its own.
    ASSERT_TRUE(AppendIndexed("three\n"));
    EXPECT_EQ(m_file.LineCount(), 4);
    EXPECT_EQ(m_file.LineStart(2), 9);
    EXPECT_EQ(m_file.LineText(2), "three");
    EXPECT_EQ(m_file.LineStart(3), 15);
}

TEST_F(FileTextSourceLog, ATruncatedFileReadsAsBlanksThenAnew)
{
    ASSERT_TRUE(OpenIndexed("error.log", "first line\nsecond line\n"));
    test::WriteBytes(m_path, "");  // emptied while shown
    EXPECT_EQ(m_file.LineText(1).find_first_not_of(' '), std::string::npos);
    EXPECT_EQ(m_file.Update(), FileTextSource::Growth::Replaced);
    ASSERT_TRUE(m_file.WaitForIndex(nullptr));
    EXPECT_EQ(m_file.Length(), 0);
    EXPECT_EQ(m_file.LineCount(), 1);
}

TEST(FileTextSource, FirstLinesAreThereBeforeTheIndexIsComplete)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "127.0.0.1 - - [10/Oct/2000:13:55:36 -0700] \"GET /index.html HTTP/1.0\" 200 2326\n";
    const std::string path = dir.File("big.log");
    test::WriteBytes(path, text);
    FileTextSource f;
    ASSERT_TRUE(f.Open(path));
    ASSERT_TRUE(f.WaitForLine(50, 5000));
    EXPECT_GE(f.LineCount(), 51);
    EXPECT_EQ(f.LineText(50).substr(0, 9), "127.0.0.1");
    // The end of the file needs no index: the last line's start is found by reading backwards.
    const Pos lastStart = StartOfLineAt(f, f.Length() - 1);
    EXPECT_EQ(lastStart, f.Length() - static_cast<Pos>(text.size() / 200000));
    double last = 0;
    ASSERT_TRUE(f.WaitForIndex([&](double p) {
        EXPECT_GE(p, last);
        last = p;
        return true;
    }));
    EXPECT_EQ(f.LineCount(), 200001);
    EXPECT_LT(f.MemoryBytes(), 200001u * 3u + 32u * 65536u + 4096u);
}

// A log long enough to be indexed by two threads at once, in shares of 8 MiB taken from
// the front and from the back, with the bytes around the share boundaries set.
class FileTextSourceShares : public ::testing::Test {
protected:
    static constexpr std::size_t kSize = 16 * 1024 * 1024 + 1000;
    static constexpr std::size_t kMiddle = 8 * 1024 * 1024;

    // Long lines with every kind of line end, and short ones around the middle.
    static const std::string& Base()
    {
        static const std::string base = [] {
            static const char* const ends[] = {"\n", "\r\n", "\r", "\n\r"};
            std::mt19937 rng(17);
            std::string text;
            while (text.size() < kSize) {
                text.append(rng() % 3000, 'a' + static_cast<char>(rng() % 26));
                text += ends[rng() % 4];
            }
            text.resize(kSize);
            const std::string dense = test::RandomText(rng, 400);
            text.replace(kMiddle - dense.size() / 2, dense.size(), dense);
            return text;
        }();
        return base;
    }

    void ExpectIndexedLike(const std::string& text, Pos frontLimit = Pos(1) << 62)
    {
        const std::string path = m_dir.File("halves.log");
        test::WriteBytes(path, text);
        FileTextSource f;
        f.SetFrontShareLimit(frontLimit);
        ASSERT_TRUE(f.Open(path));
        ASSERT_TRUE(f.WaitForIndex(nullptr));
        ASSERT_EQ(f.Length(), static_cast<Pos>(text.size()));
        ASSERT_EQ(IndexedStarts(f), NaiveLineStarts(text));
    }

    TempDir m_dir;
};

TEST_F(FileTextSourceShares, EveryLineEndWhereSharesMeetIsCountedOnce)
{
    struct Seam {
        const char* name;
        const char* bytes;  // written from each share boundary - 1 on
    };
    const Seam seams[] = {
        {"CR LF split by the boundary", "\r\n"},     {"LF just before the boundary", "\nx"},
        {"lone CR just before the boundary", "\rx"}, {"two CRs, the second with its LF", "\r\r\n"},
        {"LF as the share's first byte", "x\n"},     {"no line end near the boundary", "xyz"},
        {"LF CR LF across the boundary", "\n\r\n"},
    };
    for (const Seam& seam : seams) {
        SCOPED_TRACE(seam.name);
        std::string text = Base();
        text.replace(kMiddle - 1, std::strlen(seam.bytes), seam.bytes);
        text.replace(2 * kMiddle - 1, std::strlen(seam.bytes), seam.bytes);
        // The front stops at the first boundary, or wherever it meets the back.
        ExpectIndexedLike(text, kMiddle);
        ExpectIndexedLike(text);
    }
}

TEST_F(FileTextSourceShares, LongLinesAcrossShares)
{
    std::string text = Base();
    // A line of 200,000 bytes across the first boundary and another that ends the file.
    std::fill(text.begin() + kMiddle - 100000, text.begin() + kMiddle + 100000, 'x');
    std::fill(text.end() - 300000, text.end(), 'y');
    ExpectIndexedLike(text, kMiddle);
    ExpectIndexedLike(text, 0);
}

TEST_F(FileTextSourceShares, GrowingOrCutShortWhileIndexedEndsRight)
{
    const std::string path = m_dir.File("busy.log");
    std::string text = Base();
    test::WriteBytes(path, text);
    FileTextSource f;
    ASSERT_TRUE(f.Open(path));
    // The server appends while both halves are being indexed: indexing stops and carries on.
    test::AppendBytes(path, "appended\r\nline\n");
    text += "appended\r\nline\n";
    EXPECT_EQ(f.Update(), FileTextSource::Growth::Appended);
    ASSERT_TRUE(f.WaitForIndex(nullptr));
    ASSERT_EQ(IndexedStarts(f), NaiveLineStarts(text));

    // Appends while the first index is still being made are read on by the threads at
    // work, a CR LF split between two of them included.
    ASSERT_TRUE(f.Open(path));
    f.SetIndexPause(20);
    for (const char* more : {"one\r", "\ntwo\n", "\r", "\r\n"}) {
        test::AppendBytes(path, more);
        text += more;
        EXPECT_EQ(f.Update(), FileTextSource::Growth::Appended);
        EXPECT_FALSE(f.IsIndexComplete());
    }
    ASSERT_TRUE(f.WaitForIndex(nullptr));
    ASSERT_EQ(IndexedStarts(f), NaiveLineStarts(text));
    f.SetIndexPause(0);

    // Cut to a third while indexed anew: what was read is dropped and the short file read.
    test::WriteBytes(path, text + "x");
    EXPECT_EQ(f.Update(), FileTextSource::Growth::Appended);
    test::WriteBytes(path, text.substr(0, kSize / 3));
    EXPECT_EQ(f.Update(), FileTextSource::Growth::Replaced);
    ASSERT_TRUE(f.WaitForIndex(nullptr));
    EXPECT_EQ(f.Length(), static_cast<Pos>(kSize / 3));
    ASSERT_EQ(IndexedStarts(f), NaiveLineStarts(text.substr(0, kSize / 3)));
}

TEST_F(FileTextSourceShares, ProgressRisesToOne)
{
    const std::string path = m_dir.File("progress.log");
    test::WriteBytes(path, Base());
    FileTextSource f;
    ASSERT_TRUE(f.Open(path));
    double last = 0;
    ASSERT_TRUE(f.WaitForIndex([&](double p) {
        EXPECT_GE(p, last);
        EXPECT_LE(p, 1.0);
        last = p;
        return true;
    }));
    EXPECT_EQ(f.Progress(), 1.0);
}

}  // namespace
}  // namespace tessaly::editor
