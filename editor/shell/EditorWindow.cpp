#include "EditorWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "CharClass.h"
#include "TextSearch.h"

namespace tessaly::editor {

EditorWindow::EditorWindow(EditBuffer& buffer, const KeywordLookup* keywords)
    : m_buffer(buffer), m_session(buffer), m_keywords(keywords)
{
    // After the session: a change moves the caret before this window repaints.
    m_buffer.AddListener(this);
}

EditorWindow::~EditorWindow()
{
    m_buffer.RemoveListener(this);
    Detach();
}

void EditorWindow::Attach(HWND wnd)
{
    m_wnd = wnd;
    RegisterEditorWindow(wnd, this);
    m_updateBarsMessage = ::RegisterWindowMessageA("TessalyEditorUpdateScrollBars");
    m_lastVScroll = {};
    m_lastHScroll = {};
    ApplySettings();
}

void EditorWindow::Detach()
{
    UnregisterEditorWindow(m_wnd);
    m_find.Close();
    if (m_wnd && m_indexTimer)
        ::KillTimer(m_wnd, kIndexTimer);
    m_indexTimer = false;
    if (m_wnd && m_hasFocus) {
        ::KillTimer(m_wnd, kCaretTimer);
        ::DestroyCaret();
    }
    m_hasFocus = false;
    m_wnd = nullptr;
}

void EditorWindow::SetKeywords(const KeywordLookup* keywords)
{
    m_keywords = keywords;
    Repaint();
}

bool EditorWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    if (msg == m_updateBarsMessage) {
        m_barsPending = false;
        // Posted messages come before painting: text still waiting to be painted is
        // painted first, and the bars follow right after it.
        if (::IsWindowVisible(m_wnd) && ::GetUpdateRect(m_wnd, nullptr, FALSE))
            m_barsAfterPaint = true;
        else
            UpdateScrollBarsNow();
        return true;
    }
    if (m_find.IsNotification(msg)) {
        OnFindMessage(lParam);
        return true;
    }
    switch (msg) {
        case WM_PAINT:
            OnPaint();
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;  // painting covers everything
        case WM_SIZE:
            OnSize();
            return true;
        case WM_SETFOCUS:
            OnSetFocus();
            return true;
        case WM_KILLFOCUS:
            OnKillFocus();
            return true;
        case WM_GETDLGCODE:
            result = DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB;
            return true;
        case WM_KEYDOWN:
            return OnKeyDown(wParam);
        case WM_CHAR:
            return OnChar(wParam);
        case WM_LBUTTONDOWN:
            OnLButtonDown(lParam, wParam);
            return true;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(lParam);
            return true;
        case WM_MOUSEMOVE:
            OnMouseMove(lParam, wParam);
            return true;
        case WM_LBUTTONUP:
            OnLButtonUp(lParam, wParam);
            return true;
        case WM_RBUTTONDOWN:
            OnRButtonDown(lParam);
            return true;
        case WM_CONTEXTMENU:
            OnContextMenu(lParam);
            return true;
        case WM_CAPTURECHANGED:
            m_selecting = false;
            if (m_dragPending && reinterpret_cast<HWND>(lParam) != m_wnd) {
                // Capture lost (another window took it): the drag ends without a drop.
                m_dragPending = m_dragging = false;
                if (EditorWindow* target = FromWindow(m_dropWindow))
                    target->HideDropCaret();
                m_dropWindow = nullptr;
            }
            return true;
        case WM_VSCROLL:
            OnVScroll(wParam);
            return true;
        case WM_HSCROLL:
            OnHScroll(wParam);
            return true;
        case WM_MOUSEWHEEL:
            OnMouseWheel(wParam);
            return true;
        case WM_TIMER:
            if (wParam == kCaretTimer)
                OnCaretTimer();
            else if (wParam == kIndexTimer)
                OnTimer(wParam);
            else
                return false;
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT)
                return false;
            ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
            result = TRUE;
            return true;
        case WM_GETFONT:
            result = reinterpret_cast<LRESULT>(m_font.GetSafeHandle());
            return true;
        default:
            return OnEditMessage(msg, wParam, lParam, result);
    }
}

