#include "EditorWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "CharClass.h"
#include "TextSearch.h"

namespace tessaly::editor {

EditorWindow::EditorWindow(EditBuffer& buffer, const KeywordLookup* keywords)
    : buffer_(buffer), session_(buffer), keywords_(keywords) {
    // After the session: a change moves the caret before this window repaints.
    buffer_.AddListener(this);
}

EditorWindow::~EditorWindow() {
    buffer_.RemoveListener(this);
    Detach();
}

void EditorWindow::Attach(HWND wnd) {
    wnd_ = wnd;
    RegisterEditorWindow(wnd, this);
    updateBarsMessage_ = ::RegisterWindowMessageA("TessalyEditorUpdateScrollBars");
    lastVScroll_ = {};
    lastHScroll_ = {};
    ApplySettings();
}

void EditorWindow::Detach() {
    UnregisterEditorWindow(wnd_);
    find_.Close();
    if (wnd_ && indexTimer_) ::KillTimer(wnd_, kIndexTimer);
    indexTimer_ = false;
    if (wnd_ && hasFocus_) {
        ::KillTimer(wnd_, kCaretTimer);
        ::DestroyCaret();
    }
    hasFocus_ = false;
    wnd_ = nullptr;
}

void EditorWindow::SetKeywords(const KeywordLookup* keywords) {
    keywords_ = keywords;
    Repaint();
}

bool EditorWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (msg == updateBarsMessage_) {
        barsPending_ = false;
        // Posted messages come before painting: text still waiting to be painted is
        // painted first, and the bars follow right after it.
        if (::IsWindowVisible(wnd_) && ::GetUpdateRect(wnd_, nullptr, FALSE)) barsAfterPaint_ = true;
        else UpdateScrollBarsNow();
        return true;
    }
    if (find_.IsNotification(msg)) {
        OnFindMessage(lParam);
        return true;
    }
    switch (msg) {
        case WM_PAINT: OnPaint(); return true;
        case WM_ERASEBKGND: result = 1; return true;  // painting covers everything
        case WM_SIZE: OnSize(); return true;
        case WM_SETFOCUS: OnSetFocus(); return true;
        case WM_KILLFOCUS: OnKillFocus(); return true;
        case WM_GETDLGCODE: result = DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB; return true;
        case WM_KEYDOWN: return OnKeyDown(wParam);
        case WM_CHAR: return OnChar(wParam);
        case WM_LBUTTONDOWN: OnLButtonDown(lParam, wParam); return true;
        case WM_LBUTTONDBLCLK: OnLButtonDblClk(lParam); return true;
        case WM_MOUSEMOVE: OnMouseMove(lParam, wParam); return true;
        case WM_LBUTTONUP: OnLButtonUp(lParam, wParam); return true;
        case WM_RBUTTONDOWN: OnRButtonDown(lParam); return true;
        case WM_CONTEXTMENU: OnContextMenu(lParam); return true;
        case WM_CAPTURECHANGED:
            selecting_ = false;
            if (dragPending_ && reinterpret_cast<HWND>(lParam) != wnd_) {
                // Capture lost (another window took it): the drag ends without a drop.
                dragPending_ = dragging_ = false;
                if (EditorWindow* target = FromWindow(dropWindow_)) target->HideDropCaret();
                dropWindow_ = nullptr;
            }
            return true;
        case WM_VSCROLL: OnVScroll(wParam); return true;
        case WM_HSCROLL: OnHScroll(wParam); return true;
        case WM_MOUSEWHEEL: OnMouseWheel(wParam); return true;
        case WM_TIMER:
            if (wParam == kCaretTimer) OnCaretTimer();
            else if (wParam == kIndexTimer) OnTimer(wParam);
            else return false;
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
            result = TRUE;
            return true;
        case WM_GETFONT: result = reinterpret_cast<LRESULT>(font_.GetSafeHandle()); return true;
        default: return OnEditMessage(msg, wParam, lParam, result);
    }
}

void EditorWindow::OnBufferChange(const DocChange& change) {
    if (change.kind == DocChange::Kind::Reset) {
        topPos_ = 0;
        firstColumn_ = 0;
        widestColumns_ = 0;
        lastLineCount_ = buffer_.Text().LineCount();
        if (wnd_) {
            Repaint();
            UpdateIndexTimer();
        }
        return;
    }
    if (buffer_.File()) {
        OnFileGrown(change.pos);
        return;
    }
    const TextSource& text = buffer_.Text();
    const Pos oldTop = topPos_;
    topPos_ = MovePosition(topPos_, change);
    if (topPos_ != oldTop || (topPos_ > 0 && !IsEolByte(text.ByteAt(topPos_ - 1)))) {
        topPos_ = StartOfLineAt(text, topPos_);
    }
    if (!wnd_) return;
    const Pos lineCount = text.LineCount();
    const Pos linesAdded = lineCount - lastLineCount_;
    lastLineCount_ = lineCount;
    if (topPos_ != oldTop) {
        ::InvalidateRect(wnd_, nullptr, FALSE);
    } else {
        const int row = RowOf(change.pos);
        // The line after a changed one may change colour too when this one carries on.
        const EditSession::LineSpan span = session_.SpanAt(change.pos);
        const bool nextMayChange = change.kind == DocChange::Kind::Delete ||
                                   (span.end > span.start && text.ByteAt(span.end - 1) == '\\');
        if (linesAdded != 0) ShiftRowsBelow(row, linesAdded);
        InvalidateRows(std::max(row, 0), row + (nextMayChange ? 1 : 0));
    }
    if (linesAdded != 0 || topPos_ != oldTop) UpdateScrollBars();
    if (hasFocus_) UpdateCaret();
}

