// The file system's answers about logs: a folder listed once for many logs answers exactly as
// asking for each log would, and folders or names a listing cannot judge are asked for.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestPaths.h"
#include "WinLogFileFacts.h"

namespace {

class LogFileFactsTest : public ::testing::Test {
protected:
    void SetUp() override { m_dir = testpaths::MakeWorkDir("LogFileFacts"); }

    std::string Folder(const std::string& name)
    {
        const std::string folder = testpaths::Join(m_dir, name);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        return folder;
    }

    static std::string Log(const std::string& folder, const std::string& name, std::size_t size)
    {
        const std::string path = testpaths::Join(folder, name);
        EXPECT_TRUE(testpaths::WriteTextFile(path, std::string(size, 'x'))) << path;
        return path;
    }

    // Asked for one by one, with no listing before.
    static LogFileFacts Asked(const std::string& path) { return CWinLogFileFacts().Query(path); }

    // The prepared answer for a path of the list.
    static LogFileFacts Answer(CWinLogFileFacts& prepared, const std::vector<std::string>& paths,
                               const std::string& path)
    {
        const auto found = std::find(paths.begin(), paths.end(), path);
        EXPECT_NE(found, paths.end()) << path;
        return prepared.QueryAt(static_cast<std::size_t>(found - paths.begin()), path);
    }

    static void ExpectSameAnswers(CWinLogFileFacts& prepared, const std::vector<std::string>& paths)
    {
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const LogFileFacts asked = Asked(paths[i]);
            const LogFileFacts answer = prepared.QueryAt(i, paths[i]);
            EXPECT_EQ(answer.exists, asked.exists) << paths[i];
            EXPECT_EQ(answer.size, asked.size) << paths[i];
        }
    }

    std::string m_dir;
};

TEST_F(LogFileFactsTest, AListedFolderAnswersAsAskingForEachLog)
{
    const std::string logs = Folder("logs");
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i)
        paths.push_back(Log(logs, "host" + std::to_string(i) + ".log", static_cast<std::size_t>(i) * 700));
    Log(logs, "Access.log", 10);
    paths.push_back(logs + "\\ACCESS.LOG");   // another case than on disk
    paths.push_back(logs + "\\access.log.");  // the system drops the trailing dot
    paths.push_back(logs + "\\gone.log");     // not there
    paths.push_back(logs + "\\nul");          // devices, in any folder
    paths.push_back(logs + "\\Con.log");
    paths.push_back(paths[3]);  // listed twice
    ::CreateDirectoryA((logs + "\\old").c_str(), nullptr);
    paths.push_back(logs + "\\old");  // a folder, not a file
    const std::string longName = Log(logs, "a rather long log name.logfile", 5);
    char shortName[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA(longName.c_str(), shortName, MAX_PATH), 0u);
    const std::string shortPath(shortName);
    ASSERT_NE(shortPath.rfind('~'), std::string::npos);
    paths.push_back(logs + shortPath.substr(shortPath.rfind('\\')));  // the short name of a listed file
    const std::string missingFolder = testpaths::Join(m_dir, "no-such-folder");
    for (int i = 0; i < 9; ++i)
        paths.push_back(missingFolder + "\\host" + std::to_string(i) + ".log");

    CWinLogFileFacts facts;
    facts.Prepare(paths, false);
    ExpectSameAnswers(facts, paths);
    EXPECT_TRUE(Answer(facts, paths, logs + "\\ACCESS.LOG").exists);
    EXPECT_EQ(Answer(facts, paths, paths[9]).size, 6300u);
    EXPECT_FALSE(Answer(facts, paths, logs + "\\gone.log").exists);

    // The answers were gathered at once: changes after that are not seen until the next fill.
    // A name in another case than the folder's is asked for when the tree asks: a folder
    // with case-sensitive names would not find it.
    ASSERT_TRUE(::DeleteFileA(paths[9].c_str()));
    ASSERT_TRUE(::DeleteFileA((logs + "\\Access.log").c_str()));
    Log(logs, "gone.log", 1);
    EXPECT_TRUE(Answer(facts, paths, paths[9]).exists);
    EXPECT_FALSE(Answer(facts, paths, logs + "\\gone.log").exists);
    EXPECT_FALSE(Answer(facts, paths, logs + "\\ACCESS.LOG").exists);
    facts.Prepare(paths, false);
    EXPECT_FALSE(Answer(facts, paths, paths[9]).exists);
    EXPECT_TRUE(Answer(facts, paths, logs + "\\gone.log").exists);
}

TEST_F(LogFileFactsTest, WithSizesShownEveryLogIsAskedForWhenTheTreeAsks)
{
    const std::string logs = Folder("logs");
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i)
        paths.push_back(Log(logs, "host" + std::to_string(i) + ".log", 100));
    CWinLogFileFacts facts;
    facts.Prepare(paths, true);
    Log(logs, "host0.log", 4096);  // the server writes on
    EXPECT_EQ(Answer(facts, paths, paths[0]).size, 4096u);
    ExpectSameAnswers(facts, paths);
}

TEST_F(LogFileFactsTest, FoldersAListingCannotJudgeAreAskedLogByLog)
{
    // A name beyond plain ASCII may match a plain one by the system's own rules.
    const std::string accented = Folder("accented");
    Log(accented, "caf\xE9.log", 3);
    // A folder with few of the logs is cheaper to ask about log by log.
    const std::string small = Folder("small");
    std::vector<std::string> paths;
    for (int i = 0; i < 9; ++i)
        paths.push_back(Log(accented, "host" + std::to_string(i) + ".log", 20));
    paths.push_back(Log(small, "error.log", 30));
    paths.push_back(small + "\\gone.log");

    CWinLogFileFacts facts;
    facts.Prepare(paths, false);
    ExpectSameAnswers(facts, paths);
    ASSERT_TRUE(::DeleteFileA(paths[0].c_str()));
    Log(small, "gone.log", 1);
    EXPECT_FALSE(Answer(facts, paths, paths[0]).exists);
    EXPECT_TRUE(Answer(facts, paths, small + "\\gone.log").exists);
}

TEST_F(LogFileFactsTest, ALongListOfManyFoldersIsListedWholeAtOnce)
{
    // Enough logs for the folders to be listed side by side; every folder must be answered
    // from its own listing, whichever thread listed it.
    std::vector<std::string> paths;
    std::vector<std::string> present;
    for (int f = 0; f < 24; ++f) {
        const std::string folder = Folder("host" + std::to_string(f));
        present.push_back(Log(folder, "access-0.log", static_cast<std::size_t>(f)));
        for (int i = 0; i < 100; ++i)
            paths.push_back(folder + "\\access-" + std::to_string(i) + ".log");
    }
    CWinLogFileFacts facts;
    facts.Prepare(paths, false);
    ExpectSameAnswers(facts, paths);

    // Changed after the listing: the answers stay those of the listing in every folder.
    for (int f = 0; f < 24; ++f) {
        ASSERT_TRUE(::DeleteFileA(present[f].c_str()));
        Log(testpaths::Join(m_dir, "host" + std::to_string(f)), "access-1.log", 1);
        EXPECT_EQ(facts.QueryAt(f * 100, paths[f * 100]).size, static_cast<std::uint64_t>(f));
        EXPECT_TRUE(facts.QueryAt(f * 100, paths[f * 100]).exists) << paths[f * 100];
        EXPECT_FALSE(facts.QueryAt(f * 100 + 1, paths[f * 100 + 1]).exists) << paths[f * 100 + 1];
    }
}

}  // namespace