void EditorWindow::OnBufferChange(const DocChange& change)
{
    if (change.kind == DocChange::Kind::Reset) {
        m_topPos = 0;
        m_firstColumn = 0;
        m_widestColumns = 0;
        m_lastLineCount = m_buffer.Text().LineCount();
        if (m_wnd) {
            Repaint();
            UpdateIndexTimer();
        }
        return;
    }
    if (m_buffer.File()) {
        OnFileGrown(change.pos);
        return;
    }
    const TextSource& text = m_buffer.Text();
    const Pos oldTop = m_topPos;
    m_topPos = MovePosition(m_topPos, change);
    if (m_topPos != oldTop || (m_topPos > 0 && !IsEolByte(text.ByteAt(m_topPos - 1)))) {
        m_topPos = StartOfLineAt(text, m_topPos);
    }
    if (!m_wnd)
        return;
    const Pos lineCount = text.LineCount();
    const Pos linesAdded = lineCount - m_lastLineCount;
    m_lastLineCount = lineCount;
    if (m_topPos != oldTop) {
        ::InvalidateRect(m_wnd, nullptr, FALSE);
    } else {
        const int row = RowOf(change.pos);
        // The line after a changed one may change colour too when this one carries on.
        const EditSession::LineSpan span = m_session.SpanAt(change.pos);
        const bool nextMayChange =
            change.kind == DocChange::Kind::Delete || (span.end > span.start && text.ByteAt(span.end - 1) == '\\');
        if (linesAdded != 0)
            ShiftRowsBelow(row, linesAdded);
        InvalidateRows(std::max(row, 0), row + (nextMayChange ? 1 : 0));
    }
    if (linesAdded != 0 || m_topPos != oldTop)
        UpdateScrollBars();
    if (m_hasFocus)
        UpdateCaret();
}

bool EditorWindow::ShownRange(Pos& from, Pos& to) const
{
    if (!m_wnd)
        return false;
    from = m_topPos;
    // The row below the last one shown may be partly painted too.
    const Pos below = NextLineStart(LineStartAtRow(LinesPerPage() + 1));
    to = below < 0 ? m_buffer.Text().Length() : below;
    return true;
}

void EditorWindow::OnFileGrown(Pos oldEnd)
{
    // The lines shown stay where they are; only the rows from the old last line down
    // change, and the new lines are being indexed.
    m_lastLineCount = m_buffer.Text().LineCount();
    if (!m_wnd)
        return;
    InvalidateRows(std::max(RowOf(oldEnd), 0), LinesPerPage() + 1);
    UpdateIndexTimer();
    UpdateScrollBars();
    if (m_hasFocus)
        UpdateCaret();
}

void EditorWindow::ShiftRowsBelow(int row, Pos linesAdded)
{
    const int page = LinesPerPage();
    if (row < 0 || row > page)
        return;
    RECT client{};
    ::GetClientRect(m_wnd, &client);
    if (linesAdded > page || -linesAdded > page) {
        InvalidateRows(row, page + 1);
        return;
    }
    // What waits to be painted is painted where it is before the pixels move.
    RECT pending{};
    if (::GetUpdateRect(m_wnd, &pending, FALSE))
        ::UpdateWindow(m_wnd);
    RECT below{0, (row + 1) * m_lineHeight, client.right, client.bottom};
    if (below.top >= below.bottom)
        return;
    const int dy = static_cast<int>(linesAdded) * m_lineHeight;
    ::ScrollWindowEx(m_wnd, 0, dy, &below, &below, nullptr, nullptr, SW_INVALIDATE);
    // The new lines themselves, right below the changed one.
    if (linesAdded > 0)
        InvalidateRows(row + 1, row + static_cast<int>(linesAdded));
}

void EditorWindow::ApplySettings()
{
    if (!m_wnd)
        return;
    const EditorSettings& s = m_buffer.Settings();
    CClientDC dc(m_wnd);
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
    m_font.CreateFontIndirect(lf);
    {
        CSelectObject select(dc, m_font ? static_cast<HGDIOBJ>(m_font) : ::GetStockObject(ANSI_FIXED_FONT));
        TEXTMETRICA tm{};
        ::GetTextMetricsA(dc, &tm);
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, "M", 1, &extent);
        m_lineHeight = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
        m_ascent = tm.tmAscent;
        m_charWidth = std::max<int>(1, extent.cx);
    }
    RefreshCaretShape();
    Repaint();
}

