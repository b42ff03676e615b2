// Measures what drawing the levels in their colours costs the log view, through DoViewLogs
// of the shipped Brenlo.dll, by hand (under Wine, from build/bench-bin):
//   DrawBench [--pages 200] [--runs 5]
// For an error log and an access log (every level and status), it times painting the first
// screen and a Page Down with painting, with "Highlight levels" on and off in the same run,
// and prints the median of each and their ratio (target: on within 1.2 of off).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Handles.h"
#include "TestPaths.h"
#include "ViewerHost.h"

using viewertest::LauncherLogList;

namespace {

constexpr UINT kOpenSelected = 32776;
constexpr UINT kHighlightLevels = 32779;

double NowMs()
{
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void SetSetting(const char* name, DWORD value)
{
    CRegKey settings;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quorlane\\Tessaly\\Settings", 0, nullptr, 0, KEY_WRITE, nullptr,
                      settings.Receive(), nullptr);
    ::RegSetValueExA(settings.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

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

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct DrawFigures {
    std::vector<double> firstScreen;
    std::vector<double> pageDown;
};

// One viewer over the log; the two ways take turns, page after page, so that whatever else
// the machine does falls on both alike: the first screen painted again `runs` times each,
// then `pages` Page Downs each painted at once.
void Measure(const std::string& log, int pages, int runs, DrawFigures& plain, DrawFigures& highlighted)
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

}  // namespace

int main(int argc, char** argv)
{
    int pages = 200, runs = 5;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--pages") == 0)
            pages = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[++i]));
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
    SetSetting("HighlightLevels", 1);
    SetSetting("FollowEnd", 1);
    return met ? 0 : 2;
}
