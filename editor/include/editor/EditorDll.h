#pragma once
// The library's own start: InitEditorDLL prepares the editor window class and reads the
// stored settings into m_Colors; calling it again reads them again.
#include <editor/EditorApi.h>

EDITORAPI void InitEditorDLL();
