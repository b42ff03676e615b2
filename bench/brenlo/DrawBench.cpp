// Measures what drawing the levels in their colours costs the log view, through DoViewLogs
// of the shipped Brenlo.dll, by hand (under Wine, from build/bench-bin):
//   DrawBench [--pages 200] [--runs 5] [--filter-mib 1024] [--smoke]
// For an error log and an access log (every level and status), it times painting the first
// screen and a Page Down with painting, with "Highlight levels" on and off in the same run,
// and prints the median of each and their ratio (target: on within 1.2 of off).
// Then it filters an error log of `--filter-mib` MiB as a user does (the filter bar, Enter)
// and prints, beside their targets, the time from Enter to the first match painted (the end
// of the view's first paint of the filter's rows, whose level's red is then looked for on the
// screen; target 100 ms) and the memory the filtered view adds to
// the opened log, per shown line (target 8 bytes): the text in 1% of lines, then hidden.
// With --smoke only a run that measures nothing fails, not a target missed.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BenchFigures.h"
#include "Gdi.h"
#include "Handles.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "ViewerBenchSupport.h"
#include "ViewerHost.h"

using benchfigures::Median;
using benchfigures::NowMs;
using viewerbench::PrivateBytes;
using viewerbench::SetSetting;
using viewertest::LauncherLogList;

