#pragma once
// The editor's own command identifiers (beside the framework's Edit commands).
#define ID_VQ_FIND_NEXT 45026
#define ID_VQ_SELECT_ALL 45034

#ifndef RC_INVOKED
#include <windows.h>

// Before it shows its context menu, an editor window sends this message to its own window
// with the menu in wParam: the program's view may append items for commands of its own,
// which the editor sends back to the window as WM_COMMAND when chosen.
inline UINT VQEditContextMenuMessage()
{
    static const UINT message = ::RegisterWindowMessageA("TessalyEditorContextMenu");
    return message;
}
#endif
