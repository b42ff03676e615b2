#pragma once
// COleDragDrop: the process's readiness for dragging text between windows. The global
// cOleDragDrop is initialised once by the program before its first editor window.
#include <windows.h>

#include <editor/EditorApi.h>

class EDITORAPI COleDragDrop {
public:
    COleDragDrop() = default;
    ~COleDragDrop();
    COleDragDrop(const COleDragDrop&) = delete;
    COleDragDrop& operator=(const COleDragDrop&) = delete;

    // Initialises OLE on the calling thread; repeated calls are harmless. TRUE on success.
    BOOL Init();
    BOOL IsReady() const { return m_bInitialised; }

private:
    BOOL m_bInitialised = FALSE;
};

extern EDITORAPI COleDragDrop cOleDragDrop;
