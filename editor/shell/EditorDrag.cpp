// Dragging selected text with the mouse: within one window, between windows of one buffer
// (a move is one undo step there) and between buffers. The editor windows of the process
// know each other through a registry of their handles.
#include <windows.h>

#include <algorithm>
#include <unordered_map>

#include "EditorWindow.h"

namespace tessaly::editor {

namespace {

std::unordered_map<HWND, EditorWindow*>& Registry()
{
    static std::unordered_map<HWND, EditorWindow*> editors;
    return editors;
}

}  // namespace

void RegisterEditorWindow(HWND wnd, EditorWindow* editor)
{
    if (wnd)
        Registry()[wnd] = editor;
}

void UnregisterEditorWindow(HWND wnd)
{
    Registry().erase(wnd);
}

EditorWindow* EditorWindow::FromWindow(HWND wnd)
{
    if (!wnd)
        return nullptr;
    const auto found = Registry().find(wnd);
    return found == Registry().end() ? nullptr : found->second;
}

void EditorWindow::BeginDragCandidate(POINT pt)
{
    m_dragPending = true;
    m_dragging = false;
    m_dragStart = pt;
    m_dropWindow = nullptr;
    ::SetCapture(m_wnd);
}

void EditorWindow::OnDragMouseMove(POINT pt, bool copy)
{
    if (!m_dragging) {
        const int dx = std::abs(pt.x - m_dragStart.x);
        const int dy = std::abs(pt.y - m_dragStart.y);
        if (dx <= ::GetSystemMetrics(SM_CXDRAG) && dy <= ::GetSystemMetrics(SM_CYDRAG))
            return;
        m_dragging = true;
    }
    POINT screen = pt;
    ::ClientToScreen(m_wnd, &screen);
    HWND under = ::WindowFromPoint(screen);
    EditorWindow* target = FromWindow(under);
    if (under != m_dropWindow) {
        if (EditorWindow* previous = FromWindow(m_dropWindow))
            previous->HideDropCaret();
        m_dropWindow = target ? under : nullptr;
    }
    if (target && target->AcceptsDrop()) {
        POINT client = screen;
        ::ScreenToClient(under, &client);
        target->ShowDropCaret(client);
        ::SetCursor(::LoadCursor(nullptr, copy ? IDC_UPARROW : IDC_ARROW));
    } else {
        ::SetCursor(::LoadCursor(nullptr, IDC_NO));
    }
}

void EditorWindow::EndDrag(POINT pt, bool copy)
{
    const bool wasDragging = m_dragging;
    m_dragPending = m_dragging = false;
    if (EditorWindow* shown = FromWindow(m_dropWindow))
        shown->HideDropCaret();
    m_dropWindow = nullptr;
    if (::GetCapture() == m_wnd)
        ::ReleaseCapture();
    if (!wasDragging) {
        // A click inside the selection: the caret goes there.
        const Pos pos = PositionFromPoint(pt.x, pt.y);
        DoMove([&] { m_session.MoveTo(pos, false); });
        return;
    }
    POINT screen = pt;
    ::ClientToScreen(m_wnd, &screen);
    HWND under = ::WindowFromPoint(screen);
    EditorWindow* target = FromWindow(under);
    if (!target || !target->AcceptsDrop()) {
        ::MessageBeep(MB_OK);
        return;
    }
    POINT client = screen;
    ::ScreenToClient(under, &client);
    const Pos pos = target->PositionFromPoint(client.x, client.y);
    const std::string text = m_session.SelectedText();
    // Moving out of a read-only buffer copies.
    const bool move = !copy && m_buffer.CanEdit();
    if (&target->m_buffer == &m_buffer && move) {
        // One buffer: the selection (in this window) leaves and lands in one undo step.
        DoEdit([&] { return m_session.DropText(pos, text, true); });
        if (target != this) {
            target->DoMove([&] { target->m_session.SetSelection(m_session.SelStart(), m_session.SelEnd()); });
        }
    } else {
        if (!target->DoEdit([&] { return target->m_session.DropText(pos, text, false); }))
            return;
        if (move)
            DoEdit([this] { return m_session.DeleteSelection(); });
    }
    if (target != this)
        ::SetFocus(target->m_wnd);
}

void EditorWindow::ShowDropCaret(POINT clientPt)
{
    const Pos pos = PositionFromPoint(clientPt.x, clientPt.y);
    const POINT at = PointOfPosition(pos);
    if (at.x == m_dropPoint.x && at.y == m_dropPoint.y)
        return;
    HideDropCaret();
    m_dropPoint = at;
    RECT cell{at.x - 1, at.y, at.x + 3, at.y + m_lineHeight};
    ::InvalidateRect(m_wnd, &cell, FALSE);
}

void EditorWindow::HideDropCaret()
{
    if (m_dropPoint.y < 0)
        return;
    RECT cell{m_dropPoint.x - 1, m_dropPoint.y, m_dropPoint.x + 3, m_dropPoint.y + m_lineHeight};
    m_dropPoint = {-1, -1};
    if (m_wnd)
        ::InvalidateRect(m_wnd, &cell, FALSE);
}

}  // namespace tessaly::editor
