// Measures the viewer's own tree fill, through DoViewLogs of the shipped Brenlo.dll, against
// a bare tree view filled with as many items in the same run:
//   ViewerFillBench [--repeat 5]
// Lists of 1,000, 10,000 and 30,000 real small log files in groups of 100 (a tenth of them
// missing, a few listed twice). For each list it prints
//   - open: from the call of DoViewLogs until the window is painted (frame, bars, both
//     views, the fill, and every part of the window without anything left to paint), with
//     the same figure for an empty list beside it;
//   - refill: the "Show log size" command, which empties the tree and fills it again with
//     sizes (timed as a message sent to the frame from another thread);
//   - baseline: from the creation of a window with a bare tree view of the same styles until
//     it is painted; the tree is given the same labels in list order at the end of their
//     parents, redraw off, with no file queries, no sorting and no lookups beyond one map of
//     the groups.
// The ratios are the viewer's time over the baseline's, the fastest of the repeats each; the
// target for 30,000 logs is an opening within twice the baseline.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "BenchFigures.h"
#include "Handles.h"
#include "TestPaths.h"
#include "ViewerHost.h"

using Clock = std::chrono::steady_clock;
using benchfigures::Ms;
using viewertest::LauncherLogList;

namespace {

constexpr UINT kShowLogSize = 32775;

struct BenchLog {
    std::string path;
    std::string group;
    std::string name;
};

// The Launcher's list: every group is a virtual host with 100 logs; a few are listed twice,
// a tenth are missing.
std::vector<BenchLog> MakeLogs(const std::string& root, int count)
{
    std::vector<BenchLog> logs;
    for (int i = 0; i < count; ++i) {
        const int listed = (i % 97 == 0 && i > 0) ? i - 1 : i;
        const std::string group = "www.host" + std::to_string(i / 100) + ".test";
        const std::string name = (listed % 2 ? "access-" : "Error-") + std::to_string(listed % 100) + ".log";
        logs.push_back(BenchLog{root + "/" + group + "/" + name, i % 100 == 7 ? std::string() : group, name});
    }
    return logs;
}

bool WriteLogs(const std::vector<BenchLog>& logs)
{
    for (std::size_t i = 0; i < logs.size(); ++i) {
        std::string path = logs[i].path;
        std::replace(path.begin(), path.end(), '/', '\\');
        ::CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
        if (i % 10 == 3)
            continue;
        CFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (!file)
            return false;
        const std::string text(i % 3000, 'x');
        DWORD written = 0;
        if (!::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
            return false;
    }
    return true;
}

BOOL CALLBACK StopAtUnpainted(HWND child, LPARAM painted)
{
    if (!::GetUpdateRect(child, nullptr, FALSE))
        return TRUE;
    *reinterpret_cast<bool*>(painted) = false;
    return FALSE;
}

// True when no part of the window or of its descendants waits to be painted (from any thread).
bool Painted(HWND top)
{
    if (::GetUpdateRect(top, nullptr, FALSE))
        return false;
    bool painted = true;
    ::EnumChildWindows(top, StopAtUnpainted, reinterpret_cast<LPARAM>(&painted));
    return painted;
}

// Waits until the window's thread has taken what was sent to it and nothing is left to paint.
void WaitUntilPainted(HWND top)
{
    for (;;) {
        ::SendMessageA(top, WM_NULL, 0, 0);
        if (Painted(top) || !::IsWindow(top))
            return;
        ::Sleep(1);
    }
}

// The bare tree: the same window class and styles as the viewer's pane, in a window of its
// own, from the window's creation until it is painted.
double FillBareTree(const std::vector<BenchLog>& logs, int count)
{
    const auto start = Clock::now();
    HWND owner = ::CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 300, 600, nullptr, nullptr, nullptr,
                                   nullptr);
    HWND tree = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                      TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS | TVS_SINGLEEXPAND,
                                  0, 0, 300, 600, owner, nullptr, nullptr, nullptr);
    ::SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    std::map<std::string, HTREEITEM> groups;
    auto insert = [tree](const std::string& text, HTREEITEM parent, int image, LPARAM data) {
        TVINSERTSTRUCTA item{};
        item.hParent = parent;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        item.item.pszText = const_cast<char*>(text.c_str());
        item.item.iImage = image;
        item.item.iSelectedImage = image;
        item.item.lParam = data;
        return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    };
    for (int i = 0; i < count; ++i) {
        HTREEITEM parent = TVI_ROOT;
        if (!logs[i].group.empty()) {
            HTREEITEM& group = groups[logs[i].group];
            if (!group)
                group = insert(logs[i].group, TVI_ROOT, 2, 0x8000);
            parent = group;
        }
        insert(logs[i].name, parent, 6, i);
    }
    ::SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(tree, nullptr, TRUE);
    ::ShowWindow(owner, SW_SHOWNORMAL);
    ::UpdateWindow(owner);
    WaitUntilPainted(owner);
    const double ms = Ms(Clock::now() - start);
    ::DestroyWindow(owner);
    return ms;
}

