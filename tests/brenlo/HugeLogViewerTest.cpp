// Huge logs through the viewer, as the Launcher's 32-bit process meets them: a log of 1 GiB
// shows its first screen and Go down reaches its last line while the process stays small,
// and the same log grown past 4 GiB opens with its first and last lines. The text is read
// through the edit messages of the view, a screenful at a time, never whole.
//
// The log is written for real when the disk has room for it and a margin; otherwise its
// middle is left as a hole of zero bytes (a sparse file), with real lines at both ends.
#include <windows.h>

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "Handles.h"
#include "RegistrySandbox.h"
#include "TestPaths.h"
#include "UiDriver.h"
#include "ViewerHost.h"

using namespace viewertest;

namespace {

constexpr UINT kGoDown = 32771;
constexpr UINT kOpenSelected = 32776;
constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kGiB = 1024 * kMiB;
constexpr std::size_t kBlockSize = 64 * 1024;

std::string AccessLine(long long n, const char* page)
{
    char line[200];
    std::snprintf(line, sizeof line,
                  "192.168.%lld.%lld - - [08/Dec/2026:%02lld:%02lld:%02lld +0000] \"GET /%s/%lld.html HTTP/1.1\" "
                  "200 %lld \"-\" \"Mozilla/5.0\"\r\n",
                  n / 250 % 250, n % 250, n / 3600 % 24, n / 60 % 60, n % 60, page, n, 512 + n * 37 % 90000);
    return line;
}

// 64 KiB of whole access-log lines; the last one is padded so that the block ends with its
// line end.
std::string LogBlock(int& lines)
{
    std::string block;
    lines = 0;
    for (;;) {
        std::string line = AccessLine(lines, "page");
        if (block.size() + line.size() > kBlockSize - 120)
            break;
        block += line;
        ++lines;
    }
    std::string last = AccessLine(lines++, "page");
    last.insert(last.size() - 2, kBlockSize - block.size() - last.size(), ' ');
    block += last;
    return block;
}

// A log being written: its line ends counted, its first and last lines kept.
struct HugeLog {
    std::string path;
    std::uint64_t size = 0;
    long long lineEnds = 0;
    std::string first;  // without the line end
    std::string last;
    bool sparse = false;
};

bool Append(HANDLE file, const std::string& text, HugeLog& log)
{
    DWORD written = 0;
    if (!::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) || written != text.size())
        return false;
    log.size += written;
    return true;
}

// Grows the log to at least `bytes`, then ends it with a line of its own. The bytes between
// the old last line and the new blocks are written as blocks, or left as a hole when the
// disk lacks room.
bool GrowLog(HugeLog& log, std::uint64_t bytes)
{
    CFileHandle file(::CreateFileA(log.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(log.size);
    ::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN);
    if (log.size == 0) {
        log.first = AccessLine(0, "first");
        if (!Append(file.Get(), log.first, log))
            return false;
        log.first.resize(log.first.size() - 2);
        log.lineEnds = 1;
    }
    int blockLines = 0;
    const std::string block = LogBlock(blockLines);
    std::string burst;  // 1 MiB a write
    for (int i = 0; i < 16; ++i)
        burst += block;

    ULARGE_INTEGER freeBytes{};
    ::GetDiskFreeSpaceExA(testpaths::BuildDir().c_str(), &freeBytes, nullptr, nullptr);
    if (freeBytes.QuadPart < bytes - log.size + 2 * kGiB) {
        // A hole, then one block: the hole's zero bytes join the block's first line.
        log.sparse = true;
        end.QuadPart = static_cast<LONGLONG>(bytes - kBlockSize);
        if (!::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.Get()))
            return false;
        log.size = bytes - kBlockSize;
        if (!Append(file.Get(), block, log))
            return false;
        log.lineEnds += blockLines;
    }
    while (log.size + burst.size() <= bytes) {
        if (!Append(file.Get(), burst, log))
            return false;
        log.lineEnds += 16ll * blockLines;
    }
    while (log.size < bytes) {
        if (!Append(file.Get(), block, log))
            return false;
        log.lineEnds += blockLines;
    }
    log.last = AccessLine(log.lineEnds, "last");
    if (!Append(file.Get(), log.last, log))
        return false;
    log.last.resize(log.last.size() - 2);
    ++log.lineEnds;
    return true;
}

struct ProcessMemory {
    std::uint64_t workingSet = 0;
    std::uint64_t peakWorkingSet = 0;
    std::uint64_t privateBytes = 0;
};

ProcessMemory MemoryOfThisProcess()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return ProcessMemory{counters.WorkingSetSize, counters.PeakWorkingSetSize, counters.PagefileUsage};
}

