// The caret: drawn by the editor itself as part of its line, so moving it costs no more
// than repainting that line. A hidden system caret follows it for tools that track carets.
#include "EditorWindow.h"

namespace tessaly::editor {

void EditorWindow::OnSetFocus() {
    hasFocus_ = true;
    ::CreateCaret(wnd_, nullptr, 2, lineHeight_);
    caretPoint_ = {-1, -1};
    UpdateCaret();
}

void EditorWindow::OnKillFocus() {
    hasFocus_ = false;
    ::KillTimer(wnd_, kCaretTimer);
    ::DestroyCaret();
    // Only the window being typed in keeps its off-screen picture between paints.
    offscreen_.Release();
    InvalidateCaret();
    // The selection shows in its unfocused colours.
    if (session_.HasSelection()) InvalidateBetween(session_.SelStart(), session_.SelEnd());
}

void EditorWindow::InvalidateCaret() {
    if (!wnd_ || caretPoint_.y < 0) return;
    const int width = session_.Overwrite() ? charWidth_ : 2;
    RECT cell{caretPoint_.x - 1, caretPoint_.y, caretPoint_.x + width + 1, caretPoint_.y + lineHeight_};
    ::InvalidateRect(wnd_, &cell, FALSE);
}

void EditorWindow::UpdateCaret() {
    if (!wnd_) return;
    const POINT pt = PointOfPosition(session_.Caret());
    if (pt.x != caretPoint_.x || pt.y != caretPoint_.y) {
        InvalidateCaret();
        caretPoint_ = pt;
        InvalidateCaret();
        if (hasFocus_) ::SetCaretPos(pt.x, pt.y);
    } else if (!caretOn_) {
        InvalidateCaret();
    }
    if (!hasFocus_) return;
    // Shown at once after every move, blinking from there.
    caretOn_ = true;
    ::SetTimer(wnd_, kCaretTimer, ::GetCaretBlinkTime(), nullptr);
}

void EditorWindow::RefreshCaretShape() {
    InvalidateCaret();
    if (hasFocus_) {
        ::DestroyCaret();
        ::CreateCaret(wnd_, nullptr, session_.Overwrite() ? charWidth_ : 2, lineHeight_);
        ::SetCaretPos(caretPoint_.x, caretPoint_.y);
    }
    InvalidateCaret();
}

void EditorWindow::OnCaretTimer() {
    caretOn_ = !caretOn_;
    InvalidateCaret();
}

void EditorWindow::PaintCaret(HDC dc, int y) {
    // Where dragged text would land: a caret of its own, shown without focus.
    if (dropPoint_.y == y) ::PatBlt(dc, dropPoint_.x, y, 2, lineHeight_, DSTINVERT);
    if (!hasFocus_ || !caretOn_ || caretPoint_.y != y) return;
    const int width = session_.Overwrite() ? charWidth_ : 2;
    ::PatBlt(dc, caretPoint_.x, y, width, lineHeight_, DSTINVERT);
}

}  // namespace tessaly::editor
