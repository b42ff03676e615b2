#pragma once
// The exports the Launcher calls in Options.dll and Brenlo.dll: plain names, three 32-bit
// arguments, the C calling convention.

#include <windows.h>

#include "LauncherLists.h"

using DoOptionsProc = int(__cdecl*)(HWND launcherWindow, HWND* dialogOut, const HostList* hosts);
using DoViewLogsProc = int(__cdecl*)(HWND launcherWindow, HWND* frameWindowOut, const LogList* logs);

constexpr char kDoOptionsName[] = "DoOptions";
constexpr char kDoViewLogsName[] = "DoViewLogs";
