// The Launcher stand-in: one instance per user session, like the block it creates.

#include <windows.h>

#include "LauncherApp.h"
#include "LauncherIds.h"

#include <cstring>

// "/edit" presses "Edit configuration" once the window is up (used by tools/run.sh).
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    if (HWND running = ::FindWindowA(kMainClass, nullptr)) {
        ::SetForegroundWindow(running);
        return 0;
    }
    CLauncherApp app;
    if (!app.Create(instance, showCommand)) {
        ::MessageBoxA(nullptr, "The Launcher could not create its shared data or its windows.", kMainCaption,
                      MB_OK | MB_ICONERROR);
        return 1;
    }
    if (commandLine != nullptr && std::strstr(commandLine, "/edit") != nullptr)
        app.PressEditConfiguration();
    return app.Run();
}
