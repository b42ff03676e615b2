// Scrolling: the top line is kept as a byte position, so a huge file can be shown at any
// place before its lines are counted. Scroll bars hold 32-bit ranges: line counts beyond
// them are scaled, and while a file is still being indexed the bar measures bytes.
#include <algorithm>
#include <vector>

#include "EditorWindow.h"
#include "ProgressWait.h"
#include "SharedScrollBar.h"
#include "TextSearch.h"

namespace tessaly::editor {

namespace {

constexpr Pos kMaxScrollRange = 0x3FFFFFFF;
constexpr UINT kIndexTimerMs = 250;

int ScaleFor(Pos units)
{
    return static_cast<int>(units / kMaxScrollRange + 1);
}

// The bar that stands in for the window's own one, or null (see SharedScrollBar.h).
HWND SharedBar(HWND wnd, int bar)
{
    return reinterpret_cast<HWND>(::SendMessageA(wnd, SharedScrollBarMessage(), static_cast<WPARAM>(bar), 0));
}

// The other editor windows beside `wnd` that scroll with the same shared bar.
std::vector<HWND> PanesSharing(HWND wnd, int bar)
{
    std::vector<HWND> panes;
    HWND shared = SharedBar(wnd, bar);
    if (!shared)
        return panes;
    for (HWND other = ::GetWindow(::GetParent(wnd), GW_CHILD); other; other = ::GetWindow(other, GW_HWNDNEXT)) {
        if (other != wnd && SharedBar(other, bar) == shared)
            panes.push_back(other);
    }
    return panes;
}

// While a shared bar's own scrolling is handled: the bar reaches every pane itself.
bool handlingSharedBar = false;

class SharedBarScope {
public:
    SharedBarScope() : m_outer(handlingSharedBar) { handlingSharedBar = true; }
    ~SharedBarScope() { handlingSharedBar = m_outer; }
    SharedBarScope(const SharedBarScope&) = delete;
    SharedBarScope& operator=(const SharedBarScope&) = delete;

private:
    bool m_outer;
};

// The 32-bit track position of a bar; the scroll message's own holds only 16 bits.
int TrackPos(HWND wnd, int bar)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    if (HWND shared = SharedBar(wnd, bar))
        ::GetScrollInfo(shared, SB_CTL, &si);
    else
        ::GetScrollInfo(wnd, bar, &si);
    return si.nTrackPos;
}

}  // namespace

void EditorWindow::ScrollTo(Pos lineStart)
{
    const TextSource& text = m_buffer.Text();
    lineStart = StartOfLineAt(text, std::clamp<Pos>(lineStart, 0, text.Length()));
    if (lineStart == m_topPos)
        return;
    const Pos oldTop = m_topPos;
    m_topPos = lineStart;
    // A few rows up or down: the pixels move and only the uncovered rows are painted.
    const Pos rows = text.IsIndexComplete() ? text.LineFromPosition(oldTop) - text.LineFromPosition(lineStart) : 0;
    if (rows != 0 && rows < LinesPerPage() && -rows < LinesPerPage()) {
        RECT pending{};
        if (::GetUpdateRect(m_wnd, &pending, FALSE)) {
            // Painted at the old place first, then moved with the rest.
            m_topPos = oldTop;
            ::UpdateWindow(m_wnd);
            m_topPos = lineStart;
        }
        ::ScrollWindowEx(m_wnd, 0, static_cast<int>(rows) * m_lineHeight, nullptr, nullptr, nullptr, nullptr,
                         SW_INVALIDATE);
    } else {
        ::InvalidateRect(m_wnd, nullptr, FALSE);
    }
    UpdateScrollBars();
    UpdateCaret();
    // Panes side by side show the same lines, however one of them was scrolled.
    if (handlingSharedBar)
        return;
    for (HWND pane : PanesSharing(m_wnd, SB_VERT)) {
        EditorWindow* other = FromWindow(pane);
        if (other && &other->m_buffer == &m_buffer)
            other->ScrollTo(lineStart);
    }
}

void EditorWindow::ScrollToLine(Pos line)
{
    WaitForFullIndex();
    const TextSource& text = m_buffer.Text();
    ScrollTo(text.LineStart(std::clamp<Pos>(line, 0, std::max<Pos>(0, text.LineCount() - 1))));
}

