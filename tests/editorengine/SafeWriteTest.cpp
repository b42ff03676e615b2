// The editor's safe write on this platform: the target is the old file or the new one,
// whole; the temporary file is named after its target, a leftover of an interrupted save
// of that target is removed before the next save, and nothing else is ever touched.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <utility>

#include "EditorTestUtil.h"
#include "SafeWrite.h"

namespace tessaly::editor {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

ContentSource Pieces(const std::vector<std::string>& pieces, std::size_t stopBefore = SIZE_MAX)
{
    return [pieces, stopBefore](const ContentSink& sink) {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i == stopBefore)
                return false;
            if (!sink(pieces[i].data(), pieces[i].size()))
                return false;
        }
        return true;
    };
}

std::set<std::string> Names(const TempDir& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.insert(entry.path().filename().string());
    return names;
}

// A path's temporary file lies beside it and is named after it; the folder of a path keeps
// the root's separator.
TEST(SafeWriteNames, TheTemporaryFileIsNamedAfterItsTargetInTheTargetsFolder)
{
    const std::pair<const char*, const char*> pathsAndFolders[] = {
        {"C:\\Apache24\\conf\\httpd.conf", "C:\\Apache24\\conf"},
        {"C:\\httpd.conf", "C:\\"},
        {"C:/httpd.conf", "C:/"},
        {"C:httpd.conf", "C:"},
        {"\\httpd.conf", "\\"},
        {"/httpd.conf", "/"},
        {"/srv/conf/httpd.conf", "/srv/conf"},
        {"conf\\\\httpd.conf", "conf"},
        {"httpd.conf", "."},
        {"\\\\server\\share\\httpd.conf", "\\\\server\\share"},
    };
    for (const auto& [path, folder] : pathsAndFolders) {
        SCOPED_TRACE(path);
        EXPECT_EQ(SaveTemporaryPath(path), std::string(path) + ".~tessaly-save");
        EXPECT_EQ(FolderOfPath(path), folder);
    }

    // A name near the file systems' limit of 255 is shortened, and two such names stay apart.
    const std::string longA = "C:\\conf\\" + std::string(250, 'a') + "1.conf";
    const std::string longB = "C:\\conf\\" + std::string(250, 'a') + "2.conf";
    const std::string tempA = SaveTemporaryPath(longA);
    EXPECT_EQ(tempA.rfind("C:\\conf\\", 0), 0u);
    EXPECT_LE(tempA.size() - 8, 255u);
    EXPECT_NE(tempA, SaveTemporaryPath(longB));
}

class SafeWrite : public ::testing::Test {
protected:
    TempDir m_dir;
    const std::string m_target = m_dir.File("httpd.conf");
};

TEST_F(SafeWrite, WritesEveryPieceAndLeavesOnlyTheTarget)
{
    SafeWriteResult result = WriteFileSafely(m_target, Pieces({"Listen 80\r\n", "", std::string(3 << 20, 'x')}));
    ASSERT_EQ(result.outcome, SafeWriteOutcome::Ok);
    EXPECT_EQ(result.bytes, 11u + (3u << 20));
    EXPECT_EQ(ReadBytes(m_target), "Listen 80\r\n" + std::string(3 << 20, 'x'));
    result = WriteFileSafely(m_target, Pieces({"short"}));
    ASSERT_EQ(result.outcome, SafeWriteOutcome::Ok);
    EXPECT_EQ(ReadBytes(m_target), "short");
    EXPECT_EQ(Names(m_dir), std::set<std::string>{"httpd.conf"});
}

TEST_F(SafeWrite, AStoppedWriteLeavesTheTargetAsItWasAndNothingBesideIt)
{
    WriteBytes(m_target, "old text");
    EXPECT_EQ(WriteFileSafely(m_target, Pieces({"new ", "text"}, 1)).outcome, SafeWriteOutcome::Stopped);
    EXPECT_EQ(ReadBytes(m_target), "old text");
    const std::string fresh = m_dir.File("new.conf");
    EXPECT_EQ(WriteFileSafely(fresh, Pieces({"new"}, 0)).outcome, SafeWriteOutcome::Stopped);
    EXPECT_EQ(Names(m_dir), std::set<std::string>{"httpd.conf"});
}

TEST_F(SafeWrite, TargetsThatCannotBeWrittenAreToldApart)
{
    EXPECT_EQ(WriteFileSafely(m_dir.File("gone/httpd.conf"), Pieces({"x"})).outcome, SafeWriteOutcome::FolderMissing);
    std::filesystem::create_directory(m_dir.File("folder"));
    EXPECT_EQ(WriteFileSafely(m_dir.File("folder"), Pieces({"x"})).outcome, SafeWriteOutcome::TargetIsFolder);
    EXPECT_EQ(Names(m_dir), std::set<std::string>{"folder"});
}

// What an interrupted save left is ours only when it carries the name of this target's
// temporary file and is a plain file: then it goes; every other file stays.
TEST_F(SafeWrite, ALeftoverOfOurOwnIsRemovedBeforeTheNextSaveAndNothingElseIsTouched)
{
    WriteBytes(m_target, "old");
    const std::string leftover = SaveTemporaryPath(m_target);
    WriteBytes(leftover, "half of an earlier save");
    const std::set<std::string> others = {"httpd.conf.bak", "tse1A2B.tmp", "httpd-ssl.conf.~tessaly-save",
                                          "httpd.conf.~tessaly-save.keep", "~httpd.conf.~tessaly-save"};
    for (const std::string& name : others)
        WriteBytes(m_dir.File(name), name);

    ASSERT_EQ(WriteFileSafely(m_target, Pieces({"new"})).outcome, SafeWriteOutcome::Ok);
    EXPECT_EQ(ReadBytes(m_target), "new");
    std::set<std::string> expected = others;
    expected.insert("httpd.conf");
    EXPECT_EQ(Names(m_dir), expected);
    for (const std::string& name : others)
        EXPECT_EQ(ReadBytes(m_dir.File(name)), name);

    WriteBytes(leftover, "another one");
    EXPECT_TRUE(RemoveSaveLeftover(m_target));
    EXPECT_FALSE(RemoveSaveLeftover(m_target));
    EXPECT_EQ(Names(m_dir), expected);
}

TEST_F(SafeWrite, AFolderInTheLeftoversPlaceStaysAndTheSaveFailsCleanly)
{
    WriteBytes(m_target, "old");
    const std::string leftover = SaveTemporaryPath(m_target);
    std::filesystem::create_directory(leftover);
    WriteBytes((std::filesystem::path(leftover) / "inside").string(), "kept");
    EXPECT_FALSE(RemoveSaveLeftover(m_target));
    EXPECT_EQ(WriteFileSafely(m_target, Pieces({"new"})).outcome, SafeWriteOutcome::NoTemporaryFile);
    EXPECT_EQ(ReadBytes(m_target), "old");
    EXPECT_EQ(ReadBytes((std::filesystem::path(leftover) / "inside").string()), "kept");
}

TEST_F(SafeWrite, SameFileFollowsTheFileNotTheSpelling)
{
    WriteBytes(m_target, "x");
    WriteBytes(m_dir.File("other.conf"), "x");
    EXPECT_TRUE(IsSameFile(m_target, m_dir.File("./httpd.conf")));
    EXPECT_FALSE(IsSameFile(m_target, m_dir.File("other.conf")));
    EXPECT_FALSE(IsSameFile(m_target, m_dir.File("missing.conf")));
}

}  // namespace
}  // namespace tessaly::editor
