// Measures how long the Options dialog takes to open, through DoOptions of the shipped
// Options.dll, against a bare dialog of the same template in the same run:
//   OptionsOpenBench [--repeat 10]   (under Wine, from build/bench-bin)
// Both are timed from the call until the thread's queue is empty with the dialog shown:
// every window painted, nothing left to do (the framework's loop then asks for idle work;
// the bare dialog's own loop finds no message). The Options dialog creates only its General
// page, so its figure is the frame, the tree, the page and their loading; the baseline is the
// same template with an empty tree, no pages and no settings. Medians of the runs, after one
// warm-up each; the target for the Options dialog is 100 ms.
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
constexpr int kOptionsTemplate = 130;
constexpr double kTargetMs = 100.0;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The run that waits for its dialog's first idle moment.
HWND theDialog = nullptr;
Clock::time_point theIdleAt{};
HHOOK theHook = nullptr;

LRESULT CALLBACK WatchIdle(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == kKickIdle && theDialog && message->hwnd == theDialog &&
        ::IsWindowVisible(theDialog) && theIdleAt == Clock::time_point{}) {
        theIdleAt = Clock::now();
        ::PostMessageA(theDialog, WM_COMMAND, IDCANCEL, 0);
    }
    return ::CallNextHookEx(theHook, code, wParam, lParam);
}

double OpenOptions(DoOptionsProc doOptions)
{
    theDialog = nullptr;
    theIdleAt = {};
    theHook = ::SetWindowsHookExA(WH_CALLWNDPROC, WatchIdle, nullptr, ::GetCurrentThreadId());
    const Clock::time_point start = Clock::now();
    doOptions(nullptr, &theDialog, nullptr);
    ::UnhookWindowsHookEx(theHook);
    return theIdleAt == Clock::time_point{} ? -1.0 : Ms(theIdleAt - start);
}

INT_PTR CALLBACK BareProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

double OpenBare(HMODULE library)
{
    const Clock::time_point start = Clock::now();
    HRSRC found = ::FindResourceA(library, MAKEINTRESOURCEA(kOptionsTemplate), MAKEINTRESOURCEA(5));
    auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(library, found)));
    HWND dialog = ::CreateDialogIndirectParamA(library, dialogTemplate, nullptr, BareProc, 0);
    if (!dialog)
        return -1.0;
    ::ShowWindow(dialog, SW_SHOWNORMAL);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    const double ms = Ms(Clock::now() - start);
    ::DestroyWindow(dialog);
    return ms;
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
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CModule library(::LoadLibraryExA(testpaths::Join(testpaths::BinDir(), "Options.dll").c_str(), nullptr,
                                     LOAD_WITH_ALTERED_SEARCH_PATH));
    auto doOptions = library ? reinterpret_cast<DoOptionsProc>(
                                   reinterpret_cast<void*>(::GetProcAddress(library.Get(), kDoOptionsName)))
                             : nullptr;
    if (!doOptions) {
        std::printf("Options.dll not found beside %s\n", testpaths::BinDir().c_str());
        return 1;
    }

    OpenOptions(doOptions);  // warm-up: first loads, classes, fonts
    OpenBare(library.Get());
    std::vector<double> options, bare;
    for (int i = 0; i < repeat; ++i) {
        options.push_back(OpenOptions(doOptions));
        bare.push_back(OpenBare(library.Get()));
    }
    const double optionsMs = Median(options);
    const double bareMs = Median(bare);
    std::printf("open until General is painted: %.1f ms (target %.0f ms: %s)\n", optionsMs, kTargetMs,
                optionsMs >= 0 && optionsMs <= kTargetMs ? "met" : "missed");
    std::printf("bare dialog of the same template: %.1f ms\n", bareMs);
    std::printf("ratio: %.2f\n", bareMs > 0 ? optionsMs / bareMs : 0.0);
    return 0;
}
