// A large log shown read-only: the first screen and the end are there at once, and what
// needs every line counted waits for the index and then answers exactly.
#include <gtest/gtest.h>

#include <cstdio>

#include "EditorHost.h"
#include "Handles.h"
#include "TestPaths.h"

namespace shelltest {
namespace {

constexpr long long kLogBytes = 256ll * 1024 * 1024;

std::string LogLine(long long n) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "127.0.0.1 - - [08/Dec/2026:10:%02lld:%02lld +0000] \"GET /page/%lld.html HTTP/1.1\" 200 %lld\r\n",
                  n / 60 % 60, n % 60, n, 1000 + n % 9000);
    return line;
}

// Writes about kLogBytes of log lines; returns the number of lines (each ends in CR LF).
long long WriteLog(const std::string& path, std::string& lastLine) {
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return -1;
    std::string chunk;
    long long lines = 0, bytes = 0;
    while (bytes < kLogBytes) {
        chunk.clear();
        while (chunk.size() < (1u << 20)) {
            lastLine = LogLine(lines++);
            chunk += lastLine;
        }
        DWORD written = 0;
        if (!::WriteFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr)) return -1;
        bytes += written;
    }
    lastLine.resize(lastLine.size() - 2);
    return lines;
}

class HugeLogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        path_ = testpaths::Join(testpaths::MakeWorkDir("editorshell-hugelog"), "access.log");
        lines_ = WriteLog(path_, lastLine_);
    }
    static void TearDownTestSuite() { ::DeleteFileA(path_.c_str()); }

    static std::string path_;
    static std::string lastLine_;
    static long long lines_;
};

std::string HugeLogTest::path_;
std::string HugeLogTest::lastLine_;
long long HugeLogTest::lines_ = 0;

TEST_F(HugeLogTest, ShowsTheFirstScreenTheEndAndThenExactLineNumbers) {
    ASSERT_GT(lines_, 0);
    EditorSettings settings;
    EditBuffer buffer(settings);
    buffer.SetReadOnly(true);
    buffer.SetSyntaxColoring(false);
    ASSERT_EQ(buffer.ReadFile(path_), 0);
    EditorHost host;
    HWND editor = host.AddEditor(&buffer, RECT{0, 0, 640, 360});
    ASSERT_TRUE(host.Focus(editor));

    // The first line is painted: dark text pixels in the first row.
    const ClientImage first(editor);
    EXPECT_GT(first.Count(settings.m_clrText, 0, CellSize(editor).cy), 20);
    char line[200] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    const LRESULT n = ::SendMessageA(editor, EM_GETLINE, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::string(line, static_cast<std::size_t>(n)), LogLine(0).substr(0, LogLine(0).size() - 2));

    // Ctrl+End reaches the end without counting lines first.
    Press(editor, VK_END, true);
    const auto [start, end] = Selection(editor);
    EXPECT_EQ(start, static_cast<DWORD>(buffer.Text().Length()));
    EXPECT_EQ(end, start);
    const ClientImage last(editor);
    EXPECT_GT(last.Count(settings.m_clrText, 0, last.Height()), 20) << "the last screen shows text";
    Screenshot(host.Host(), "editorshell-hugelog-end");

    // A line number needs every line: the answer waits for the index and is exact.
    EXPECT_EQ(::SendMessageA(editor, EM_GETLINECOUNT, 0, 0), lines_ + 1);
    const LRESULT lastLine = ::SendMessageA(editor, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(lastLine, lines_);
    RECT client{};
    ::GetClientRect(editor, &client);
    const int rows = client.bottom / CellSize(editor).cy;
    EXPECT_GT(FirstVisibleLine(editor), lines_ - rows);
    const LRESULT got = ::SendMessageA(editor, EM_GETLINE, static_cast<WPARAM>(lines_ - 1), reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::string(line, static_cast<std::size_t>(got)), lastLine_);
    // Typing changes nothing.
    Type(editor, "x");
    Press(editor, VK_HOME, true);
    EXPECT_EQ(::SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(buffer.Text().Length()));
    EXPECT_FALSE(buffer.IsModified());
}

}  // namespace
}  // namespace shelltest
