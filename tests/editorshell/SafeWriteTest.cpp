// Saving never damages the target: what was read is written back byte for byte, the
// target keeps its attributes, and a failed save leaves it exactly as it was.
#include <gtest/gtest.h>

#include "EditorHost.h"
#include "Handles.h"
#include "SafeFileWrite.h"
#include "TestPaths.h"

namespace shelltest {
namespace {

using tessaly::editor::WriteBufferToFile;
using tessaly::editor::WriteResult;

std::string ReadAll(const std::string& path) {
    std::string content;
    testpaths::ReadTextFile(path, content);
    return content;
}

int FilesIn(const std::string& folder) {
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return n;
}

class SafeWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = testpaths::MakeWorkDir("editorshell-safewrite");
        target_ = testpaths::Join(folder_, "httpd.conf");
    }

    std::string folder_;
    std::string target_;
    EditorSettings settings_;
    EditBuffer buffer_{settings_};
};

const std::string kOddBytes = std::string("a\r\nb\nc\rd") + '\0' + "e\r\n\r\nno final line end";

TEST_F(SafeWriteTest, WritesBackExactlyWhatWasRead) {
    const std::string source = testpaths::Join(folder_, "source.conf");
    ASSERT_TRUE(testpaths::WriteTextFile(source, kOddBytes));
    ASSERT_EQ(buffer_.ReadFile(source), 0);
    EXPECT_EQ(WriteBufferToFile(buffer_, target_), WriteResult::Ok);  // a new file
    EXPECT_EQ(ReadAll(target_), kOddBytes);
    EXPECT_EQ(WriteBufferToFile(buffer_, source), WriteResult::Ok);   // over itself
    EXPECT_EQ(ReadAll(source), kOddBytes);
    EXPECT_EQ(FilesIn(folder_), 2) << "no temporary file is left behind";
}

TEST_F(SafeWriteTest, KeepsTheTargetsAttributes) {
    ASSERT_TRUE(testpaths::WriteTextFile(target_, "old"));
    ASSERT_TRUE(::SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    buffer_.SetText("new text\r\n");
    EXPECT_EQ(WriteBufferToFile(buffer_, target_), WriteResult::Ok);
    EXPECT_EQ(ReadAll(target_), "new text\r\n");
    EXPECT_TRUE(::GetFileAttributesA(target_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(FilesIn(folder_), 1);
}

TEST_F(SafeWriteTest, AReadOnlyTargetStaysAsItWas) {
    ASSERT_TRUE(testpaths::WriteTextFile(target_, "Listen 80\r\n"));
    ASSERT_TRUE(::SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_READONLY));
    buffer_.SetText("changed");
    EXPECT_NE(WriteBufferToFile(buffer_, target_), WriteResult::Ok);
    EXPECT_EQ(ReadAll(target_), "Listen 80\r\n");
    EXPECT_EQ(FilesIn(folder_), 1);
    ::SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SafeWriteTest, AVanishedFolderFailsAndCreatesNothing) {
    const std::string gone = testpaths::Join(folder_, "gone");
    ASSERT_TRUE(::CreateDirectoryA(gone.c_str(), nullptr));
    ASSERT_TRUE(::RemoveDirectoryA(gone.c_str()));
    buffer_.SetText("text");
    EXPECT_NE(WriteBufferToFile(buffer_, testpaths::Join(gone, "httpd.conf")), WriteResult::Ok);
    EXPECT_EQ(::GetFileAttributesA(gone.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FilesIn(folder_), 0);
}

TEST_F(SafeWriteTest, ATargetHeldOpenWithoutSharingStaysAsItWas) {
    ASSERT_TRUE(testpaths::WriteTextFile(target_, "Listen 80\r\n"));
    {
        CFileHandle held(::CreateFileA(target_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        buffer_.SetText("changed");
        EXPECT_NE(WriteBufferToFile(buffer_, target_), WriteResult::Ok);
    }
    EXPECT_EQ(ReadAll(target_), "Listen 80\r\n");
    EXPECT_EQ(FilesIn(folder_), 1);
}

}  // namespace
}  // namespace shelltest
