// The mouse: click places the caret, Shift+click and dragging extend the selection, a
// double click selects a word.
#include <windowsx.h>

#include "EditorWindow.h"

namespace tessaly::editor {

void EditorWindow::OnLButtonDown(LPARAM lParam, WPARAM flags)
{
    if (::GetFocus() != m_wnd)
        ::SetFocus(m_wnd);
    const Pos pos = PositionFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const bool extend = (flags & MK_SHIFT) != 0;
    // A press inside the selection may start dragging it.
    if (!extend && m_session.HasSelection() && pos >= m_session.SelStart() && pos < m_session.SelEnd()) {
        BeginDragCandidate(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return;
    }
    DoMove([&] { m_session.MoveTo(pos, extend); });
    m_selecting = true;
    ::SetCapture(m_wnd);
}

void EditorWindow::OnLButtonDblClk(LPARAM lParam)
{
    const Pos pos = PositionFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    DoMove([&] { m_session.SelectWordAt(pos); });
}

void EditorWindow::OnMouseMove(LPARAM lParam, WPARAM flags)
{
    if (m_dragPending) {
        OnDragMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (flags & MK_CONTROL) != 0);
        return;
    }
    if (!m_selecting || !(flags & MK_LBUTTON))
        return;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    RECT rc{};
    ::GetClientRect(m_wnd, &rc);
    // Dragging past an edge scrolls that way.
    if (y < 0)
        ScrollLines(-1);
    else if (y >= rc.bottom)
        ScrollLines(1);
    const int row = y < 0 ? 0 : (y >= rc.bottom ? std::max(0, LinesPerPage() - 1) * m_lineHeight : y);
    const Pos pos = PositionFromPoint(x, row);
    DoMove([&] { m_session.MoveTo(pos, true); });
}

void EditorWindow::OnLButtonUp(LPARAM lParam, WPARAM flags)
{
    if (m_dragPending) {
        EndDrag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (flags & MK_CONTROL) != 0);
        return;
    }
    if (!m_selecting)
        return;
    m_selecting = false;
    if (::GetCapture() == m_wnd)
        ::ReleaseCapture();
}

}  // namespace tessaly::editor
