// Waits until the Launcher's block names a visible editor frame and the editor waits for
// input (its first screen is painted), so that a screenshot shows what a user sees.
//   WaitForEditor [SECONDS]      (default 120)
// Exit code 0: the editor is up; 1: not within the time.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "Handles.h"
#include "SharedData.h"

namespace {

HWND VisibleEditorFrame()
{
    CSharedData block;
    if (!block.Open())
        return nullptr;
    HWND frame = block.GetEditorWnd();
    // The frame's own style: IsWindowVisible says no for a window on another desktop (the
    // virtual desktop of tools/run.sh).
    return frame && (::GetWindowLongA(frame, GWL_STYLE) & WS_VISIBLE) ? frame : nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    const DWORD timeoutMs = (argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 120) * 1000;
    const DWORD start = ::GetTickCount();
    auto left = [&] {
        const DWORD spent = ::GetTickCount() - start;
        return spent < timeoutMs ? timeoutMs - spent : 0;
    };
    HWND frame = nullptr;
    while (!(frame = VisibleEditorFrame())) {
        if (left() == 0) {
            std::fprintf(stderr, "WaitForEditor: no visible editor frame in the Launcher's block\n");
            return 1;
        }
        ::Sleep(100);
    }
    DWORD processId = 0;
    ::GetWindowThreadProcessId(frame, &processId);
    CKernelHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    const DWORD idle = process ? ::WaitForInputIdle(process.Get(), left()) : WAIT_FAILED;
    if (idle != 0) {
        std::fprintf(stderr, "WaitForEditor: the editor did not wait for input (%lu, error %lu)\n", idle,
                     ::GetLastError());
        return 1;
    }
    return 0;
}