// A host may set its marks after every keystroke, tens of thousands of them: they are copied
// into memory kept from the last time, and only the rows on screen whose marks changed are
// repainted.
void EditorWindow::SetMarks(const VQMark* given, std::size_t count)
{
    std::vector<VQMark>& marks = m_spareMarks;
    marks.assign(given, given + count);
    const auto byLine = [](const VQMark& a, const VQMark& b) { return a.line < b.line; };
    if (!std::is_sorted(marks.begin(), marks.end(), byLine))
        std::stable_sort(marks.begin(), marks.end(), byLine);
    if (m_wnd && !m_buffer.Text().IsIndexComplete()) {
        ::InvalidateRect(m_wnd, nullptr, FALSE);
    } else if (m_wnd) {
        const Pos top = FirstVisibleLine();
        const auto sameMark = [](const VQMark& a, const VQMark& b) {
            return a.line == b.line && a.start == b.start && a.end == b.end && a.kind == b.kind;
        };
        const auto onLine = [&byLine](const std::vector<VQMark>& all, Pos line) {
            return std::equal_range(all.begin(), all.end(), VQMark{static_cast<int>(line), 0, 0, 0}, byLine);
        };
        for (int row = 0; row <= LinesPerPage(); ++row) {
            const auto before = onLine(m_marks, top + row);
            const auto after = onLine(marks, top + row);
            if (!std::equal(before.first, before.second, after.first, after.second, sameMark))
                InvalidateRows(row, row);
        }
    }
    m_marks.swap(marks);
}

const VQMark* EditorWindow::MarkAt(Pos line, Pos column) const
{
    auto mark =
        std::lower_bound(m_marks.begin(), m_marks.end(), line, [](const VQMark& m, Pos l) { return m.line < l; });
    for (; mark != m_marks.end() && mark->line == line; ++mark) {
        if (column >= mark->start && column <= std::max(mark->end, mark->start + 1))
            return &*mark;
    }
    return nullptr;
}

const VQMark* EditorWindow::MarkAtPoint(int x, int y) const
{
    if (m_marks.empty() || x < kMargin || !m_buffer.Text().IsIndexComplete())
        return nullptr;
    const Pos pos = PositionFromPoint(x, y);
    const Pos line = m_buffer.Text().LineFromPosition(pos);
    return MarkAt(line, pos - m_buffer.Text().LineStart(line));
}

void EditorWindow::Repaint()
{
    if (!m_wnd)
        return;
    m_lastLineCount = m_buffer.Text().LineCount();
    UpdateScrollBars();
    ::InvalidateRect(m_wnd, nullptr, FALSE);
    if (m_hasFocus)
        UpdateCaret();
}

void EditorWindow::OnSize()
{
    UpdateScrollBars();
    ::InvalidateRect(m_wnd, nullptr, FALSE);
}

int EditorWindow::LinesPerPage() const
{
    RECT rc{};
    if (m_wnd)
        ::GetClientRect(m_wnd, &rc);
    return std::max(1, static_cast<int>(rc.bottom / m_lineHeight));
}

int EditorWindow::VisibleColumns() const
{
    RECT rc{};
    if (m_wnd)
        ::GetClientRect(m_wnd, &rc);
    return std::max(1, static_cast<int>((rc.right - kMargin) / m_charWidth) + 1);
}

Pos EditorWindow::NextLineStart(Pos lineStart) const
{
    return m_session.SpanAt(lineStart).next;
}

Pos EditorWindow::PreviousLineStart(Pos lineStart) const
{
    if (lineStart <= 0)
        return -1;
    return m_session.SpanAt(lineStart - 1).start;
}

int EditorWindow::RowOf(Pos pos)
{
    const TextSource& text = m_buffer.Text();
    const int page = LinesPerPage();
    pos = std::clamp<Pos>(pos, 0, text.Length());
    if (pos < m_topPos)
        return -1;
    if (text.IsIndexComplete()) {
        const Pos rows = text.LineFromPosition(pos) - text.LineFromPosition(m_topPos);
        return rows > page ? page + 1 : static_cast<int>(rows);
    }
    Pos start = m_topPos;
    for (int row = 0; row <= page; ++row) {
        const Pos next = NextLineStart(start);
        if (next < 0 || pos < next)
            return row;
        start = next;
    }
    return page + 1;
}

Pos EditorWindow::LineStartAtRow(int row) const
{
    const TextSource& text = m_buffer.Text();
    if (text.IsIndexComplete()) {
        const Pos line = std::min(text.LineFromPosition(m_topPos) + std::max(row, 0), text.LineCount() - 1);
        return text.LineStart(std::max<Pos>(line, 0));
    }
    Pos start = m_topPos;
    for (int i = 0; i < row; ++i) {
        const Pos next = NextLineStart(start);
        if (next < 0)
            break;
        start = next;
    }
    return start;
}