void EditorWindow::ScrollLines(Pos delta)
{
    const TextSource& text = m_buffer.Text();
    if (text.IsIndexComplete()) {
        const Pos last = std::max<Pos>(0, text.LineCount() - 1);
        const Pos line = std::clamp<Pos>(text.LineFromPosition(m_topPos) + delta, 0, last);
        ScrollTo(text.LineStart(line));
        return;
    }
    Pos start = m_topPos;
    for (Pos i = 0; i < delta; ++i) {
        const Pos next = NextLineStart(start);
        if (next < 0)
            break;
        start = next;
    }
    for (Pos i = 0; i < -delta; ++i) {
        const Pos previous = PreviousLineStart(start);
        if (previous < 0)
            break;
        start = previous;
    }
    ScrollTo(start);
}

void EditorWindow::ScrollColumns(Pos delta)
{
    const Pos column = std::max<Pos>(0, m_firstColumn + delta);
    if (column == m_firstColumn)
        return;
    m_firstColumn = column;
    ::InvalidateRect(m_wnd, nullptr, FALSE);
    UpdateScrollBars();
    UpdateCaret();
    // Panes one above the other show the same columns.
    if (handlingSharedBar)
        return;
    for (HWND pane : PanesSharing(m_wnd, SB_HORZ)) {
        EditorWindow* other = FromWindow(pane);
        if (other && &other->m_buffer == &m_buffer)
            other->ScrollColumns(column - other->m_firstColumn);
    }
}

void EditorWindow::EnsureCaretVisible()
{
    if (!m_wnd)
        return;
    const Pos caret = m_session.Caret();
    const int page = LinesPerPage();
    const int row = RowOf(caret);
    if (row < 0) {
        ScrollTo(m_session.SpanAt(caret).start);
    } else if (row >= page) {
        // Put the caret's line on the last full row.
        Pos start = m_session.SpanAt(caret).start;
        for (int i = 1; i < page; ++i) {
            const Pos previous = PreviousLineStart(start);
            if (previous < 0)
                break;
            start = previous;
        }
        ScrollTo(start);
    }
    const Pos column = m_session.ColumnOf(caret);
    const int columns = std::max(1, VisibleColumns() - 1);
    if (column < m_firstColumn)
        ScrollColumns(column - m_firstColumn - std::min<Pos>(column, columns / 4));
    else if (column >= m_firstColumn + columns)
        ScrollColumns(column - m_firstColumn - columns + 1 + columns / 4);
}

void EditorWindow::SetScrollInfoIfChanged(int bar, const SCROLLINFO& info)
{
    // Only when something changed: the bar repaints itself each time. A shared bar is
    // compared with what it shows, since other panes set it too.
    if (HWND shared = SharedBar(m_wnd, bar)) {
        SCROLLINFO shown{};
        shown.cbSize = sizeof shown;
        shown.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (!::GetScrollInfo(shared, SB_CTL, &shown) || shown.nMax != info.nMax || shown.nPage != info.nPage ||
            shown.nPos != info.nPos)
            ::SetScrollInfo(shared, SB_CTL, &info, TRUE);
        return;
    }
    SCROLLINFO& last = bar == SB_VERT ? m_lastVScroll : m_lastHScroll;
    if (last.cbSize == sizeof last && last.nMax == info.nMax && last.nPage == info.nPage && last.nPos == info.nPos)
        return;
    last = info;
    ::SetScrollInfo(m_wnd, bar, &info, TRUE);
}

void EditorWindow::UpdateScrollBars()
{
    // Setting a scroll bar repaints it at once, which is slow: the text comes first, the
    // bars follow once the queue is empty of what the user typed.
    if (!m_wnd || m_barsPending)
        return;
    m_barsPending = ::PostMessageA(m_wnd, m_updateBarsMessage, 0, 0) != FALSE;
    if (!m_barsPending)
        UpdateScrollBarsNow();
}