// The first bytes of the view's text, as many as a screen shows at most.
std::string FirstScreen(HWND view)
{
    std::string text(4096, '\0');
    const LRESULT copied = ::SendMessageA(view, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::string Line(HWND view, LRESULT index)
{
    char line[512] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    const LRESULT n = ::SendMessageA(view, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line));
    return std::string(line, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// What the user saw of the log in one run of the viewer.
struct Seen {
    std::string title;
    std::string firstScreen;
    LRESULT lineCount = 0;
    LRESULT firstVisibleAfterDown = -1;
    LRESULT caretLine = -1;
    std::string lastLine;
    int height = 0;  // of the view's client area, in pixels
    ProcessMemory memory;
};

Seen ViewLog(const HugeLog& log)
{
    LauncherLogList list;
    list.Add(log.path, "Huge");
    ViewerRun run;
    Seen seen;
    run.Run(list.Get(), [&](HWND frame) {
        HWND tree = TreeOf(frame);
        HWND view = TextViewOf(frame);
        std::vector<TreeItem> items = ReadTree(tree);
        if (items.size() == 1 && items[0].children.size() == 1 && SelectItem(tree, items[0].children[0].handle)) {
            const std::string name = log.path.substr(log.path.find_last_of('\\') + 1);
            Command(frame, kOpenSelected);
            ui::WaitUntil([&] { return ui::TextOf(frame) == "Log Viewer - " + name; }, 20000);
            seen.title = ui::TextOf(frame);
            seen.firstScreen = FirstScreen(view);

            Command(frame, kGoDown);
            seen.lineCount = ::SendMessageA(view, EM_GETLINECOUNT, 0, 0);
            ui::WaitUntil(
                [&] { return ::SendMessageA(view, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0) == seen.lineCount - 1; },
                20000);
            seen.caretLine = ::SendMessageA(view, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
            seen.firstVisibleAfterDown = ::SendMessageA(view, EM_GETFIRSTVISIBLELINE, 0, 0);
            seen.lastLine = Line(view, seen.lineCount - 2);
            RECT client{};
            ::GetClientRect(view, &client);
            seen.height = client.bottom;
            seen.memory = MemoryOfThisProcess();
        }
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    return seen;
}

class HugeLogViewerTest : public ::testing::Test {
protected:
    void SetUp() override { m_log.path = testpaths::Join(testpaths::MakeWorkDir("brenlo-huge-log"), "access.log"); }
    void TearDown() override { ::DeleteFileA(m_log.path.c_str()); }

    // The view shows the log's own first line at the top, and after Go down the caret on
    // the empty line after the last line end, with the last log line on the screen.
    void ExpectBothEnds(const Seen& seen)
    {
        EXPECT_EQ(seen.title, "Log Viewer - access.log");
        EXPECT_EQ(seen.firstScreen.substr(0, m_log.first.size() + 2), m_log.first + "\r\n");
        EXPECT_EQ(seen.lineCount, m_log.lineEnds + 1);
        EXPECT_EQ(seen.caretLine, seen.lineCount - 1);
        EXPECT_EQ(seen.lastLine, m_log.last);
        // The last lines fill the screen: its top line lies within a screenful of them (a
        // line is at least a pixel high).
        EXPECT_GT(seen.height, 0);
        EXPECT_GE(seen.firstVisibleAfterDown, seen.lineCount - seen.height);
        EXPECT_LE(seen.firstVisibleAfterDown, seen.lineCount - 2);
    }

    CRegistrySandbox m_registry;
    HugeLog m_log;
};

TEST_F(HugeLogViewerTest, OneGibibyteAndThenMoreThanFourShowTheirEndsWhileTheProcessStaysSmall)
{
    ASSERT_NE(ViewerExport(), nullptr);
    const ProcessMemory before = MemoryOfThisProcess();
    ASSERT_TRUE(GrowLog(m_log, kGiB));
    std::printf("log of %llu bytes, %lld lines%s\n", static_cast<unsigned long long>(m_log.size), m_log.lineEnds,
                m_log.sparse ? " (its middle a hole: the disk is short of room)" : "");
    Seen seen = ViewLog(m_log);
    ExpectBothEnds(seen);
    std::printf("memory: working set %llu MiB (peak %llu MiB), private %llu MiB; before the viewer %llu MiB\n",
                seen.memory.workingSet / kMiB, seen.memory.peakWorkingSet / kMiB, seen.memory.privateBytes / kMiB,
                before.workingSet / kMiB);
    // The process never holds the log: what it has grown by is a small share of the file.
    EXPECT_LT(seen.memory.peakWorkingSet, before.workingSet + m_log.size / 8);
    EXPECT_LT(seen.memory.privateBytes, before.privateBytes + m_log.size / 8);

    ASSERT_TRUE(GrowLog(m_log, 4 * kGiB + 256 * kMiB));
    std::printf("log of %llu bytes, %lld lines%s\n", static_cast<unsigned long long>(m_log.size), m_log.lineEnds,
                m_log.sparse ? " (its middle a hole: the disk is short of room)" : "");
    seen = ViewLog(m_log);
    ExpectBothEnds(seen);
    EXPECT_LT(seen.memory.privateBytes, before.privateBytes + kGiB / 2);
}

}  // namespace
