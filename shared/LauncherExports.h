#pragma once
// The exports the Launcher calls in Options.dll and Brenlo.dll: plain undecorated names
// (from each library's .def file), three 32-bit arguments, the C calling convention.
// The libraries define them; the Launcher finds them with GetProcAddress.

#include <windows.h>

#include "LauncherLists.h"

extern "C" {
// The modal result of the options dialog: IDOK, IDCANCEL, or -1 when it cannot be made.
int __cdecl DoOptions(HWND launcherWindow, HWND* dialogOut, const HostList* hosts);
// Shows the log viewer until it is closed; always 1.
int __cdecl DoViewLogs(HWND launcherWindow, HWND* frameWindowOut, const LogList* logs);
}

using DoOptionsProc = decltype(&DoOptions);
using DoViewLogsProc = decltype(&DoViewLogs);

constexpr char kDoOptionsName[] = "DoOptions";
constexpr char kDoViewLogsName[] = "DoViewLogs";