void EditorWindow::UpdateScrollBarsNow()
{
    if (!m_wnd)
        return;
    const TextSource& text = m_buffer.Text();
    const int page = LinesPerPage();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    m_scrollByBytes = !text.IsIndexComplete();
    if (m_scrollByBytes) {
        // Lines are still being counted: the bar measures bytes, a page by the lines seen so far.
        const Pos known = text.LineStart(text.LineCount());
        const Pos perLine = text.LineCount() > 0 && known > 0 ? std::max<Pos>(1, known / text.LineCount()) : 80;
        m_scrollScale = ScaleFor(text.Length());
        si.nMax = static_cast<int>(text.Length() / m_scrollScale);
        si.nPage = static_cast<UINT>(std::max<Pos>(1, perLine * page / m_scrollScale));
        si.nPos = static_cast<int>(m_topPos / m_scrollScale);
    } else {
        const Pos lines = std::max<Pos>(1, text.LineCount());
        m_scrollScale = ScaleFor(lines);
        si.nMax = static_cast<int>((lines - 1) / m_scrollScale);
        si.nPage = static_cast<UINT>(std::max(1, page / m_scrollScale));
        si.nPos = static_cast<int>(text.LineFromPosition(m_topPos) / m_scrollScale);
    }
    SetScrollInfoIfChanged(SB_VERT, si);

    SCROLLINFO hi{};
    hi.cbSize = sizeof hi;
    hi.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const int columns = VisibleColumns();
    // Hidden while every line painted so far fits.
    const Pos range = m_firstColumn > 0 ? std::max(m_widestColumns + 1, m_firstColumn + columns) : m_widestColumns + 1;
    hi.nMax = static_cast<int>(std::min<Pos>(range - 1, kMaxScrollRange));
    hi.nPage = static_cast<UINT>(columns);
    hi.nPos = static_cast<int>(std::min<Pos>(m_firstColumn, kMaxScrollRange));
    SetScrollInfoIfChanged(SB_HORZ, hi);
}

void EditorWindow::OnVScroll(WPARAM wParam)
{
    SharedBarScope fromBar;
    const int page = LinesPerPage();
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            ScrollLines(-1);
            break;
        case SB_LINEDOWN:
            ScrollLines(1);
            break;
        case SB_PAGEUP:
            ScrollLines(-page);
            break;
        case SB_PAGEDOWN:
            ScrollLines(page);
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(m_buffer.Text().Length());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            const Pos units = static_cast<Pos>(TrackPos(m_wnd, SB_VERT)) * m_scrollScale;
            const TextSource& text = m_buffer.Text();
            if (m_scrollByBytes)
                ScrollTo(units);
            else
                ScrollTo(text.LineStart(std::clamp<Pos>(units, 0, std::max<Pos>(0, text.LineCount() - 1))));
            break;
        }
        default:
            break;
    }
}

void EditorWindow::OnHScroll(WPARAM wParam)
{
    SharedBarScope fromBar;
    const int columns = VisibleColumns();
    switch (LOWORD(wParam)) {
        case SB_LINELEFT:
            ScrollColumns(-1);
            break;
        case SB_LINERIGHT:
            ScrollColumns(1);
            break;
        case SB_PAGELEFT:
            ScrollColumns(-columns);
            break;
        case SB_PAGERIGHT:
            ScrollColumns(columns);
            break;
        case SB_LEFT:
            ScrollColumns(-m_firstColumn);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollColumns(TrackPos(m_wnd, SB_HORZ) - m_firstColumn);
            break;
        default:
            break;
    }
}

void EditorWindow::OnMouseWheel(WPARAM wParam)
{
    UINT linesPerNotch = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
    m_wheelDelta += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = m_wheelDelta / WHEEL_DELTA;
    m_wheelDelta -= notches * WHEEL_DELTA;
    if (notches == 0)
        return;
    if (linesPerNotch == WHEEL_PAGESCROLL)
        ScrollLines(-static_cast<Pos>(notches) * LinesPerPage());
    else
        ScrollLines(-static_cast<Pos>(notches) * linesPerNotch);
}

void EditorWindow::UpdateIndexTimer()
{
    const bool indexing = !m_buffer.Text().IsIndexComplete();
    if (indexing && !m_indexTimer) {
        m_indexTimer = ::SetTimer(m_wnd, kIndexTimer, kIndexTimerMs, nullptr) != 0;
    } else if (!indexing && m_indexTimer) {
        ::KillTimer(m_wnd, kIndexTimer);
        m_indexTimer = false;
    }
}

void EditorWindow::OnTimer(WPARAM)
{
    UpdateIndexTimer();
    UpdateScrollBars();
    // The progress sign in the top right corner, or its removal once complete.
    InvalidateRows(0, 1);
}

bool EditorWindow::WaitForFullIndex()
{
    FileTextSource* file = m_buffer.File();
    if (!file || file->IsIndexComplete() || !m_wnd)
        return file != nullptr;
    bool done;
    {
        ProgressWait wait(m_wnd, "Counting the lines of the file...");
        done = file->WaitForIndex([&wait](double fraction) { return wait.Step(fraction); });
    }
    UpdateIndexTimer();
    Repaint();
    return done;
}

}  // namespace tessaly::editor
