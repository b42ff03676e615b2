// Dragging selected text with the mouse: within one window, between windows of one buffer
// (a move is one undo step there) and between buffers. The editor windows of the process
// know each other through a registry of their handles.
#include <windows.h>

#include <algorithm>
#include <unordered_map>

#include "EditorWindow.h"

namespace tessaly::editor {

namespace {

std::unordered_map<HWND, EditorWindow*>& Registry() {
    static std::unordered_map<HWND, EditorWindow*> editors;
    return editors;
}

}  // namespace

void RegisterEditorWindow(HWND wnd, EditorWindow* editor) {
    if (wnd) Registry()[wnd] = editor;
}

void UnregisterEditorWindow(HWND wnd) { Registry().erase(wnd); }

EditorWindow* EditorWindow::FromWindow(HWND wnd) {
    if (!wnd) return nullptr;
    const auto found = Registry().find(wnd);
    return found == Registry().end() ? nullptr : found->second;
}

void EditorWindow::BeginDragCandidate(POINT pt) {
    dragPending_ = true;
    dragging_ = false;
    dragStart_ = pt;
    dropWindow_ = nullptr;
    ::SetCapture(wnd_);
}

void EditorWindow::OnDragMouseMove(POINT pt, bool copy) {
    if (!dragging_) {
        const int dx = std::abs(pt.x - dragStart_.x);
        const int dy = std::abs(pt.y - dragStart_.y);
        if (dx <= ::GetSystemMetrics(SM_CXDRAG) && dy <= ::GetSystemMetrics(SM_CYDRAG)) return;
        dragging_ = true;
    }
    POINT screen = pt;
    ::ClientToScreen(wnd_, &screen);
    HWND under = ::WindowFromPoint(screen);
    EditorWindow* target = FromWindow(under);
    if (under != dropWindow_) {
        if (EditorWindow* previous = FromWindow(dropWindow_)) previous->HideDropCaret();
        dropWindow_ = target ? under : nullptr;
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

void EditorWindow::EndDrag(POINT pt, bool copy) {
    const bool wasDragging = dragging_;
    dragPending_ = dragging_ = false;
    if (EditorWindow* shown = FromWindow(dropWindow_)) shown->HideDropCaret();
    dropWindow_ = nullptr;
    if (::GetCapture() == wnd_) ::ReleaseCapture();
    if (!wasDragging) {
        // A click inside the selection: the caret goes there.
        const Pos pos = PositionFromPoint(pt.x, pt.y);
        DoMove([&] { session_.MoveTo(pos, false); });
        return;
    }
    POINT screen = pt;
    ::ClientToScreen(wnd_, &screen);
    HWND under = ::WindowFromPoint(screen);
    EditorWindow* target = FromWindow(under);
    if (!target || !target->AcceptsDrop()) {
        ::MessageBeep(MB_OK);
        return;
    }
    POINT client = screen;
    ::ScreenToClient(under, &client);
    const Pos pos = target->PositionFromPoint(client.x, client.y);
    const std::string text = session_.SelectedText();
    // Moving out of a read-only buffer copies.
    const bool move = !copy && buffer_.CanEdit();
    if (&target->buffer_ == &buffer_ && move) {
        // One buffer: the selection (in this window) leaves and lands in one undo step.
        DoEdit([&] { return session_.DropText(pos, text, true); });
        if (target != this) {
            target->DoMove([&] { target->session_.SetSelection(session_.SelStart(), session_.SelEnd()); });
        }
    } else {
        if (!target->DoEdit([&] { return target->session_.DropText(pos, text, false); })) return;
        if (move) DoEdit([this] { return session_.DeleteSelection(); });
    }
    if (target != this) ::SetFocus(target->wnd_);
}

void EditorWindow::ShowDropCaret(POINT clientPt) {
    const Pos pos = PositionFromPoint(clientPt.x, clientPt.y);
    const POINT at = PointOfPosition(pos);
    if (at.x == dropPoint_.x && at.y == dropPoint_.y) return;
    HideDropCaret();
    dropPoint_ = at;
    RECT cell{at.x - 1, at.y, at.x + 3, at.y + lineHeight_};
    ::InvalidateRect(wnd_, &cell, FALSE);
}

void EditorWindow::HideDropCaret() {
    if (dropPoint_.y < 0) return;
    RECT cell{dropPoint_.x - 1, dropPoint_.y, dropPoint_.x + 3, dropPoint_.y + lineHeight_};
    dropPoint_ = {-1, -1};
    if (wnd_) ::InvalidateRect(wnd_, &cell, FALSE);
}

}  // namespace tessaly::editor
