#pragma once
// The question an editor window asks its own window object before it sets or reads a scroll
// bar: wParam is SB_VERT or SB_HORZ, the answer the scroll bar control to use instead of the
// window's own bar (a pane of a splitter shares its row's and its column's), or 0.
#include <windows.h>

namespace tessaly::editor {

inline UINT SharedScrollBarMessage()
{
    static const UINT message = ::RegisterWindowMessageA("TessalyEditorSharedScrollBar");
    return message;
}

}  // namespace tessaly::editor
