// The fast fill against the plain one on many generated lists: same items, labels, images,
// data, order and entries, with and without sizes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "LogTree.h"
#include "ReferenceLogTree.h"
#include "TestLogList.h"

namespace {

const std::vector<std::string> kGroups = {
    "",
    "",
    "",
    "Main",
    "main",
    "MAIN",
    "www.a.test",
    "WWW.A.Test",
    "b",
    "B",
    "Zeta",
    "_x",
    "error.log",
    "Error.Log",
    std::string("Ma\0in", 5),
    std::string("\0", 1),
    "a b",
    "[x]",
};
const std::vector<std::string> kDirs = {
    "C:/Apache24/logs/", "C:\\Apache24\\logs\\", "c:/apache24/LOGS/", "D:/www/a/", "", "logs/", "C:/Apache24/logs\\b/",
};
const std::vector<std::string> kNames = {
    "error.log",
    "Error.log",
    "ERROR.LOG",
    "access.log",
    "b",
    "B",
    "main",
    "Main",
    "a-b.log",
    "x_y.log",
    "",
    "ssl_request.log",
    "zeta",
    "_x",
    "[x]",
    "a b",
    "\xE9t\xC9.log",
    std::string("cut\0off", 7),
};
// No size ends in a half hundredth of a kilobyte (128 bytes past a multiple of 256): the
// plain fill prints with the C library, whose rounding of halves differs between builds.
const std::vector<std::uint64_t> kSizes = {0, 1, 100, 1023, 1024, 1025, 1536, 2048, 2050, 5000, 1048576, 3ull << 30};

template <typename T>
const T& Pick(std::mt19937& rng, const std::vector<T>& from)
{
    return from[rng() % from.size()];
}

struct GeneratedList {
    TestLogList list;
    FakeLogFileFacts facts;
};

void Generate(std::mt19937& rng, GeneratedList& out)
{
    const int count = static_cast<int>(rng() % 120);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        std::string path = Pick(rng, kDirs) + Pick(rng, kNames);
        if (!paths.empty() && rng() % 5 == 0)
            path = Pick(rng, paths);  // the same log listed again
        paths.push_back(path);
        out.list.Add(path, Pick(rng, kGroups));
    }
    for (const std::string& path : paths) {
        if (rng() % 4 != 0) {
            std::string known = path.substr(0, path.find('\0'));
            for (char& c : known) {
                if (c == '/')
                    c = '\\';
            }
            out.facts.Set(known, Pick(rng, kSizes));
        }
    }
}

}  // namespace

TEST(LogTreeEquivalence, GeneratedListsFillAsThePlainWay)
{
    std::mt19937 rng(20261208);
    for (int round = 0; round < 600; ++round) {
        GeneratedList generated;
        Generate(rng, generated);
        const LogList* list = generated.list.Get();
        for (bool showSizes : {false, true}) {
            const ReferenceLogTree expected = FillPlainly(list, generated.facts, showSizes);
            CLogTree tree;
            tree.Fill(CLogListView(list), generated.facts, showSizes);
            ASSERT_EQ(tree.Items(), expected.items) << "round " << round << " sizes " << showSizes;
            ASSERT_EQ(tree.Entries(), expected.entries) << "round " << round << " sizes " << showSizes;
            ASSERT_EQ(tree.Omitted(), 0);
        }
    }
}

TEST(LogTreeEquivalence, ManyGroupsOfManyFiles)
{
    std::mt19937 rng(7);
    GeneratedList generated;
    for (int i = 0; i < 3000; ++i) {
        const std::string group = "host" + std::to_string(rng() % 60) + (rng() % 3 == 0 ? ".TEST" : ".test");
        const std::string name = "log" + std::to_string(rng() % 90) + (rng() % 2 ? ".log" : ".LOG");
        const std::string path = "C:/logs/" + group + "/" + name;
        generated.list.Add(path, rng() % 10 == 0 ? std::string() : group);
        std::uint64_t size = rng() % 4000;
        if (size % 256 == 128)
            ++size;  // see kSizes
        generated.facts.Set("C:\\logs\\" + group + "\\" + name, size);
    }
    const LogList* list = generated.list.Get();
    for (bool showSizes : {false, true}) {
        const ReferenceLogTree expected = FillPlainly(list, generated.facts, showSizes);
        CLogTree tree;
        tree.Fill(CLogListView(list), generated.facts, showSizes);
        EXPECT_EQ(tree.Items(), expected.items);
        EXPECT_EQ(tree.Entries(), expected.entries);
    }
}

TEST(LogTreeEquivalence, NegativeCountsAndMissingEntries)
{
    FakeLogFileFacts facts;
    TestLogList generated;
    generated.Add("C:/logs/error.log");
    LogList* list = generated.Raw();
    list->count = -1;
    CLogTree tree;
    tree.Fill(CLogListView(list), facts, true);
    EXPECT_EQ(tree.Items(), FillPlainly(list, facts, true).items);
    EXPECT_TRUE(tree.Empty());
}
