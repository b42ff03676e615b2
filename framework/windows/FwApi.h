#pragma once
// The framework's classes and functions live once per process in editor.dll; every module
// (Scrivel.exe, Options.dll, Brenlo.dll, test programs) imports them from there.

#ifdef FW_BUILDING_EDITOR_DLL
#define FWAPI __declspec(dllexport)
#else
#define FWAPI __declspec(dllimport)
#endif
