#pragma once
// Exceptions on 32-bit MinGW are unwound from tables that each module registers with its
// own copy of the runtime, so a handler in a program that throws through framework code in
// editor.dll would end the process instead of reaching the window procedure's guard. Each
// module therefore registers its tables with editor.dll's runtime, and editor.dll's with its
// own, when it starts.

#include <windows.h>

#include "FwApi.h"

// The start of the unwind tables of a loaded module, or null.
FWAPI const void* AfxFindUnwindTables(HMODULE module);
// Registers a module's tables with editor.dll's runtime; false when it cannot.
FWAPI bool AfxShareUnwindTables(const void* tables);
FWAPI void AfxUnshareUnwindTables(const void* tables);
