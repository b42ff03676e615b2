// The mouse: click places the caret, Shift+click and dragging extend the selection, a
// double click selects a word.
#include <windowsx.h>

#include "EditorWindow.h"

namespace tessaly::editor {

void EditorWindow::OnLButtonDown(LPARAM lParam, WPARAM flags) {
    if (::GetFocus() != wnd_) ::SetFocus(wnd_);
    const Pos pos = PositionFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const bool extend = (flags & MK_SHIFT) != 0;
    // A press inside the selection may start dragging it.
    if (!extend && session_.HasSelection() && pos >= session_.SelStart() && pos < session_.SelEnd()) {
        BeginDragCandidate(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return;
    }
    DoMove([&] { session_.MoveTo(pos, extend); });
    selecting_ = true;
    ::SetCapture(wnd_);
}

void EditorWindow::OnLButtonDblClk(LPARAM lParam) {
    const Pos pos = PositionFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    DoMove([&] { session_.SelectWordAt(pos); });
}

void EditorWindow::OnMouseMove(LPARAM lParam, WPARAM flags) {
    if (dragPending_) {
        OnDragMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (flags & MK_CONTROL) != 0);
        return;
    }
    if (!selecting_ || !(flags & MK_LBUTTON)) return;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    RECT rc{};
    ::GetClientRect(wnd_, &rc);
    // Dragging past an edge scrolls that way.
    if (y < 0) ScrollLines(-1);
    else if (y >= rc.bottom) ScrollLines(1);
    const int row = y < 0 ? 0 : (y >= rc.bottom ? std::max(0, LinesPerPage() - 1) * lineHeight_ : y);
    const Pos pos = PositionFromPoint(x, row);
    DoMove([&] { session_.MoveTo(pos, true); });
}

void EditorWindow::OnLButtonUp(LPARAM lParam, WPARAM flags) {
    if (dragPending_) {
        EndDrag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (flags & MK_CONTROL) != 0);
        return;
    }
    if (!selecting_) return;
    selecting_ = false;
    if (::GetCapture() == wnd_) ::ReleaseCapture();
}

}  // namespace tessaly::editor