void EditorWindow::OnFileGrown(Pos oldEnd) {
    // The lines shown stay where they are; only the rows from the old last line down
    // change, and the new lines are being indexed.
    lastLineCount_ = buffer_.Text().LineCount();
    if (!wnd_) return;
    InvalidateRows(std::max(RowOf(oldEnd), 0), LinesPerPage() + 1);
    UpdateIndexTimer();
    UpdateScrollBars();
    if (hasFocus_) UpdateCaret();
}

void EditorWindow::ShiftRowsBelow(int row, Pos linesAdded) {
    const int page = LinesPerPage();
    if (row < 0 || row > page) return;
    RECT client{};
    ::GetClientRect(wnd_, &client);
    if (linesAdded > page || -linesAdded > page) {
        InvalidateRows(row, page + 1);
        return;
    }
    // What waits to be painted is painted where it is before the pixels move.
    RECT pending{};
    if (::GetUpdateRect(wnd_, &pending, FALSE)) ::UpdateWindow(wnd_);
    RECT below{0, (row + 1) * lineHeight_, client.right, client.bottom};
    if (below.top >= below.bottom) return;
    const int dy = static_cast<int>(linesAdded) * lineHeight_;
    ::ScrollWindowEx(wnd_, 0, dy, &below, &below, nullptr, nullptr, SW_INVALIDATE);
    // The new lines themselves, right below the changed one.
    if (linesAdded > 0) InvalidateRows(row + 1, row + static_cast<int>(linesAdded));
}

void EditorWindow::ApplySettings() {
    if (!wnd_) return;
    const EditorSettings& s = buffer_.Settings();
    CClientDC dc(wnd_);
    LOGFONTA lf{};
    const int size = s.m_nFontSize > 0 && s.m_nFontSize < 200 ? s.m_nFontSize : 10;
    lf.lfHeight = -::MulDiv(size, dc.GetDeviceCaps(LOGPIXELSY), 72);
    lf.lfWeight = s.m_nFontWeight > 0 && s.m_nFontWeight <= 1000 ? s.m_nFontWeight : FW_NORMAL;
    lf.lfItalic = s.m_nFontItalic ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(s.m_nFontCharSet & 0xFF);
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::string face = s.m_strFontName.empty() ? "Courier" : s.m_strFontName;
    lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    font_.CreateFontIndirect(lf);
    {
        CSelectObject select(dc, font_ ? static_cast<HGDIOBJ>(font_) : ::GetStockObject(ANSI_FIXED_FONT));
        TEXTMETRICA tm{};
        ::GetTextMetricsA(dc, &tm);
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, "M", 1, &extent);
        lineHeight_ = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
        ascent_ = tm.tmAscent;
        charWidth_ = std::max<int>(1, extent.cx);
    }
    RefreshCaretShape();
    Repaint();
}

void EditorWindow::Repaint() {
    if (!wnd_) return;
    lastLineCount_ = buffer_.Text().LineCount();
    UpdateScrollBars();
    ::InvalidateRect(wnd_, nullptr, FALSE);
    if (hasFocus_) UpdateCaret();
}

void EditorWindow::OnSize() {
    UpdateScrollBars();
    ::InvalidateRect(wnd_, nullptr, FALSE);
}

int EditorWindow::LinesPerPage() const {
    RECT rc{};
    if (wnd_) ::GetClientRect(wnd_, &rc);
    return std::max(1, static_cast<int>(rc.bottom / lineHeight_));
}

int EditorWindow::VisibleColumns() const {
    RECT rc{};
    if (wnd_) ::GetClientRect(wnd_, &rc);
    return std::max(1, static_cast<int>((rc.right - kMargin) / charWidth_) + 1);
}

Pos EditorWindow::NextLineStart(Pos lineStart) const { return session_.SpanAt(lineStart).next; }

Pos EditorWindow::PreviousLineStart(Pos lineStart) const {
    if (lineStart <= 0) return -1;
    return session_.SpanAt(lineStart - 1).start;
}

