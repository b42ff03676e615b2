// Measures how long the Options dialog takes to open, through DoOptions of the shipped
// Options.dll, against an empty dialog box of the same size in the same run:
//   OptionsOpenBench [--repeat 10]   (under Wine, from build/bench-bin)
// The host owns an active window, as the Launcher does, and both dialogs are modal boxes that
// it owns. Each is timed from the call until its modal loop first finds the queue empty with
// the dialog shown: every window painted, nothing left to do (the framework's loop then asks
// for idle work; the dialog manager's loop tells the owner it is idle). The baseline is the
// dialog box alone: no controls, no pages, no settings. Medians of the runs, after one
// warm-up each; the target for Options is 3 times the baseline.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Handles.h"
#include "LauncherExports.h"
#include "RegistrySandbox.h"
#include "TestPaths.h"

using Clock = std::chrono::steady_clock;

namespace {

constexpr UINT kKickIdle = 0x036A;  // the framework's idle message to a modal dialog
constexpr double kTargetRatio = 3.0;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The dialog being timed and the moment its loop first went idle with it shown.
HWND theDialog = nullptr;
Clock::time_point theIdleAt{};
HHOOK theHook = nullptr;

// Ends the timed dialog at its first idle moment once it shows.
bool NoteIdle(HWND dialog)
{
    if (!dialog || !::IsWindowVisible(dialog) || theIdleAt != Clock::time_point{})
        return false;
    theIdleAt = Clock::now();
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
}

LRESULT CALLBACK WatchKickIdle(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == kKickIdle && message->hwnd == theDialog)
        NoteIdle(theDialog);
    return ::CallNextHookEx(theHook, code, wParam, lParam);
}

// The host's window, owner of both dialogs; told by the dialog manager when its loop is idle.
LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX)
        NoteIdle(reinterpret_cast<HWND>(lParam));
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

double OpenOptions(DoOptionsProc doOptions)
{
    theDialog = nullptr;
    theIdleAt = {};
    theHook = ::SetWindowsHookExA(WH_CALLWNDPROC, WatchKickIdle, nullptr, ::GetCurrentThreadId());
    const Clock::time_point start = Clock::now();
    doOptions(nullptr, &theDialog, nullptr);
    ::UnhookWindowsHookEx(theHook);
    return theIdleAt == Clock::time_point{} ? -1.0 : Ms(theIdleAt - start);
}

// A dialog box template of the Options dialog's style, size, caption and font, without
// controls.
std::vector<WORD> EmptyTemplate()
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* head = reinterpret_cast<DLGTEMPLATE*>(words.data());
    head->style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    head->cx = 406;
    head->cy = 260;
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    for (const char* c = "Options"; *c; ++c)
        words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    words.push_back(8);
    for (const char* c = "MS Sans Serif"; *c; ++c)
        words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    return words;
}

INT_PTR CALLBACK EmptyProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        ::EndDialog(dialog, IDCANCEL);
    return msg == WM_INITDIALOG;
}

double OpenEmpty(HWND host, const std::vector<WORD>& dialogTemplate)
{
    theIdleAt = {};
    const Clock::time_point start = Clock::now();
    ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                              host, EmptyProc, 0);
    return theIdleAt == Clock::time_point{} ? -1.0 : Ms(theIdleAt - start);
}

HWND CreateHostWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OptionsOpenBenchHost";
    ::RegisterClassA(&windowClass);
    HWND host = ::CreateWindowExA(0, windowClass.lpszClassName, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                  200, nullptr, nullptr, windowClass.hInstance, nullptr);
    ::SetForegroundWindow(host);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    return host;
}

}  // namespace

int main(int argc, char** argv)
{
    int repeat = 10;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--repeat") == 0)
            repeat = std::max(1, std::atoi(argv[i + 1]));
    }
    CRegistrySandbox sandbox;  // the defaults, as on a first run
    CModule library(::LoadLibraryExA(testpaths::Join(testpaths::BinDir(), "Options.dll").c_str(), nullptr,
                                     LOAD_WITH_ALTERED_SEARCH_PATH));
    auto doOptions =
        library
            ? reinterpret_cast<DoOptionsProc>(reinterpret_cast<void*>(::GetProcAddress(library.Get(), kDoOptionsName)))
            : nullptr;
    if (!doOptions) {
        std::printf("Options.dll not found beside %s\n", testpaths::BinDir().c_str());
        return 1;
    }
    const HWND host = CreateHostWindow();
    const std::vector<WORD> emptyTemplate = EmptyTemplate();

    OpenOptions(doOptions);  // warm-up: first loads, classes, fonts
    OpenEmpty(host, emptyTemplate);
    std::vector<double> options, empty;
    for (int i = 0; i < repeat; ++i) {
        options.push_back(OpenOptions(doOptions));
        empty.push_back(OpenEmpty(host, emptyTemplate));
    }
    ::DestroyWindow(host);
    const double optionsMs = Median(options);
    const double emptyMs = Median(empty);
    const double ratio = emptyMs > 0 ? optionsMs / emptyMs : 0.0;
    std::printf("Options dialog, from DoOptions until shown and idle: %.1f ms\n", optionsMs);
    std::printf("empty dialog box of the same size, shown the same way: %.1f ms\n", emptyMs);
    std::printf("ratio: %.2f (target %.1f: %s)\n", ratio, kTargetRatio,
                optionsMs > 0 && emptyMs > 0 && ratio <= kTargetRatio ? "met" : "missed");
    return 0;
}
