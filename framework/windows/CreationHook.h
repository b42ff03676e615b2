#pragma once
// Inside editor.dll only: while one of these lives, the next window created on this thread
// is attached to `wnd` (and subclassed) before it receives its first message.

#include <windows.h>

class CWnd;

class CCreationHook {
public:
    explicit CCreationHook(CWnd* wnd);
    ~CCreationHook();
    CCreationHook(const CCreationHook&) = delete;
    CCreationHook& operator=(const CCreationHook&) = delete;
};

// Creates a dialog from a template with `wnd` attached to it from its first message.
HWND AfxCreateDialog(CWnd* wnd, HINSTANCE resources, const DLGTEMPLATE* dialogTemplate, HWND parent, DLGPROC proc);
