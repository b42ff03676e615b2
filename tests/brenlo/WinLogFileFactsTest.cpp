// The file system's answers about logs under Wine: a folder with many logs is answered from
// one listing, and every answer equals the one a query of that path alone gives.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "TestPaths.h"
#include "WinLogFileFacts.h"

namespace {

bool MakeFile(const std::string& path, std::uint64_t size)
{
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    return ::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get());
}

// The answer for a path queried on its own: a fresh object lists no folder for one path.
LogFileFacts Alone(const std::string& path)
{
    return CWinLogFileFacts().Query(path);
}

class WinLogFileFactsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = testpaths::MakeWorkDir("brenlo-file-facts");
        for (int i = 0; i < 10; ++i)
            ASSERT_TRUE(MakeFile(Path("access-" + std::to_string(i) + ".log"), 100 * i + 7));
        ASSERT_TRUE(MakeFile(Path("Mixed.Case.log"), 1536));
        ASSERT_TRUE(MakeFile(Path("empty.log"), 0));
        // Beyond 4 GiB, without the disk space: the file is a hole.
        ASSERT_TRUE(MakeFile(Path("huge.log"), 5ull * 1024 * 1024 * 1024 + 3));
        ASSERT_TRUE(::CreateDirectoryA(Path("folder.log").c_str(), nullptr));
    }
    void TearDown() override
    {
        for (const char* name : {"huge.log", "late.log"})
            ::DeleteFileA(Path(name).c_str());
    }

    std::string Path(const std::string& name) const { return testpaths::Join(m_dir, name); }

    std::string m_dir;
};

TEST_F(WinLogFileFactsTest, AListedFolderAnswersAsEachPathAlone)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i)
        paths.push_back(Path("access-" + std::to_string(i) + ".log"));
    for (const char* name : {"ACCESS-3.LOG", "mixed.case.LOG", "Mixed.Case.log", "empty.log", "huge.log",
                             "missing.log", "folder.log", "access-1.log.", "access-2.log ", "access-*.log",
                             "access-?.log", ".", "..", "", "access-4.log::$DATA"})
        paths.push_back(Path(name));
    paths.push_back(m_dir + "\\.\\access-5.log");
    paths.push_back(m_dir + "\\..\\brenlo-file-facts\\access-6.log");
    paths.push_back(m_dir + "\\folder.log\\..\\access-7.log");

    CWinLogFileFacts facts;
    for (const std::string& path : paths) {
        const LogFileFacts listed = facts.Query(path);
        const LogFileFacts alone = Alone(path);
        EXPECT_EQ(listed.exists, alone.exists) << path;
        EXPECT_EQ(listed.size, alone.size) << path;
    }
    EXPECT_EQ(facts.Query(Path("huge.log")).size, 5ull * 1024 * 1024 * 1024 + 3);
    EXPECT_EQ(facts.Query(Path("access-9.log")).size, 907u);
    EXPECT_EQ(facts.Query(Path("MIXED.CASE.LOG")).size, 1536u);
    EXPECT_TRUE(facts.Query(Path("folder.log")).exists);
    EXPECT_FALSE(facts.Query(Path("missing.log")).exists);
}

TEST_F(WinLogFileFactsTest, ALogMadeAfterTheListingIsFoundAndItsSizeRead)
{
    CWinLogFileFacts facts;
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(facts.Query(Path("access-" + std::to_string(i) + ".log")).exists);
    ASSERT_TRUE(MakeFile(Path("late.log"), 42));
    const LogFileFacts late = facts.Query(Path("late.log"));
    EXPECT_TRUE(late.exists);
    EXPECT_EQ(late.size, 42u);
}

}  // namespace
