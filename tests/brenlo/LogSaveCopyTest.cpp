// Save As of a log as the viewer makes it: the log shown read-only in an editor buffer, read
// on demand, is written by the editor's safe write up to the length shown, through a
// temporary file that takes the chosen name only when the copy is complete.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Handles.h"
#include "LogClearing.h"
#include "LogProbe.h"
#include "EditBuffer.h"
#include "TestPaths.h"

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

std::string Content(const std::string& path)
{
    std::string text;
    return testpaths::ReadTextFile(path, text) ? text : "<unreadable>";
}

bool Append(const std::string& path, const std::string& text)
{
    CFileHandle file(::CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CFileHandle OpenShared(const std::string& path)
{
    return CFileHandle(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::uint64_t SizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Writes a file whose every 8 bytes tell their own offset, so a block copied twice, left
// out or put in the wrong place shows.
bool WritePattern(const std::string& path, std::uint64_t bytes)
{
    CFileHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::vector<std::uint64_t> block(kMiB / 8);
    for (std::uint64_t offset = 0; offset < bytes; offset += kMiB) {
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = (offset / 8 + i) * 0x9E3779B97F4A7C15ull;
        const DWORD n = static_cast<DWORD>(bytes - offset < kMiB ? bytes - offset : kMiB);
        DWORD written = 0;
        if (!::WriteFile(file.Get(), block.data(), n, &written, nullptr) || written != n)
            return false;
    }
    return true;
}

// True when the copy holds exactly the first bytes of the original, as many as it has.
bool IsPrefixOf(const std::string& copy, const std::string& original)
{
    CFileHandle a = OpenShared(copy);
    CFileHandle b = OpenShared(original);
    if (!a || !b)
        return false;
    std::vector<char> x(kMiB), y(kMiB);
    for (;;) {
        DWORD gotA = 0, gotB = 0;
        if (!::ReadFile(a.Get(), x.data(), kMiB, &gotA, nullptr))
            return false;
        if (gotA == 0)
            return true;
        if (!::ReadFile(b.Get(), y.data(), gotA, &gotB, nullptr) || gotB != gotA)
            return false;
        if (std::memcmp(x.data(), y.data(), gotA) != 0)
            return false;
    }
}

// Files in the folder other than those named: what a failed save might leave behind.
std::vector<std::string> Strays(const std::string& dir, const std::vector<std::string>& known)
{
    std::vector<std::string> strays;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA(testpaths::Join(dir, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return strays;
    do {
        const std::string name = data.cFileName;
        bool isKnown = name == "." || name == "..";
        for (const std::string& k : known)
            isKnown = isKnown || _stricmp(k.c_str(), name.c_str()) == 0;
        if (!isKnown)
            strays.push_back(name);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return strays;
}

using tessaly::editor::EditBuffer;
using tessaly::editor::EditorSettings;
using tessaly::editor::SafeWriteOutcome;
using tessaly::editor::SafeWriteResult;

constexpr std::uint64_t kPieceBytes = kMiB;

class LogSaveCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = testpaths::MakeWorkDir(std::string("BrenloSave-") +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        source = testpaths::Join(dir, "access.log");
        target = testpaths::Join(dir, "copy.log");
    }

    // Shows the log as the viewer does: read-only, read on demand.
    bool Show(const std::string& path)
    {
        shown.SetReadOnly(true);
        return shown.ReadFile(path) == 0;
    }

    SafeWriteResult Save(const std::string& to, const EditBuffer::WriteProgress& progress = {})
    {
        return shown.SaveTo(to, progress);
    }

    std::string dir;
    std::string source;
    std::string target;
    EditorSettings settings;
    EditBuffer shown{settings};
};

const std::string kOldTarget = "an older file of the chosen name\n";

}  // namespace

TEST_F(LogSaveCopy, ALargeLogIsCopiedUpToTheLengthShownWhileTheServerAppends)
{
    const std::uint64_t size = 200 * kMiB + 12345;
    ASSERT_TRUE(WritePattern(source, size));
    ASSERT_TRUE(testpaths::WriteTextFile(target, kOldTarget));
    ASSERT_TRUE(Show(source));
    CLogProbe server;
    ASSERT_TRUE(server.StartAppending(source, 0));

    int calls = 0;
    std::uint64_t lastCopied = 0;
    std::uint64_t seenTotal = 0;
    bool inOrder = true;
    const SafeWriteResult result = Save(target, [&](std::uint64_t copied, std::uint64_t total) {
        inOrder = inOrder && copied >= lastCopied && copied <= total;
        lastCopied = copied;
        seenTotal = total;
        ++calls;
        return true;
    });
    ASSERT_EQ(server.Stop(), 0);
    EXPECT_EQ(server.Failed(), 0u);
    EXPECT_GT(server.Lines(), 0u);

    ASSERT_EQ(result.outcome, SafeWriteOutcome::Ok) << result.systemError;
    EXPECT_EQ(result.bytes, size) << "what the server appended after the log was shown is not saved";
    EXPECT_EQ(seenTotal, size);
    EXPECT_EQ(lastCopied, size);
    EXPECT_TRUE(inOrder);
    EXPECT_GT(calls, static_cast<int>(size / kPieceBytes));
    EXPECT_EQ(SizeOf(target), size);
    EXPECT_TRUE(IsPrefixOf(target, source));
    EXPECT_GT(SizeOf(source), size);  // the server went on writing after the log was shown
    EXPECT_EQ(Strays(dir, {"access.log", "copy.log", "access.log.probe-report"}), std::vector<std::string>{});
    shown.SetText("");
    ::DeleteFileA(source.c_str());  // a few hundred MB are not kept after the run
    ::DeleteFileA(target.c_str());
}

TEST_F(LogSaveCopy, ASaveStoppedHalfWayLeavesTheOlderFileAndNoCopy)
{
    ASSERT_TRUE(WritePattern(source, 8 * kMiB));
    ASSERT_TRUE(testpaths::WriteTextFile(target, kOldTarget));
    ASSERT_TRUE(Show(source));
    const SafeWriteResult stopped =
        Save(target, [](std::uint64_t copied, std::uint64_t total) { return copied < total / 2; });
    EXPECT_EQ(stopped.outcome, SafeWriteOutcome::Stopped);
    EXPECT_GE(stopped.bytes, 4 * kMiB);
    EXPECT_EQ(Content(target), kOldTarget);
    EXPECT_EQ(Strays(dir, {"access.log", "copy.log"}), std::vector<std::string>{});

    const std::string fresh = testpaths::Join(dir, "fresh.log");
    EXPECT_EQ(Save(fresh, [](std::uint64_t, std::uint64_t) { return false; }).outcome, SafeWriteOutcome::Stopped);
    EXPECT_FALSE(Exists(fresh)) << "a stopped copy leaves nothing under the new name";

    const SafeWriteResult saved = Save(target);
    EXPECT_EQ(saved.outcome, SafeWriteOutcome::Ok);
    EXPECT_EQ(SizeOf(target), 8 * kMiB);
    EXPECT_TRUE(IsPrefixOf(target, source));
    EXPECT_EQ(Strays(dir, {"access.log", "copy.log"}), std::vector<std::string>{});
}

TEST_F(LogSaveCopy, ALogClearedWhileItIsCopiedFailsTheSave)
{
    ASSERT_TRUE(WritePattern(source, 8 * kMiB));
    ASSERT_TRUE(testpaths::WriteTextFile(target, kOldTarget));
    ASSERT_TRUE(Show(source));
    bool cleared = false;
    const SafeWriteResult result = Save(target, [&](std::uint64_t copied, std::uint64_t) {
        if (copied >= 2 * kMiB && !cleared)
            cleared = ClearLogFile(source).Cleared();
        return true;
    });
    ASSERT_TRUE(cleared);
    EXPECT_EQ(result.outcome, SafeWriteOutcome::SourceFailed);
    EXPECT_EQ(Content(target), kOldTarget);
    EXPECT_EQ(Strays(dir, {"access.log", "copy.log"}), std::vector<std::string>{});
}

TEST_F(LogSaveCopy, AChosenNameThatCannotTakeACopyFailsBeforeCopying)
{
    ASSERT_TRUE(testpaths::WriteTextFile(source, "one line\n"));
    ASSERT_TRUE(Show(source));

    const std::string inMissingFolder = testpaths::Join(dir, "nofolder\\copy.log");
    EXPECT_EQ(Save(inMissingFolder).outcome, SafeWriteOutcome::FolderMissing);
    EXPECT_FALSE(Exists(testpaths::Join(dir, "nofolder")));

    const std::string folder = testpaths::Join(dir, "afolder");
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_EQ(Save(folder).outcome, SafeWriteOutcome::TargetIsFolder);

    ASSERT_TRUE(testpaths::WriteTextFile(target, kOldTarget));
    ASSERT_TRUE(::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    const SafeWriteResult readOnly = Save(target);
    ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readOnly.outcome, SafeWriteOutcome::TargetReadOnly);
    EXPECT_EQ(Content(target), kOldTarget);

    EXPECT_EQ(Strays(dir, {"access.log", "copy.log", "afolder"}), std::vector<std::string>{});
}

TEST_F(LogSaveCopy, ALogDeletedAfterItWasShownIsSavedAsShown)
{
    ASSERT_TRUE(testpaths::WriteTextFile(source, "line one\nline two\n"));
    ASSERT_TRUE(Show(source));
    ASSERT_TRUE(::DeleteFileA(source.c_str()));
    EXPECT_EQ(Save(target).outcome, SafeWriteOutcome::Ok);
    EXPECT_EQ(Content(target), "line one\nline two\n");
}

TEST_F(LogSaveCopy, SavingALogOntoItselfLeavesIt)
{
    ASSERT_TRUE(testpaths::WriteTextFile(source, "line one\nline two\n"));
    ASSERT_TRUE(Show(source));
    ASSERT_TRUE(Append(source, "line three\n"));
    const SafeWriteResult result = Save(source);
    EXPECT_EQ(result.outcome, SafeWriteOutcome::Ok);
    EXPECT_EQ(Content(source), "line one\nline two\nline three\n") << "the server's newer lines stay";
    EXPECT_EQ(Strays(dir, {"access.log"}), std::vector<std::string>{});
}

TEST_F(LogSaveCopy, ALogPastFourGigabytesIsTakenAtItsFullSize)
{
    // A sparse file: its size costs no disk, and the save is stopped after the first piece.
    const std::uint64_t size = 4ull * 1024 * kMiB + 4096;
    {
        CFileHandle file(
            ::CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(file.Get()));
    }
    ASSERT_TRUE(Show(source));
    std::uint64_t seenTotal = 0;
    const SafeWriteResult result = Save(target, [&](std::uint64_t copied, std::uint64_t total) {
        seenTotal = total;
        return copied == 0;
    });
    EXPECT_EQ(result.outcome, SafeWriteOutcome::Stopped);
    EXPECT_EQ(seenTotal, size);
    EXPECT_EQ(result.bytes, kPieceBytes);
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ(Strays(dir, {"access.log"}), std::vector<std::string>{});
    shown.SetText("");
}

TEST_F(LogSaveCopy, AFullDiskFailsTheSaveAndLeavesTheOlderFileAndNoCopy)
{
    // The small disk is mounted for the run by small-disk.sh.
    const std::string smallDisk = testpaths::Join(testpaths::BuildDir(), "test-small-disk");
    ULARGE_INTEGER free{}, totalBytes{};
    if (!::GetDiskFreeSpaceExA(smallDisk.c_str(), &free, &totalBytes, nullptr) || totalBytes.QuadPart > 16 * kMiB)
        GTEST_SKIP() << "no small disk at " << smallDisk;
    const std::string fullTarget = testpaths::Join(smallDisk, "copy.log");
    ASSERT_TRUE(testpaths::WriteTextFile(fullTarget, kOldTarget));
    ASSERT_TRUE(WritePattern(source, totalBytes.QuadPart + 4 * kMiB));
    ASSERT_TRUE(Show(source));

    const SafeWriteResult result = Save(fullTarget);
    EXPECT_EQ(result.outcome, SafeWriteOutcome::DiskFull);
    EXPECT_EQ(Content(fullTarget), kOldTarget);
    EXPECT_EQ(Strays(smallDisk, {"copy.log"}), std::vector<std::string>{});
    ::DeleteFileA(fullTarget.c_str());
}
