// Saving never damages the target: what was read is written back byte for byte, the
// target keeps its attributes, and a failed save leaves it exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>

#include "EditSession.h"
#include "EditorHost.h"
#include "Handles.h"
#include "TestPaths.h"

namespace shelltest {
namespace {

using tessaly::editor::SafeWriteOutcome;

SafeWriteOutcome WriteBufferToFile(const EditBuffer& buffer, const std::string& path)
{
    return buffer.SaveTo(path).outcome;
}

std::string ReadAll(const std::string& path)
{
    std::string content;
    testpaths::ReadTextFile(path, content);
    return content;
}

int FilesIn(const std::string& folder)
{
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return n;
}

class SafeWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = testpaths::MakeWorkDir("editorwindow-safewrite");
        m_target = testpaths::Join(m_folder, "httpd.conf");
    }

    std::string m_folder;
    std::string m_target;
    EditorSettings m_settings;
    EditBuffer m_buffer{m_settings};
};

const std::string kOddBytes = std::string("a\r\nb\nc\rd") + '\0' + "e\r\n\r\nno final line end";

TEST_F(SafeWriteTest, WritesBackExactlyWhatWasRead)
{
    const std::string source = testpaths::Join(m_folder, "source.conf");
    ASSERT_TRUE(testpaths::WriteTextFile(source, kOddBytes));
    ASSERT_EQ(m_buffer.ReadFile(source), 0);
    EXPECT_EQ(WriteBufferToFile(m_buffer, m_target), SafeWriteOutcome::Ok);  // a new file
    EXPECT_EQ(ReadAll(m_target), kOddBytes);
    EXPECT_EQ(WriteBufferToFile(m_buffer, source), SafeWriteOutcome::Ok);  // over itself
    EXPECT_EQ(ReadAll(source), kOddBytes);
    EXPECT_EQ(FilesIn(m_folder), 2) << "no temporary file is left behind";
}

TEST_F(SafeWriteTest, KeepsTheTargetsAttributes)
{
    ASSERT_TRUE(testpaths::WriteTextFile(m_target, "old"));
    ASSERT_TRUE(::SetFileAttributesA(m_target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    m_buffer.SetText("new text\r\n");
    EXPECT_EQ(WriteBufferToFile(m_buffer, m_target), SafeWriteOutcome::Ok);
    EXPECT_EQ(ReadAll(m_target), "new text\r\n");
    EXPECT_TRUE(::GetFileAttributesA(m_target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(FilesIn(m_folder), 1);
}

TEST_F(SafeWriteTest, AReadOnlyTargetStaysAsItWas)
{
    ASSERT_TRUE(testpaths::WriteTextFile(m_target, "Listen 80\r\n"));
    ASSERT_TRUE(::SetFileAttributesA(m_target.c_str(), FILE_ATTRIBUTE_READONLY));
    m_buffer.SetText("changed");
    EXPECT_NE(WriteBufferToFile(m_buffer, m_target), SafeWriteOutcome::Ok);
    EXPECT_EQ(ReadAll(m_target), "Listen 80\r\n");
    EXPECT_EQ(FilesIn(m_folder), 1);
    ::SetFileAttributesA(m_target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SafeWriteTest, AVanishedFolderFailsAndCreatesNothing)
{
    const std::string gone = testpaths::Join(m_folder, "gone");
    ASSERT_TRUE(::CreateDirectoryA(gone.c_str(), nullptr));
    ASSERT_TRUE(::RemoveDirectoryA(gone.c_str()));
    m_buffer.SetText("text");
    EXPECT_NE(WriteBufferToFile(m_buffer, testpaths::Join(gone, "httpd.conf")), SafeWriteOutcome::Ok);
    EXPECT_EQ(::GetFileAttributesA(gone.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FilesIn(m_folder), 0);
}

TEST_F(SafeWriteTest, ATargetHeldOpenWithoutSharingStaysAsItWas)
{
    ASSERT_TRUE(testpaths::WriteTextFile(m_target, "Listen 80\r\n"));
    {
        CFileHandle held(::CreateFileA(m_target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        m_buffer.SetText("changed");
        EXPECT_NE(WriteBufferToFile(m_buffer, m_target), SafeWriteOutcome::Ok);
    }
    EXPECT_EQ(ReadAll(m_target), "Listen 80\r\n");
    EXPECT_EQ(FilesIn(m_folder), 1);
}

// The bytes of a file at an offset, read without loading the whole file.
std::string BytesAt(const std::string& path, long long offset, DWORD n)
{
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER at{};
    at.QuadPart = offset;
    std::string bytes(n, '\0');
    DWORD got = 0;
    if (!file || !::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN) ||
        !::ReadFile(file.Get(), bytes.data(), n, &got, nullptr))
        return {};
    bytes.resize(got);
    return bytes;
}

long long SizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// An editable configuration of 200 MB in this 32-bit process: it opens, takes edits at its
// start, in its middle and at its end, and is saved whole.
TEST_F(SafeWriteTest, AConfigurationOf200MegabytesOpensTakesEditsAndIsSaved)
{
    const std::string line = "    Require ip 192.168.0.0/16 10.0.0.0/8  # allowed from the local networks\r\n";
    const long long lines = 200LL * 1024 * 1024 / static_cast<long long>(line.size()) + 1;
    {
        std::string block;
        while (block.size() < (1u << 20))
            block += line;
        const long long perBlock = static_cast<long long>(block.size() / line.size());
        CFileHandle file(::CreateFileA(m_target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        for (long long written = 0; written < lines; written += perBlock) {
            const DWORD n =
                static_cast<DWORD>(std::min(perBlock, lines - written) * static_cast<long long>(line.size()));
            DWORD done = 0;
            ASSERT_TRUE(::WriteFile(file.Get(), block.data(), n, &done, nullptr) && done == n);
        }
    }
    const long long size = lines * static_cast<long long>(line.size());
    ASSERT_EQ(SizeOf(m_target), size);

    ASSERT_EQ(m_buffer.ReadFile(m_target), 0);
    ASSERT_EQ(m_buffer.Text().Length(), size);
    EXPECT_EQ(m_buffer.Text().LineCount(), lines + 1);
    tessaly::editor::EditSession view(m_buffer);
    view.GotoLine(lines / 2 + 1);
    ASSERT_TRUE(view.InsertText("Listen 8080\r\n"));
    view.DocStart(false);
    ASSERT_TRUE(view.InsertText("# edited\r\n"));
    view.DocEnd(false);
    ASSERT_TRUE(view.InsertText("# the end"));
    EXPECT_EQ(m_buffer.Text().LineCount(), lines + 3);

    ASSERT_EQ(WriteBufferToFile(m_buffer, m_target), SafeWriteOutcome::Ok);
    EXPECT_EQ(SizeOf(m_target), size + 10 + 13 + 9);
    EXPECT_EQ(BytesAt(m_target, 0, 10 + 4), "# edited\r\n    ");
    const long long middle = 10 + lines / 2 * static_cast<long long>(line.size());
    EXPECT_EQ(BytesAt(m_target, middle - 2, 17), "\r\nListen 8080\r\n  ");
    EXPECT_EQ(BytesAt(m_target, size + 10 + 13 - 2, 11), "\r\n# the end");
    EXPECT_EQ(FilesIn(m_folder), 1) << "no temporary file is left";
}

}  // namespace
}  // namespace shelltest