int EditorWindow::RowOf(Pos pos) {
    const TextSource& text = buffer_.Text();
    const int page = LinesPerPage();
    pos = std::clamp<Pos>(pos, 0, text.Length());
    if (pos < topPos_) return -1;
    if (text.IsIndexComplete()) {
        const Pos rows = text.LineFromPosition(pos) - text.LineFromPosition(topPos_);
        return rows > page ? page + 1 : static_cast<int>(rows);
    }
    Pos start = topPos_;
    for (int row = 0; row <= page; ++row) {
        const Pos next = NextLineStart(start);
        if (next < 0 || pos < next) return row;
        start = next;
    }
    return page + 1;
}

Pos EditorWindow::LineStartAtRow(int row) const {
    const TextSource& text = buffer_.Text();
    if (text.IsIndexComplete()) {
        const Pos line = std::min(text.LineFromPosition(topPos_) + std::max(row, 0), text.LineCount() - 1);
        return text.LineStart(std::max<Pos>(line, 0));
    }
    Pos start = topPos_;
    for (int i = 0; i < row; ++i) {
        const Pos next = NextLineStart(start);
        if (next < 0) break;
        start = next;
    }
    return start;
}

Pos EditorWindow::PositionFromPoint(int x, int y) const {
    const int row = y < 0 ? 0 : y / lineHeight_;
    const Pos lineStart = LineStartAtRow(row);
    // Halfway across a character goes to the position after it.
    const Pos column = std::max<Pos>(0, firstColumn_ + (x - kMargin + charWidth_ / 2) / charWidth_);
    return session_.PositionAtColumn(lineStart, column);
}

POINT EditorWindow::PointOfPosition(Pos pos) {
    const int row = RowOf(pos);
    const Pos column = session_.ColumnOf(pos) - firstColumn_;
    const Pos x = kMargin + column * charWidth_;
    return POINT{static_cast<LONG>(std::clamp<Pos>(x, -30000, 30000)), row * lineHeight_};
}

RECT EditorWindow::SelectionRowsOnScreen() {
    RECT rows{};
    ::GetClientRect(wnd_, &rows);
    const int page = LinesPerPage();
    rows.top = std::clamp(RowOf(session_.SelStart()), 0, page) * lineHeight_;
    rows.bottom = (std::clamp(RowOf(session_.SelEnd()), 0, page) + 1) * lineHeight_;
    ::MapWindowPoints(wnd_, nullptr, reinterpret_cast<POINT*>(&rows), 2);
    return rows;
}

void EditorWindow::InvalidateRows(int first, int last) {
    if (!wnd_ || last < first) return;
    RECT rc{};
    ::GetClientRect(wnd_, &rc);
    rc.top = std::max(0, first) * lineHeight_;
    rc.bottom = std::min<LONG>(rc.bottom, (last + 1) * lineHeight_);
    if (rc.bottom > rc.top) ::InvalidateRect(wnd_, &rc, FALSE);
}

void EditorWindow::InvalidateBetween(Pos a, Pos b) {
    if (a > b) std::swap(a, b);
    InvalidateRows(RowOf(a), RowOf(b));
}

void EditorWindow::AfterSelectionChange(Pos oldAnchor, Pos oldCaret) {
    const Pos lo = std::min({oldAnchor, oldCaret, session_.Anchor(), session_.Caret()});
    const Pos hi = std::max({oldAnchor, oldCaret, session_.Anchor(), session_.Caret()});
    if (oldAnchor != oldCaret || session_.HasSelection()) InvalidateBetween(lo, hi);
    EnsureCaretVisible();
    UpdateCaret();
}

void EditorWindow::DoMove(const std::function<void()>& move) {
    const Pos anchor = session_.Anchor();
    const Pos caret = session_.Caret();
    move();
    AfterSelectionChange(anchor, caret);
}

bool EditorWindow::DoEdit(const std::function<bool()>& edit) {
    const bool done = edit();
    if (!done && !buffer_.CanEdit()) ::MessageBeep(MB_OK);
    EnsureCaretVisible();
    UpdateCaret();
    return done;
}

bool EditorWindow::Undo() {
    return DoEdit([this] { return session_.Undo(); });
}

bool EditorWindow::Redo() {
    return DoEdit([this] { return session_.Redo(); });
}

void EditorWindow::SelectAll() {
    DoMove([this] { session_.SelectAll(); });
}

void EditorWindow::GotoLine(Pos oneBasedLine) {
    WaitForFullIndex();
    DoMove([&] { session_.GotoLine(oneBasedLine); });
}

void EditorWindow::TopOfFile() {
    DoMove([this] { session_.TopOfFile(); });
}

void EditorWindow::BottomOfFile() {
    DoMove([this] { session_.BottomOfFile(); });
}

void EditorWindow::BeginningOfLine() {
    DoMove([this] { session_.BeginningOfLine(); });
}

Pos EditorWindow::FirstVisibleLine() {
    const TextSource& text = buffer_.Text();
    if (!text.IsIndexComplete() && topPos_ >= text.LineStart(text.LineCount())) WaitForFullIndex();
    return text.LineFromPosition(topPos_);
}

}  // namespace tessaly::editor
