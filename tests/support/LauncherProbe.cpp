// The far side of the fake Launcher in tests: a separate process that opens the block and
// talks to the Launcher's window as Scrivel does, or shows a small window to be driven.
//   LauncherProbe send CODE EDITOR   sets hEditorWnd, sends CODE, exits with the result
//   LauncherProbe post CODE          posts CODE, exits 0
//   LauncherProbe expect-text TEXT   exits 0 when szText equals TEXT, else 1
//   LauncherProbe window             shows "Probe" with a button; exits 7 when it is pressed
// Exit code 2: the block is missing.

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "SharedData.h"

namespace {

constexpr int kButtonId = 100;
constexpr int kEditId = 101;

LRESULT CALLBACK ProbeWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_CREATE:
            ::CreateWindowExA(0, "BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 100, 30, wnd,
                              reinterpret_cast<HMENU>(kButtonId), nullptr, nullptr);
            ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 50, 200, 24,
                              wnd, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED)
                ::PostQuitMessage(7);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(wnd, message, wParam, lParam);
    }
}

int RunWindow()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeWindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "TessalyProbe";
    ::RegisterClassA(&wc);
    HWND wnd = ::CreateWindowExA(0, wc.lpszClassName, "Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 260, 140,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    if (!wnd)
        return 3;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 64;
    const std::string command = argv[1];
    if (command == "window")
        return RunWindow();

    CSharedData block;
    if (!block.Open())
        return 2;
    if (command == "send" && argc >= 4) {
        block.SetEditorWnd(reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(argv[3], nullptr, 0))));
        return static_cast<int>(
            ::SendMessageA(block.GetLauncherWnd(), WM_LAUNCHER_NOTIFY, std::strtoul(argv[2], nullptr, 0), 0));
    }
    if (command == "post" && argc >= 3)
        return ::PostMessageA(block.GetLauncherWnd(), WM_LAUNCHER_NOTIFY, std::strtoul(argv[2], nullptr, 0), 0) ? 0 : 1;
    if (command == "expect-text" && argc >= 3)
        return block.GetText() == argv[2] ? 0 : 1;
    return 64;
}
