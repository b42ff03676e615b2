// Finding text compared with a plain search: in generated logs, with matches across the
// seams of pieces, blocks and the two threads' shares, at both ends of the text, up and
// down, with case and whole words; and how a long search reads, reports and stops.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "EditorTestUtil.h"
#include "FileTextSource.h"
#include "SearchTestUtil.h"
#include "TextSearch.h"

namespace tessaly::editor {
namespace {

using test::PlainFind;
using test::StringSource;
using test::TempDir;
using test::TinySearchSizes;

// Access-log lines with CR LF or LF ends, sprinkled with the words looked for in every case
// and inside longer words.
std::string GeneratedLog(std::mt19937& rng, std::size_t bytes)
{
    static const char* const words[] = {"GET",     "/index.html", "needle",          "Needle", "NEEDLE",
                                        "needles", "xneedle",     "needle_1",        "nee",    "dle",
                                        "200",     "-",           "\"Mozilla/5.0\"", "e"};
    std::string s;
    while (s.size() < bytes) {
        s += "10.0." + std::to_string(rng() % 256) + ".1 - - [10/Oct/2024:13:55:36] \"";
        const int n = 1 + static_cast<int>(rng() % 6);
        for (int i = 0; i < n; ++i) {
            s += words[rng() % (sizeof words / sizeof *words)];
            s += ' ';
        }
        s += rng() % 2 ? "\r\n" : "\n";
    }
    s.resize(bytes);
    return s;
}

std::vector<FindOptions> EveryWay(const std::string& what)
{
    std::vector<FindOptions> all;
    for (int bits = 0; bits < 8; ++bits) {
        FindOptions o;
        o.what = what;
        o.matchCase = bits & 1;
        o.wholeWord = bits & 2;
        o.down = bits & 4;
        all.push_back(o);
    }
    return all;
}

std::string Describe(const FindOptions& o, Pos from, Pos limit)
{
    return "\"" + o.what + "\" from " + std::to_string(from) + " to " + std::to_string(limit) +
           (o.down ? " down" : " up") + (o.matchCase ? " case" : "") + (o.wholeWord ? " word" : "");
}

// Every way of searching, from and to many places, against the plain search.
void ExpectSameAsPlain(const TextSource& text, const std::string& bytes, const std::vector<std::string>& whats,
                       const std::vector<Pos>& places, const SearchSizes& sizes)
{
    for (const std::string& what : whats) {
        for (const FindOptions& o : EveryWay(what)) {
            for (const Pos from : places) {
                for (const Pos limit : {Pos(0), static_cast<Pos>(bytes.size()), from / 3, from + 150}) {
                    ASSERT_EQ(FindInText(text, from, limit, o, {}, sizes), PlainFind(bytes, from, limit, o))
                        << Describe(o, from, limit);
                }
            }
        }
    }
}

TEST(TextSearch, FindsWhatAPlainSearchFindsAcrossEverySeam)
{
    std::mt19937 rng(7);
    const std::vector<std::string> whats = {"needle", "NeEdLe", "e", "needle\r\n", "\r\n10", "1 - -", "dle n"};
    for (const std::size_t size : {0u, 1u, 5u, 63u, 64u, 65u, 700u, 2500u}) {
        std::string bytes = GeneratedLog(rng, size);
        std::vector<Pos> places = {0, static_cast<Pos>(size), static_cast<Pos>(size / 2)};
        for (int i = 0; i < 6; ++i)
            places.push_back(static_cast<Pos>(rng() % (size + 1)));
        for (const bool readers : {true, false}) {
            SCOPED_TRACE("size " + std::to_string(size) + (readers ? " with readers" : " through GetBytes"));
            ExpectSameAsPlain(StringSource(bytes, readers), bytes, whats, places, TinySearchSizes());
        }
    }
}

TEST(TextSearch, MatchesAtTheVeryEndsAndAcrossEachSeam)
{
    // A text of blanks with the needle laid over each seam in turn: the ends, each block
    // (64), each share (200 from where the shares begin) and the CR LF of a line end.
    const SearchSizes sizes = TinySearchSizes();
    for (const std::string& what : {std::string("Needle"), std::string("ab\r\ncd")}) {
        for (Pos at = 0; at + static_cast<Pos>(what.size()) <= 1500; at += 7) {
            std::string bytes(1500, ' ');
            bytes.replace(static_cast<std::size_t>(at), what.size(), what);
            const StringSource text(bytes);
            for (const FindOptions& o : EveryWay(what)) {
                const Pos from = o.down ? 0 : 1500;
                const Pos limit = o.down ? 1500 : 0;
                ASSERT_EQ(FindInText(text, from, limit, o, {}, sizes), at) << Describe(o, from, limit);
            }
        }
    }
}

TEST(TextSearch, TheNearerMatchWinsWhenTheOtherThreadFindsAFartherOneFirst)
{
    // Reads of the nearest shares are slowed down, so the second thread finds its match
    // long before the first thread reaches the nearer one.
    std::string bytes(4000, '.');
    bytes.replace(600, 6, "needle");
    bytes.replace(2000, 6, "needle");
    bytes.replace(3400, 6, "needle");
    StringSource text(bytes);
    text.onRead = [](Pos pos, Pos) {
        if (pos >= 500 && pos < 700)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (pos >= 3300 && pos < 3500)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };
    FindOptions o;
    o.what = "needle";
    EXPECT_EQ(FindInText(text, 0, 4000, o, {}, TinySearchSizes()), 600);
    o.down = false;
    EXPECT_EQ(FindInText(text, 4000, 0, o, {}, TinySearchSizes()), 3400);
    EXPECT_EQ(text.readersAlive, 0);

    // The other way round: the block of the farther of two neighbouring shares that holds a
    // match is slow, so that match turns up after the nearer one's and must not replace it.
    // (Every read takes a little time, so that both threads take shares.)
    std::string two(2000, '.');
    two.replace(600, 6, "needle");
    two.replace(730, 6, "needle");
    StringSource slowFar(two);
    slowFar.onRead = [](Pos pos, Pos n) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pos <= 730 && pos + n > 730 ? 50 : 2));
    };
    o.down = true;
    EXPECT_EQ(FindInText(slowFar, 0, 2000, o, {}, TinySearchSizes()), 600);
}

