// Measures the log view following a growing log, through DoViewLogs of the shipped
// Brenlo.dll, by hand (under Wine, from build/bench-bin):
//   FollowBench [--seconds 30] [--runs 10]
// A writer process (this program with --write) appends 1,000 lines a second through one
// open handle, each line carrying the time it was written. It prints
//   - latency: from a line's write until the view has painted it while following, p50 and
//     p99 (target p99 250 ms), beside a bare poller in the same run that asks the open
//     file for its size ten times a second (the least any such view can take);
//   - cost per appended line: the viewer's processor time while following, over the lines
//     taken in, for a 1 MiB and a 100 MiB log (target: within 1.2 of each other);
//   - memory: private bytes after following a log that grew by 512 MiB against opening a
//     512 MiB log (target: within 5%);
//   - opening a 1 GiB log, from the tree's open to its painted end while following, against
//     the same open with following off, p90 of the runs each (target: within 1.2).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "BenchFigures.h"
#include "ChildProcess.h"
#include "Handles.h"
#include "TestPaths.h"
#include "ViewerBenchSupport.h"
#include "ViewerHost.h"

using benchfigures::NowMs;
using viewerbench::PrivateBytes;
using viewerbench::SetSetting;
using viewertest::LauncherLogList;

namespace {

constexpr UINT kOpenSelected = 32776;
constexpr std::size_t kLineBytes = 64;

// A line of kLineBytes: its number and the time it was written.
std::string TimedLine(unsigned long number, double ms)
{
    char line[kLineBytes + 1];
    std::snprintf(line, sizeof line, "%08lu %16.3f GET /index.html HTTP/1.1 200 ...................", number, ms);
    line[kLineBytes - 1] = '\n';
    return std::string(line, kLineBytes);
}

// The writer: appends rate lines a second for seconds, one write each, through one handle.
int Write(const char* path, int rate, int seconds)
{
    CFileHandle file(::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 2;
    const double start = NowMs();
    for (unsigned long n = 0; n < static_cast<unsigned long>(rate) * seconds; ++n) {
        const double due = start + 1000.0 * n / rate;
        while (NowMs() < due)
            ::Sleep(NowMs() + 2 < due ? 1 : 0);
        const std::string line = TimedLine(n, NowMs());
        DWORD written = 0;
        ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    return 0;
}

bool MakeLog(const std::string& path, std::uint64_t bytes)
{
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::string block;
    while (block.size() < (1u << 20))
        block += TimedLine(99999999, 0);
    for (std::uint64_t done = 0; file && done < bytes; done += block.size()) {
        DWORD written = 0;
        const DWORD n = static_cast<DWORD>(std::min<std::uint64_t>(block.size(), bytes - done));
        if (!::WriteFile(file.Get(), block.data(), n, &written, nullptr) || written != n)
            return false;
    }
    return static_cast<bool>(file);
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

double ProcessorMs()
{
    FILETIME created, ended, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

// What the text view's stand-in window procedure records after each WM_PAINT it passed on.
struct PaintWatch {
    HWND view = nullptr;
    HWND frame = nullptr;
    bool readLines = false;  // read the painted lines' times (small logs only)
    std::string title;       // the frame's title that marks the log as loaded
    std::atomic<double> loadedPaint{-1};
    long lastLine = -1;   // the writer's number of the last line painted so far
    long lastIndex = -1;  // its line in the view
    std::vector<double> latencies;
    WNDPROC viewProc = nullptr;
};
PaintWatch* watch = nullptr;
std::size_t bytesBeforeRun = 0;  // private bytes as each viewer run began

std::string ViewLine(HWND view, long index)
{
    char text[kLineBytes + 8] = {};
    *reinterpret_cast<WORD*>(text) = sizeof text - 1;
    const LRESULT n = ::SendMessageA(view, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return std::string(text, static_cast<std::size_t>(std::max<LRESULT>(n, 0)));
}

LRESULT CALLBACK PaintedView(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::CallWindowProcA(watch->viewProc, wnd, message, wParam, lParam);
    if (message == WM_PAINT) {
        const double now = NowMs();
        char title[256] = {};
        ::GetWindowTextA(watch->frame, title, sizeof title);
        if (watch->loadedPaint < 0 && watch->title == title)
            watch->loadedPaint = now;
        if (watch->readLines) {
            // Lines from the one after the last painted before to the last complete one now:
            // their times of writing, in between taken as evenly spread.
            const long last = static_cast<long>(::SendMessageA(watch->view, EM_GETLINECOUNT, 0, 0)) - 2;
            unsigned long number = 0;
            double lastWritten = 0, firstWritten = 0;
            if (last >= 0 && std::sscanf(ViewLine(watch->view, last).c_str(), "%lu %lf", &number, &lastWritten) == 2 &&
                number != 99999999 && static_cast<long>(number) > watch->lastLine) {
                const long fresh = static_cast<long>(number) - watch->lastLine;
                unsigned long first = 0;
                std::sscanf(ViewLine(watch->view, last - fresh + 1).c_str(), "%lu %lf", &first, &firstWritten);
                for (long i = 0; i < fresh; ++i)
                    watch->latencies.push_back(
                        now - (firstWritten + (lastWritten - firstWritten) * i / std::max(1L, fresh - 1)));
                watch->lastLine = static_cast<long>(number);
            }
        }
    }
    return result;
}

struct FollowFigures {
    std::vector<double> latencies;
    double processorMs = 0;
    long lines = 0;
    std::size_t privateBytes = 0;
    double openMs = 0;
};

// Shows the log in the viewer; while it is shown, `during` runs on the user's thread.
FollowFigures ViewLog(const std::string& log, bool readLines, const std::function<void(HWND, FollowFigures&)>& during)
{
    LauncherLogList list;
    list.Add(log);
    viewertest::ViewerRun run;
    FollowFigures figures;
    PaintWatch paints;
    paints.readLines = readLines;
    paints.title = "Log Viewer - " + log.substr(log.find_last_of("\\/") + 1);
    bytesBeforeRun = PrivateBytes();
    run.Run(list.Get(), [&](HWND frame) {
        paints.frame = frame;
        paints.view = viewertest::TextViewOf(frame);
        watch = &paints;
        paints.viewProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(paints.view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintedView)));
        const auto items = viewertest::ReadTree(viewertest::TreeOf(frame));
        viewertest::SelectItem(viewertest::TreeOf(frame), items[0].handle);
        const double asked = NowMs();
        ::PostMessageA(frame, WM_COMMAND, kOpenSelected, 0);
        while (paints.loadedPaint < 0)
            ::Sleep(1);
        figures.openMs = paints.loadedPaint - asked;
        during(frame, figures);
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    watch = nullptr;
    figures.latencies = paints.latencies;
    figures.lines = paints.lastLine + 1;
    return figures;
}

// Follows the log while the writer process appends for the seconds.
FollowFigures FollowWriter(const std::string& self, const std::string& log, int seconds)
{
    return ViewLog(log, true, [&](HWND, FollowFigures& figures) {
        CChildProcess writer;
        const double before = ProcessorMs();
        writer.Start(self, "--write \"" + log + "\" 1000 " + std::to_string(seconds));
        writer.Wait(static_cast<DWORD>(seconds) * 1000 + 30000);
        ::Sleep(500);  // the last lines' turn
        figures.processorMs = ProcessorMs() - before;
    });
}

// The same lines seen by a bare poller: a thread asking the open file for its size ten times a second.
std::vector<double> PollerLatencies(const std::string& self, const std::string& log, int seconds)
{
    std::vector<double> latencies;
    CFileHandle file(::CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER seen{};
    ::GetFileSizeEx(file.Get(), &seen);
    CChildProcess writer;
    if (!writer.Start(self, "--write \"" + log + "\" 1000 " + std::to_string(seconds))) {
        std::printf("the writer did not start: %s\n", self.c_str());
        return latencies;
    }
    for (bool more = true; more;) {
        more = writer.IsRunning();
        ::Sleep(100);
        LARGE_INTEGER size{};
        ::GetFileSizeEx(file.Get(), &size);
        const double now = NowMs();
        for (LONGLONG at = seen.QuadPart; at + static_cast<LONGLONG>(kLineBytes) <= size.QuadPart; at += kLineBytes) {
            char line[kLineBytes];
            OVERLAPPED ov{};
            ov.Offset = static_cast<DWORD>(at);
            DWORD got = 0;
            unsigned long n = 0;
            double written = 0;
            if (::ReadFile(file.Get(), line, sizeof line, &got, &ov) &&
                std::sscanf(std::string(line, got).c_str(), "%lu %lf", &n, &written) == 2)
                latencies.push_back(now - written);
        }
        seen.QuadPart += (size.QuadPart - seen.QuadPart) / kLineBytes * kLineBytes;
    }
    return latencies;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--write") == 0)
        return Write(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    int seconds = 30, runs = 10;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[++i]));
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!viewertest::ViewerExport()) {
        std::printf("Brenlo.dll not found beside the build's bin folder\n");
        return 1;
    }
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string root = testpaths::MakeWorkDir("FollowBench");
    SetSetting("FollowEnd", 1);

    // Latency and the cost of an append, on a 1 MiB and a 100 MiB log.
    const std::string small = testpaths::Join(root, "small.log"), large = testpaths::Join(root, "large.log");
    MakeLog(small, 1u << 20);
    const std::vector<double> poller = PollerLatencies(self, small, seconds);
    MakeLog(small, 1u << 20);
    const FollowFigures smallRun = FollowWriter(self, small, seconds);
    MakeLog(large, 100u << 20);
    const FollowFigures largeRun = FollowWriter(self, large, seconds);
    std::printf("latency over %d s at 1000 lines/s: p50 %.1f ms, p99 %.1f ms (target p99 250 ms, %s); bare poller "
                "p50 %.1f ms, p99 %.1f ms\n",
                seconds, Percentile(smallRun.latencies, 0.5), Percentile(smallRun.latencies, 0.99),
                Percentile(smallRun.latencies, 0.99) <= 250 ? "met" : "MISSED", Percentile(poller, 0.5),
                Percentile(poller, 0.99));
    const double perSmall = 1000.0 * smallRun.processorMs / std::max(1L, smallRun.lines);
    const double perLarge = 1000.0 * largeRun.processorMs / std::max(1L, largeRun.lines);
    std::printf("processor time per appended line: %.1f us on a 1 MiB log (%ld lines), %.1f us on a 100 MiB log "
                "(%ld lines); ratio %.2f (target within 1.2, %s)\n",
                perSmall, smallRun.lines, perLarge, largeRun.lines, perLarge / perSmall,
                perLarge / perSmall <= 1.2 && perSmall / perLarge <= 1.2 ? "met" : "MISSED");

    // Memory: grown by 512 MiB while followed, against opened at 512 MiB.
    const std::string grown = testpaths::Join(root, "grown.log"), opened = testpaths::Join(root, "opened.log");
    MakeLog(opened, 512u << 20);
    auto measureAfterIndex = [](HWND frame, FollowFigures& figures) {
        ::SendMessageA(viewertest::TextViewOf(frame), EM_GETLINECOUNT, 0, 0);  // waits for every line
        figures.privateBytes = PrivateBytes() - bytesBeforeRun;
    };
    const std::size_t openedBytes = ViewLog(opened, false, measureAfterIndex).privateBytes;
    MakeLog(grown, 0);
    const std::size_t grownBytes =
        ViewLog(grown, false, [&](HWND frame, FollowFigures& figures) {
            CFileHandle file(::CreateFileA(grown.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
            std::string block;
            while (block.size() < (4u << 20))
                block += TimedLine(99999999, 0);
            for (int i = 0; i < 128; ++i) {
                DWORD written = 0;
                ::WriteFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
                ::Sleep(20);
            }
            ::Sleep(300);
            measureAfterIndex(frame, figures);
        }).privateBytes;
    // Following may well take less: the opening indexes from both ends at once.
    std::printf("private bytes taken by the viewer: followed while growing by 512 MiB %.1f MiB, opened at 512 MiB "
                "%.1f MiB; ratio %.3f (target at most 1.05, %s)\n",
                grownBytes / 1048576.0, openedBytes / 1048576.0, static_cast<double>(grownBytes) / openedBytes,
                static_cast<double>(grownBytes) / openedBytes <= 1.05 ? "met" : "MISSED");
    std::filesystem::remove(grown);
    std::filesystem::remove(opened);

    // Opening 1 GiB at its end against opening it at its start.
    const std::string huge = testpaths::Join(root, "huge.log");
    MakeLog(huge, 1u << 30);
    std::vector<double> atEnd, atStart;
    auto nothing = [](HWND, FollowFigures&) {};
    for (int r = 0; r < runs; ++r) {
        SetSetting("FollowEnd", 1);
        atEnd.push_back(ViewLog(huge, false, nothing).openMs);
        SetSetting("FollowEnd", 0);
        atStart.push_back(ViewLog(huge, false, nothing).openMs);
    }
    SetSetting("FollowEnd", 1);
    const double endP90 = Percentile(atEnd, 0.9), startP90 = Percentile(atStart, 0.9);
    std::printf("opening 1 GiB, p90 of %d: at its end while following %.1f ms, following off %.1f ms; ratio %.2f "
                "(target 1.2, %s)\n",
                runs, endP90, startP90, endP90 / startP90, endP90 <= 1.2 * startP90 ? "met" : "MISSED");
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
