// Options.dll as the Launcher's tests see it: DoOptions writes down what it was handed
// (the host list through its 32-bit layout, whether the dialog variable is the Launcher's),
// tells the Launcher that hosts changed, shows a window as the dialog for as long as the
// test lets it, and returns IDOK.

#include <windows.h>

#include <cstdio>
#include <string>

#include "LauncherExports.h"
#include "LauncherLink.h"

namespace {

std::string Escaped(const GrowStringLayout& s)
{
    if (s.text == nullptr)
        return "(null)";
    std::string text(s.text, s.length > 0 ? static_cast<std::size_t>(s.length) : 0);
    const bool whole = s.length >= 0 && s.capacity > s.length && s.text[s.length] == '\0';
    return whole ? text : text + "(bad layout)";
}

void Record(const char* path, HWND launcher, HWND* dialogOut, const HostList* hosts)
{
    FILE* out = std::fopen(path, "ab");
    if (out == nullptr)
        return;
    std::fprintf(out, "launcher window: %s\n", ::IsWindow(launcher) ? "yes" : "no");
    std::fprintf(out, "dialog variable: %s\n", dialogOut != nullptr ? "yes" : "no");
    const int count = hosts != nullptr ? hosts->count : -1;
    std::fprintf(out, "hosts: %d\n", count);
    for (int i = 0; i < count; ++i) {
        const HostListEntry& e = hosts->entries[i];
        std::fprintf(out, "%s|%s|%s|%d|%d\n", Escaped(e.hostName).c_str(), Escaped(e.folder).c_str(),
                     Escaped(e.extra).c_str(), static_cast<int>(e.value1), static_cast<int>(e.value2));
    }
    std::fclose(out);
}

}  // namespace

extern "C" int __cdecl DoOptions(HWND launcherWindow, HWND* dialogOut, const HostList* hosts)
{
    char path[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("TESSALY_OPTIONS_PROBE_OUT", path, sizeof path) == 0)
        return -1;
    Record(path, launcherWindow, dialogOut, hosts);

    // The stand-in dialog: a plain top-level window that the test closes.
    HWND dialog = ::CreateWindowExA(0, "STATIC", "Options probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 100,
                                    nullptr, nullptr, nullptr, nullptr);
    if (dialogOut != nullptr)
        *dialogOut = dialog;
    ::PostMessageA(launcherWindow, WM_LAUNCHER_NOTIFY, LN_HOSTS_CHANGED, 0);
    MSG msg;
    while (::IsWindow(dialog) && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return IDOK;
}
