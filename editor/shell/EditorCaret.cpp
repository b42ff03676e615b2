// The caret: drawn by the editor itself as part of its line, so moving it costs no more
// than repainting that line. A hidden system caret follows it for tools that track carets.
#include "EditorWindow.h"

namespace tessaly::editor {

void EditorWindow::OnSetFocus()
{
    m_hasFocus = true;
    ::CreateCaret(m_wnd, nullptr, 2, m_lineHeight);
    m_caretPoint = {-1, -1};
    UpdateCaret();
}

void EditorWindow::OnKillFocus()
{
    m_hasFocus = false;
    ::KillTimer(m_wnd, kCaretTimer);
    ::DestroyCaret();
    // Only the window being typed in keeps its off-screen picture between paints.
    m_offscreen.Release();
    InvalidateCaret();
    // The selection shows in its unfocused colours.
    if (m_session.HasSelection())
        InvalidateBetween(m_session.SelStart(), m_session.SelEnd());
}

void EditorWindow::InvalidateCaret()
{
    if (!m_wnd || m_caretPoint.y < 0)
        return;
    const int width = m_session.Overwrite() ? m_charWidth : 2;
    RECT cell{m_caretPoint.x - 1, m_caretPoint.y, m_caretPoint.x + width + 1, m_caretPoint.y + m_lineHeight};
    ::InvalidateRect(m_wnd, &cell, FALSE);
}

void EditorWindow::UpdateCaret()
{
    if (!m_wnd)
        return;
    const POINT pt = PointOfPosition(m_session.Caret());
    if (pt.x != m_caretPoint.x || pt.y != m_caretPoint.y) {
        InvalidateCaret();
        m_caretPoint = pt;
        InvalidateCaret();
        if (m_hasFocus)
            ::SetCaretPos(pt.x, pt.y);
    } else if (!m_caretOn) {
        InvalidateCaret();
    }
    if (!m_hasFocus)
        return;
    // Shown at once after every move, blinking from there.
    m_caretOn = true;
    ::SetTimer(m_wnd, kCaretTimer, ::GetCaretBlinkTime(), nullptr);
}

void EditorWindow::RefreshCaretShape()
{
    InvalidateCaret();
    if (m_hasFocus) {
        ::DestroyCaret();
        ::CreateCaret(m_wnd, nullptr, m_session.Overwrite() ? m_charWidth : 2, m_lineHeight);
        ::SetCaretPos(m_caretPoint.x, m_caretPoint.y);
    }
    InvalidateCaret();
}

void EditorWindow::OnCaretTimer()
{
    m_caretOn = !m_caretOn;
    InvalidateCaret();
}

void EditorWindow::PaintCaret(HDC dc, int y)
{
    // Where dragged text would land: a caret of its own, shown without focus.
    if (m_dropPoint.y == y)
        ::PatBlt(dc, m_dropPoint.x, y, 2, m_lineHeight, DSTINVERT);
    if (!m_hasFocus || !m_caretOn || m_caretPoint.y != y)
        return;
    const int width = m_session.Overwrite() ? m_charWidth : 2;
    ::PatBlt(dc, m_caretPoint.x, y, width, m_lineHeight, DSTINVERT);
}

}  // namespace tessaly::editor