struct ViewerTimes {
    double open = 0;
    double refill = 0;
    int items = 0;
};

// One call of DoViewLogs: the time until the window is painted, then one timed refill.
ViewerTimes RunViewer(const LogList* list)
{
    ViewerTimes times;
    viewertest::ViewerRun run;
    Clock::time_point painted{};
    DoViewLogsProc doViewLogs = viewertest::ViewerExport();
    HWND frameVariable = nullptr;
    std::thread user([&] {
        const volatile HWND* watched = &frameVariable;
        const auto giveUp = Clock::now() + std::chrono::seconds(60);
        HWND frame = nullptr;
        while (!(frame = *watched) && Clock::now() < giveUp)
            ::Sleep(1);
        if (!frame)
            return;
        WaitUntilPainted(frame);
        painted = Clock::now();
        HWND tree = viewertest::TreeOf(frame);
        const auto start = Clock::now();
        ::SendMessageA(frame, WM_COMMAND, kShowLogSize, 0);
        times.refill = Ms(Clock::now() - start);
        times.items = static_cast<int>(::SendMessageA(tree, TVM_GETCOUNT, 0, 0));
        ::SendMessageA(frame, WM_COMMAND, kShowLogSize, 0);  // back to names only
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    const auto start = Clock::now();
    doViewLogs(run.Launcher(), &frameVariable, list);
    user.join();
    times.open = Ms(painted - start);
    return times;
}

}  // namespace

int main(int argc, char** argv)
{
    int repeat = 5;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!viewertest::ViewerExport()) {
        std::printf("Brenlo.dll not found beside the build's bin folder\n");
        return 1;
    }
    // The show-sizes setting is the user's; start from names only and leave it so.
    CRegKey settings;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quorlane\\Tessaly\\Settings", 0, nullptr, 0, KEY_WRITE, nullptr,
                      settings.Receive(), nullptr);
    const DWORD off = 0;
    ::RegSetValueExA(settings.Get(), "ShowSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);

    const std::string root = testpaths::MakeWorkDir("ViewerFillBench");
    const std::vector<BenchLog> logs = MakeLogs(root, 30000);
    std::printf("writing %zu small logs below %s ...\n", logs.size(), root.c_str());
    if (!WriteLogs(logs)) {
        std::printf("could not write the logs\n");
        return 1;
    }

    LauncherLogList empty;
    double emptyOpen = 1e300;
    for (int r = 0; r < repeat; ++r)
        emptyOpen = std::min(emptyOpen, RunViewer(empty.Get()).open);
    std::printf("empty list: open %.1f ms\n", emptyOpen);

    for (int count : {1000, 10000, 30000}) {
        LauncherLogList list;
        for (int i = 0; i < count; ++i)
            list.Add(logs[i].path, logs[i].group);
        ViewerTimes best{1e300, 1e300, 0};
        double bare = 1e300;
        for (int r = 0; r < repeat; ++r) {
            const ViewerTimes times = RunViewer(list.Get());
            best.open = std::min(best.open, times.open);
            best.refill = std::min(best.refill, times.refill);
            best.items = times.items;
            bare = std::min(bare, FillBareTree(logs, count));
        }
        std::printf("%6d logs (%5d items): open %7.1f ms (%.1f over the empty list)   refill %7.1f ms   "
                    "bare tree %6.1f ms   refill/bare %5.2f   open/bare %5.2f\n",
                    count, best.items, best.open, best.open - emptyOpen, best.refill, bare, best.refill / bare,
                    best.open / bare);
        if (count == 30000) {
            std::printf("30000 logs: target open/bare 2.00, %s; open within 1000 ms %s, refill %s\n",
                        best.open <= 2 * bare ? "met" : "MISSED", best.open <= 1000 ? "met" : "MISSED",
                        best.refill <= 1000 ? "met" : "MISSED");
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
