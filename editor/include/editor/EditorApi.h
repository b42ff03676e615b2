#pragma once
// What editor.dll exports: its sources are built with FW_BUILDING_EDITOR_DLL, like the
// framework's, since both live in that one library.
#ifdef FW_BUILDING_EDITOR_DLL
#define EDITORAPI __declspec(dllexport)
#else
#define EDITORAPI __declspec(dllimport)
#endif
