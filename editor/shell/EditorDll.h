#pragma once
// The library's own start: InitEditorDLL prepares the editor window class and reads the
// stored settings into m_Colors; calling it again reads them again.
#include <windows.h>

#include <string>

#include "EditorApi.h"

EDITORAPI void InitEditorDLL();

// The folder editor.dll was loaded from (the keyword script lies beside it).
std::string EditorModuleFolder();
// editor.dll's own module handle (window classes are registered for it).
HINSTANCE EditorModuleHandle();