namespace {

constexpr UINT kOpenSelected = 32776;
constexpr UINT kHighlightLevels = 32779;
constexpr UINT kViewFilter = 32778;
constexpr int kFilterBar = 0xE810;
constexpr int kFilterText = 1001;
constexpr int kHideMatching = 1003;
constexpr COLORREF kErrorColour = RGB(192, 0, 0);
constexpr char kFilterNeedle[] = "AH01276";

// 100,000 lines of a server's error log (each level in turn) or of its access log (each
// status class in turn), long enough to reach past the view's right edge.
std::string MakeLog(bool errorLog)
{
    static const char* const kLevels[] = {"core:error", "ssl:warn", "mpm_winnt:notice", "core:debug", "http:trace3"};
    static const int kStatus[] = {200, 304, 404, 500, 302};
    std::string text;
    char line[400];
    for (int i = 0; i < 100000; ++i) {
        if (errorLog)
            std::snprintf(line, sizeof line,
                          "[Sun Oct 11 10:%02d:%02d.%06d 2026] [%s] [pid 4242:tid %d] [client 192.168.1.%d:%d] "
                          "AH%05d: a message of the server about request %d, long enough to go past the edge\r\n",
                          i / 3600 % 60, i / 60 % 60, i, kLevels[i % 5], 500 + i % 7, i % 250, 50000 + i % 9999,
                          i % 3000, i);
        else
            std::snprintf(line, sizeof line,
                          "192.168.1.%d - - [11/Oct/2026:10:%02d:%02d +0200] \"GET /index%d.html HTTP/1.1\" %d %d "
                          "\"http://example.com/\" \"Mozilla/5.0 (Windows NT 10.0; Win64; x64)\"\r\n",
                          i % 250, i / 60 % 60, i % 60, i, kStatus[i % 5], 1000 + i % 5000);
        text += line;
    }
    return text;
}

struct DrawFigures {
    std::vector<double> firstScreen;
    std::vector<double> pageDown;
};

// The log opened in a viewer of its own, levels highlighted and following off; `measure` acts
// as the user on the frame and its text view.
void InViewer(const std::string& log,
              const std::function<void(viewertest::ViewerRun& run, HWND frame, HWND view)>& measure)
{
    SetSetting("HighlightLevels", 1);
    SetSetting("FollowEnd", 0);
    LauncherLogList list;
    list.Add(log);
    viewertest::ViewerRun run;
    run.Run(list.Get(), [&](HWND frame) {
        HWND view = viewertest::TextViewOf(frame);
        const auto items = viewertest::ReadTree(viewertest::TreeOf(frame));
        viewertest::SelectItem(viewertest::TreeOf(frame), items[0].handle);
        ::SendMessageA(frame, WM_COMMAND, kOpenSelected, 0);
        measure(run, frame, view);
    });
}

// One viewer over the log; the two ways take turns, page after page, so that whatever else
// the machine does falls on both alike: the first screen painted again `runs` times each,
// then `pages` Page Downs each painted at once.
void Measure(const std::string& log, int pages, int runs, DrawFigures& plain, DrawFigures& highlighted)
{
    InViewer(log, [&](viewertest::ViewerRun&, HWND frame, HWND view) {
        ::UpdateWindow(view);
        bool on = true;
        // The switch repaints the view; that paint is done before the timing starts.
        auto use = [&](bool highlight) {
            if (on != highlight)
                ::SendMessageA(frame, WM_COMMAND, kHighlightLevels, 0);
            on = highlight;
            ::UpdateWindow(view);
        };
        for (int i = 0; i < runs; ++i) {
            for (const bool highlight : {false, true}) {
                use(highlight);
                const double start = NowMs();
                ::InvalidateRect(view, nullptr, FALSE);
                ::UpdateWindow(view);
                (highlight ? highlighted : plain).firstScreen.push_back(NowMs() - start);
            }
        }
        for (int i = 0; i < pages; ++i) {
            for (const bool highlight : {false, true}) {
                use(highlight);
                const double start = NowMs();
                ::SendMessageA(view, WM_KEYDOWN, VK_NEXT, 0);
                ::UpdateWindow(view);
                (highlight ? highlighted : plain).pageDown.push_back(NowMs() - start);
            }
        }
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
}

// An error log of `mib` MiB whose only error lines, one in a hundred, hold kFilterNeedle; the
// first line is none of them, so the first line drawn in red is the filter's first match.
void WriteFilterLog(const std::string& path, long long mib)
{
    static const char* const kLevels[] = {"mpm_winnt:notice", "ssl:warn", "core:debug"};
    std::string block;
    char line[400];
    for (int i = 0; block.size() < (1u << 20) || i % 100 != 0; ++i) {
        const bool match = i % 100 == 99;
        std::snprintf(line, sizeof line,
                      "[Sun Oct 11 10:%02d:%02d.%06d 2026] [%s] [pid 4242:tid %d] [client 192.168.1.%d:%d] "
                      "%s: a message of the server about request %d\r\n",
                      i / 3600 % 60, i / 60 % 60, i, match ? "core:error" : kLevels[i % 3], 500 + i % 7, i % 250,
                      50000 + i % 9999, match ? kFilterNeedle : "AH00094", i);
        block += line;
    }
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (long long written = 0; file && written < (mib << 20); written += static_cast<long long>(block.size())) {
        DWORD done = 0;
        ::WriteFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &done, nullptr);
    }
}

struct FilterFigures {
    double firstPaintMs = -1;  // -1: never seen
    double addedBytes = 0;     // the process's private bytes beyond the opened log's
    long long shown = 0;
};

bool WaitFor(const std::function<bool()>& condition, double timeoutMs)
{
    // A millisecond between looks leaves the processor to the viewer.
    for (const double start = NowMs(); NowMs() - start < timeoutMs; ::Sleep(1))
        if (condition())
            return true;
    return false;
}

// Done when no progress box shows and the shown count has held for a while.
long long WaitForFilterEnd(HWND view)
{
    long long count = -1;
    double heldSince = NowMs();
    WaitFor(
        [&] {
            const long long now = ::SendMessageA(view, EM_GETLINECOUNT, 0, 0);
            if (now != count || ::FindWindowA("TessalyEditorProgress", nullptr)) {
                count = now;
                heldSince = NowMs();
            }
            ::Sleep(20);
            return NowMs() - heldSince > 500;
        },
        600000);
    return count;
}

// The view's paints, watched from inside its window procedure: the end of the first paint
// that shows the filter's rows (fewer lines than the whole log) is when the first matches are
// on screen. Watching the screen instead would grab it again and again, taking from the
// viewer the processor it paints with.
WNDPROC g_viewProc = nullptr;
LRESULT g_wholeLines = 0;
double g_filteredPaintEnd = -1;  // written on the viewer's thread, read once it has answered

LRESULT CALLBACK WatchPaints(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::CallWindowProcA(g_viewProc, wnd, msg, wParam, lParam);
    if (msg == WM_PAINT && g_filteredPaintEnd < 0) {
        const LRESULT lines = ::CallWindowProcA(g_viewProc, wnd, EM_GETLINECOUNT, 0, 0);
        if (lines >= 2 && lines < g_wholeLines)
            g_filteredPaintEnd = NowMs();
    }
    return result;
}

// Filters the log as a user does: the bar's text, then Enter (or the exclude box).
void MeasureFilter(const std::string& log, FilterFigures& matching, FilterFigures& hiding)
{
    InViewer(log, [&](viewertest::ViewerRun& run, HWND frame, HWND view) {
        g_wholeLines = ::SendMessageA(view, EM_GETLINECOUNT, 0, 0);  // waits for the log's whole index
        ::UpdateWindow(view);
        TEXTMETRICA metrics{};
        {
            CClientDC dc(view);
            CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(view, WM_GETFONT, 0, 0)));
            ::GetTextMetricsA(dc, &metrics);
        }
        ::SendMessageA(frame, WM_COMMAND, kViewFilter, 0);
        HWND text = ::GetDlgItem(::GetDlgItem(frame, kFilterBar), kFilterText);
        WaitFor(
            [&] {
                GUITHREADINFO info{};
                info.cbSize = sizeof info;
                return ::GetGUIThreadInfo(run.CallerThread(), &info) && info.hwndFocus == text;
            },
            5000);
        ::SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kFilterNeedle));
        const auto opened = static_cast<double>(PrivateBytes());
        g_filteredPaintEnd = -1;
        g_viewProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchPaints)));
        const double enter = NowMs();
        ::PostMessageA(text, WM_KEYDOWN, VK_RETURN, 0);
        matching.shown = WaitForFilterEnd(view);
        ::SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_viewProc));
        // What was painted first holds matches: the first screen of them shows their colour.
        ::SendMessageA(view, WM_VSCROLL, SB_TOP, 0);
        ::UpdateWindow(view);
        if (g_filteredPaintEnd >= 0 && FindColourOnScreen(view, kErrorColour, metrics.tmHeight).count > 0)
            matching.firstPaintMs = g_filteredPaintEnd - enter;
        matching.addedBytes = static_cast<double>(PrivateBytes()) - opened;
        ::SendMessageA(::GetDlgItem(::GetDlgItem(frame, kFilterBar), kHideMatching), BM_CLICK, 0, 0);
        hiding.shown = WaitForFilterEnd(view);
        hiding.addedBytes = static_cast<double>(PrivateBytes()) - opened;
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    int pages = 200, runs = 5;
    long long filterMib = 1024;
    const bool smoke = std::strcmp(argv[argc - 1], "--smoke") == 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--pages") == 0)
            pages = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--filter-mib") == 0)
            filterMib = std::max(1LL, std::atoll(argv[++i]));
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!viewertest::ViewerExport()) {
        std::printf("Brenlo.dll not found beside the build's bin folder\n");
        return 1;
    }
    const std::string root = testpaths::MakeWorkDir("DrawBench");
    bool met = true;
    for (const bool errorLog : {true, false}) {
        const std::string log = testpaths::Join(root, errorLog ? "error.log" : "access.log");
        testpaths::WriteTextFile(log, MakeLog(errorLog));
        DrawFigures off, on;
        Measure(log, pages, runs, off, on);
        const double firstRatio = Median(on.firstScreen) / Median(off.firstScreen);
        const double pageRatio = Median(on.pageDown) / Median(off.pageDown);
        const bool ok = firstRatio <= 1.2 && pageRatio <= 1.2;
        met = met && ok;
        std::printf("%s log: first screen %.2f ms highlighted, %.2f ms plain (ratio %.2f); Page Down %.2f ms "
                    "highlighted, %.2f ms plain (ratio %.2f); target within 1.2: %s\n",
                    errorLog ? "error" : "access", Median(on.firstScreen), Median(off.firstScreen), firstRatio,
                    Median(on.pageDown), Median(off.pageDown), pageRatio, ok ? "met" : "MISSED");
    }
    const std::string filterLog = testpaths::Join(root, "filter.log");
    WriteFilterLog(filterLog, filterMib);
    FilterFigures matching, hiding;
    MeasureFilter(filterLog, matching, hiding);
    ::DeleteFileA(filterLog.c_str());
    const bool painted = matching.firstPaintMs >= 0 && matching.firstPaintMs <= 100;
    // Per line, from the two filters' difference: what any filter costs once (its worker's
    // stack, the bar's buffers) falls out.
    const double perLine =
        (hiding.addedBytes - matching.addedBytes) / static_cast<double>(std::max(1LL, hiding.shown - matching.shown));
    const bool small = perLine <= 8;
    met = met && painted && small;
    std::printf("filter of a %lld MiB error log: first match painted %.1f ms after Enter (target within 100 ms): %s\n",
                filterMib, matching.firstPaintMs, painted ? "met" : "MISSED");
    std::printf("filtered view's memory beyond the opened log: %.0f KiB with %lld lines shown, %.0f KiB with %lld "
                "(hidden text): %.2f bytes per shown line (target within 8): %s\n",
                matching.addedBytes / 1024, matching.shown, hiding.addedBytes / 1024, hiding.shown, perLine,
                small ? "met" : "MISSED");
    SetSetting("HighlightLevels", 1);
    SetSetting("FollowEnd", 1);
    if (smoke)
        return matching.firstPaintMs >= 0 && matching.shown > 0 && hiding.shown > matching.shown ? 0 : 1;
    return met ? 0 : 2;
}