TEST(TextSearch, FindNextFromTheMiddleReadsNothingBehindIt)
{
    // Long enough for the default sizes to search most of it with both threads.
    const Pos size = 48 << 20;
    std::string bytes(static_cast<std::size_t>(size), 'x');
    for (Pos i = 99; i < size; i += 100)
        bytes[static_cast<std::size_t>(i)] = '\n';
    for (const Pos at : {Pos(5 << 20), Pos(40 << 20)})
        bytes.replace(static_cast<std::size_t>(at), 4, "hit!");
    StringSource text(bytes);
    FindOptions o;
    o.what = "hit!";
    const Pos middle = 24 << 20;
    EXPECT_EQ(FindInText(text, middle, size, o), 40 << 20);
    EXPECT_GE(text.lowestRead, middle - 1);
    EXPECT_GE(text.readersGiven, 2) << "the far part is shared by two threads";
    text.ForgetReads();
    o.down = false;
    EXPECT_EQ(FindInText(text, middle, 0, o), 5 << 20);
    EXPECT_LE(text.highestRead, middle + 1);
    text.ForgetReads();
    EXPECT_EQ(FindInText(text, 40 << 20, size, o), -1) << "up from the match's start does not reach it";
}

TEST(TextSearch, ProgressIsToldOnTheCallingThreadOnlyAndStopsBothThreadsAtOnce)
{
    // Matches only at the far ends, each read a little slow.
    std::string bytes(20000, '.');
    bytes.replace(4, 6, "needle");
    bytes.replace(19990, 6, "needle");
    StringSource text(bytes);
    std::atomic<bool> stopped{false};
    std::atomic<int> readsAfterStop{0};
    text.onRead = [&](Pos, Pos) {
        if (stopped)
            ++readsAfterStop;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    FindOptions o;
    o.what = "needle";
    for (const bool down : {true, false}) {
        o.down = down;
        stopped = false;
        readsAfterStop = 0;
        const std::thread::id caller = std::this_thread::get_id();
        std::vector<Pos> told;
        bool elsewhere = false;
        const Pos from = down ? 10 : 19990;
        const Pos limit = down ? 20000 : 0;
        const Pos total = down ? limit - from : from;
        const Pos found = FindInText(
            text, from, limit, o,
            [&](Pos done, Pos all) {
                elsewhere = elsewhere || std::this_thread::get_id() != caller || all != total;
                told.push_back(done);
                if (done < 8000)
                    return true;
                stopped = true;
                return false;
            },
            TinySearchSizes());
        EXPECT_EQ(found, kSearchStopped);
        EXPECT_FALSE(elsewhere);
        ASSERT_FALSE(told.empty());
        EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
        EXPECT_LT(told.back(), total);
        // Each thread finishes at most the block it was reading.
        EXPECT_LE(readsAfterStop, 2);
        EXPECT_EQ(text.readersAlive, 0);
        // Not stopped, the same search finds the match at the far end.
        EXPECT_EQ(FindInText(text, from, limit, o, {}, TinySearchSizes()), down ? 19990 : 4);
    }
}

TEST(TextSearch, ProgressRisesToTheWholeWhenNothingIsFound)
{
    std::string bytes(5000, 'a');
    const StringSource text(bytes);
    FindOptions o;
    o.what = "b";
    Pos last = 0;
    EXPECT_EQ(FindInText(
                  text, 0, 5000, o,
                  [&](Pos done, Pos) {
                      last = done;
                      return true;
                  },
                  TinySearchSizes()),
              -1);
    EXPECT_EQ(last, 5000);
}

class TextSearchInFile : public ::testing::Test {
protected:
    TempDir m_dir;
};

TEST_F(TextSearchInFile, ALogOnDiskFindsWhatAPlainSearchFinds)
{
    std::mt19937 rng(11);
    std::string bytes = GeneratedLog(rng, 6000);
    bytes += "last line Needle";  // a match at the very end, no line end after it
    const std::string path = m_dir.File("access.log");
    test::WriteBytes(path, bytes);
    FileTextSource text;
    ASSERT_TRUE(text.Open(path));
    std::vector<Pos> places = {0, static_cast<Pos>(bytes.size()), 3000};
    for (int i = 0; i < 4; ++i)
        places.push_back(static_cast<Pos>(rng() % bytes.size()));
    ExpectSameAsPlain(text, bytes, {"needle", "Needle", "\r\n10.0", "e"}, places, TinySearchSizes());
    FindOptions o;
    o.what = "needle";
    o.down = false;
    EXPECT_EQ(FindInText(text, static_cast<Pos>(bytes.size()), 0, o, {}, TinySearchSizes()),
              static_cast<Pos>(bytes.size()) - 6);
}

TEST_F(TextSearchInFile, AFileReplacedAtItsPathIsSearchedAsItWasOpened)
{
    const std::string path = m_dir.File("access.log");
    std::string bytes(3000, '-');
    bytes.replace(2500, 3, "old");
    test::WriteBytes(path, bytes);
    FileTextSource text;
    ASSERT_TRUE(text.Open(path));
    ASSERT_TRUE(text.WaitForIndex(nullptr));
    ASSERT_NE(text.NewReader(), nullptr);
    // Rotated: the open file is renamed, and a new one takes its name.
    std::filesystem::rename(path, m_dir.File("access.log.1"));
    test::WriteBytes(path, std::string(3000, 'n') + "new");
    EXPECT_EQ(text.NewReader(), nullptr);
    FindOptions o;
    o.what = "old";
    EXPECT_EQ(FindInText(text, 0, 3000, o, {}, TinySearchSizes()), 2500);
}

}  // namespace
}  // namespace tessaly::editor