Pos EditorWindow::PositionFromPoint(int x, int y) const
{
    const int row = y < 0 ? 0 : y / m_lineHeight;
    const Pos lineStart = LineStartAtRow(row);
    // Halfway across a character goes to the position after it.
    const Pos column = std::max<Pos>(0, m_firstColumn + (x - kMargin + m_charWidth / 2) / m_charWidth);
    return m_session.PositionAtColumn(lineStart, column);
}

POINT EditorWindow::PointOfPosition(Pos pos)
{
    const int row = RowOf(pos);
    const Pos column = m_session.ColumnOf(pos) - m_firstColumn;
    const Pos x = kMargin + column * m_charWidth;
    return POINT{static_cast<LONG>(std::clamp<Pos>(x, -30000, 30000)), row * m_lineHeight};
}

RECT EditorWindow::SelectionRowsOnScreen()
{
    RECT rows{};
    ::GetClientRect(m_wnd, &rows);
    const int page = LinesPerPage();
    rows.top = std::clamp(RowOf(m_session.SelStart()), 0, page) * m_lineHeight;
    rows.bottom = (std::clamp(RowOf(m_session.SelEnd()), 0, page) + 1) * m_lineHeight;
    ::MapWindowPoints(m_wnd, nullptr, reinterpret_cast<POINT*>(&rows), 2);
    return rows;
}

void EditorWindow::InvalidateRows(int first, int last)
{
    if (!m_wnd || last < first)
        return;
    RECT rc{};
    ::GetClientRect(m_wnd, &rc);
    rc.top = std::max(0, first) * m_lineHeight;
    rc.bottom = std::min<LONG>(rc.bottom, (last + 1) * m_lineHeight);
    if (rc.bottom > rc.top)
        ::InvalidateRect(m_wnd, &rc, FALSE);
}

void EditorWindow::InvalidateBetween(Pos a, Pos b)
{
    if (a > b)
        std::swap(a, b);
    InvalidateRows(RowOf(a), RowOf(b));
}

void EditorWindow::AfterSelectionChange(Pos oldAnchor, Pos oldCaret)
{
    const Pos lo = std::min({oldAnchor, oldCaret, m_session.Anchor(), m_session.Caret()});
    const Pos hi = std::max({oldAnchor, oldCaret, m_session.Anchor(), m_session.Caret()});
    if (oldAnchor != oldCaret || m_session.HasSelection())
        InvalidateBetween(lo, hi);
    EnsureCaretVisible();
    UpdateCaret();
}

void EditorWindow::DoMove(const std::function<void()>& move)
{
    const Pos anchor = m_session.Anchor();
    const Pos caret = m_session.Caret();
    move();
    AfterSelectionChange(anchor, caret);
}

bool EditorWindow::DoEdit(const std::function<bool()>& edit)
{
    const bool done = edit();
    if (!done && !m_buffer.CanEdit())
        ::MessageBeep(MB_OK);
    EnsureCaretVisible();
    UpdateCaret();
    return done;
}

bool EditorWindow::Undo()
{
    return DoEdit([this] { return m_session.Undo(); });
}

bool EditorWindow::Redo()
{
    return DoEdit([this] { return m_session.Redo(); });
}

void EditorWindow::SelectAll()
{
    DoMove([this] { m_session.SelectAll(); });
}

void EditorWindow::GotoLine(Pos oneBasedLine)
{
    WaitForFullIndex();
    DoMove([&] { m_session.GotoLine(oneBasedLine); });
}

void EditorWindow::TopOfFile()
{
    DoMove([this] { m_session.TopOfFile(); });
}

void EditorWindow::BottomOfFile()
{
    DoMove([this] { m_session.BottomOfFile(); });
}

void EditorWindow::BeginningOfLine()
{
    DoMove([this] { m_session.BeginningOfLine(); });
}

bool EditorWindow::StartOfLastLine()
{
    bool moved = false;
    DoMove([&] { moved = m_session.StartOfLastLine(); });
    return moved;
}

bool EditorWindow::ShowsEnd()
{
    if (m_session.SpanAt(m_session.Caret()).next >= 0)
        return false;
    const int row = RowOf(m_buffer.Text().Length());
    return row >= 0 && row < LinesPerPage();
}

Pos EditorWindow::FirstVisibleLine()
{
    const TextSource& text = m_buffer.Text();
    if (!text.IsIndexComplete() && m_topPos >= text.LineStart(text.LineCount()))
        WaitForFullIndex();
    return text.LineFromPosition(m_topPos);
}

}  // namespace tessaly::editor
