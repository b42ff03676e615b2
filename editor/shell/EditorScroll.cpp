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

int ScaleFor(Pos units) { return static_cast<int>(units / kMaxScrollRange + 1); }

// The bar that stands in for the window's own one, or null (see SharedScrollBar.h).
HWND SharedBar(HWND wnd, int bar) {
    return reinterpret_cast<HWND>(::SendMessageA(wnd, SharedScrollBarMessage(), static_cast<WPARAM>(bar), 0));
}

// The other editor windows beside `wnd` that scroll with the same shared bar.
std::vector<HWND> PanesSharing(HWND wnd, int bar) {
    std::vector<HWND> panes;
    HWND shared = SharedBar(wnd, bar);
    if (!shared) return panes;
    for (HWND other = ::GetWindow(::GetParent(wnd), GW_CHILD); other; other = ::GetWindow(other, GW_HWNDNEXT)) {
        if (other != wnd && SharedBar(other, bar) == shared) panes.push_back(other);
    }
    return panes;
}

// While a shared bar's own scrolling is handled: the bar reaches every pane itself.
bool handlingSharedBar = false;

class SharedBarScope {
public:
    SharedBarScope() : outer_(handlingSharedBar) { handlingSharedBar = true; }
    ~SharedBarScope() { handlingSharedBar = outer_; }
    SharedBarScope(const SharedBarScope&) = delete;
    SharedBarScope& operator=(const SharedBarScope&) = delete;

private:
    bool outer_;
};

// The 32-bit track position of a bar; the scroll message's own holds only 16 bits.
int TrackPos(HWND wnd, int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    if (HWND shared = SharedBar(wnd, bar)) ::GetScrollInfo(shared, SB_CTL, &si);
    else ::GetScrollInfo(wnd, bar, &si);
    return si.nTrackPos;
}

}  // namespace

void EditorWindow::ScrollTo(Pos lineStart) {
    const TextSource& text = buffer_.Text();
    lineStart = StartOfLineAt(text, std::clamp<Pos>(lineStart, 0, text.Length()));
    if (lineStart == topPos_) return;
    const Pos oldTop = topPos_;
    topPos_ = lineStart;
    // A few rows up or down: the pixels move and only the uncovered rows are painted.
    const Pos rows = text.IsIndexComplete() ? text.LineFromPosition(oldTop) - text.LineFromPosition(lineStart) : 0;
    if (rows != 0 && rows < LinesPerPage() && -rows < LinesPerPage()) {
        RECT pending{};
        if (::GetUpdateRect(wnd_, &pending, FALSE)) {
            // Painted at the old place first, then moved with the rest.
            topPos_ = oldTop;
            ::UpdateWindow(wnd_);
            topPos_ = lineStart;
        }
        ::ScrollWindowEx(wnd_, 0, static_cast<int>(rows) * lineHeight_, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    } else {
        ::InvalidateRect(wnd_, nullptr, FALSE);
    }
    UpdateScrollBars();
    UpdateCaret();
    // Panes side by side show the same lines, however one of them was scrolled.
    if (handlingSharedBar) return;
    for (HWND pane : PanesSharing(wnd_, SB_VERT)) {
        EditorWindow* other = FromWindow(pane);
        if (other && &other->buffer_ == &buffer_) other->ScrollTo(lineStart);
    }
}

void EditorWindow::ScrollToLine(Pos line) {
    WaitForFullIndex();
    const TextSource& text = buffer_.Text();
    ScrollTo(text.LineStart(std::clamp<Pos>(line, 0, std::max<Pos>(0, text.LineCount() - 1))));
}

void EditorWindow::ScrollLines(Pos delta) {
    const TextSource& text = buffer_.Text();
    if (text.IsIndexComplete()) {
        const Pos last = std::max<Pos>(0, text.LineCount() - 1);
        const Pos line = std::clamp<Pos>(text.LineFromPosition(topPos_) + delta, 0, last);
        ScrollTo(text.LineStart(line));
        return;
    }
    Pos start = topPos_;
    for (Pos i = 0; i < delta; ++i) {
        const Pos next = NextLineStart(start);
        if (next < 0) break;
        start = next;
    }
    for (Pos i = 0; i < -delta; ++i) {
        const Pos previous = PreviousLineStart(start);
        if (previous < 0) break;
        start = previous;
    }
    ScrollTo(start);
}

void EditorWindow::ScrollColumns(Pos delta) {
    const Pos column = std::max<Pos>(0, firstColumn_ + delta);
    if (column == firstColumn_) return;
    firstColumn_ = column;
    ::InvalidateRect(wnd_, nullptr, FALSE);
    UpdateScrollBars();
    UpdateCaret();
    // Panes one above the other show the same columns.
    if (handlingSharedBar) return;
    for (HWND pane : PanesSharing(wnd_, SB_HORZ)) {
        EditorWindow* other = FromWindow(pane);
        if (other && &other->buffer_ == &buffer_) other->ScrollColumns(column - other->firstColumn_);
    }
}

void EditorWindow::EnsureCaretVisible() {
    if (!wnd_) return;
    const Pos caret = session_.Caret();
    const int page = LinesPerPage();
    const int row = RowOf(caret);
    if (row < 0) {
        ScrollTo(session_.SpanAt(caret).start);
    } else if (row >= page) {
        // Put the caret's line on the last full row.
        Pos start = session_.SpanAt(caret).start;
        for (int i = 1; i < page; ++i) {
            const Pos previous = PreviousLineStart(start);
            if (previous < 0) break;
            start = previous;
        }
        ScrollTo(start);
    }
    const Pos column = session_.ColumnOf(caret);
    const int columns = std::max(1, VisibleColumns() - 1);
    if (column < firstColumn_) ScrollColumns(column - firstColumn_ - std::min<Pos>(column, columns / 4));
    else if (column >= firstColumn_ + columns) ScrollColumns(column - firstColumn_ - columns + 1 + columns / 4);
}

void EditorWindow::SetScrollInfoIfChanged(int bar, const SCROLLINFO& info) {
    // Only when something changed: the bar repaints itself each time. A shared bar is
    // compared with what it shows, since other panes set it too.
    if (HWND shared = SharedBar(wnd_, bar)) {
        SCROLLINFO shown{};
        shown.cbSize = sizeof shown;
        shown.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (!::GetScrollInfo(shared, SB_CTL, &shown) || shown.nMax != info.nMax || shown.nPage != info.nPage ||
            shown.nPos != info.nPos)
            ::SetScrollInfo(shared, SB_CTL, &info, TRUE);
        return;
    }
    SCROLLINFO& last = bar == SB_VERT ? lastVScroll_ : lastHScroll_;
    if (last.cbSize == sizeof last && last.nMax == info.nMax && last.nPage == info.nPage && last.nPos == info.nPos) return;
    last = info;
    ::SetScrollInfo(wnd_, bar, &info, TRUE);
}

void EditorWindow::UpdateScrollBars() {
    // Setting a scroll bar repaints it at once, which is slow: the text comes first, the
    // bars follow once the queue is empty of what the user typed.
    if (!wnd_ || barsPending_) return;
    barsPending_ = ::PostMessageA(wnd_, updateBarsMessage_, 0, 0) != FALSE;
    if (!barsPending_) UpdateScrollBarsNow();
}

void EditorWindow::UpdateScrollBarsNow() {
    if (!wnd_) return;
    const TextSource& text = buffer_.Text();
    const int page = LinesPerPage();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    scrollByBytes_ = !text.IsIndexComplete();
    if (scrollByBytes_) {
        // Lines are still being counted: the bar measures bytes, a page by the lines seen so far.
        const Pos known = text.LineStart(text.LineCount());
        const Pos perLine = text.LineCount() > 0 && known > 0 ? std::max<Pos>(1, known / text.LineCount()) : 80;
        scrollScale_ = ScaleFor(text.Length());
        si.nMax = static_cast<int>(text.Length() / scrollScale_);
        si.nPage = static_cast<UINT>(std::max<Pos>(1, perLine * page / scrollScale_));
        si.nPos = static_cast<int>(topPos_ / scrollScale_);
    } else {
        const Pos lines = std::max<Pos>(1, text.LineCount());
        scrollScale_ = ScaleFor(lines);
        si.nMax = static_cast<int>((lines - 1) / scrollScale_);
        si.nPage = static_cast<UINT>(std::max(1, page / scrollScale_));
        si.nPos = static_cast<int>(text.LineFromPosition(topPos_) / scrollScale_);
    }
    SetScrollInfoIfChanged(SB_VERT, si);

    SCROLLINFO hi{};
    hi.cbSize = sizeof hi;
    hi.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const int columns = VisibleColumns();
    // Hidden while every line painted so far fits.
    const Pos range = firstColumn_ > 0 ? std::max(widestColumns_ + 1, firstColumn_ + columns) : widestColumns_ + 1;
    hi.nMax = static_cast<int>(std::min<Pos>(range - 1, kMaxScrollRange));
    hi.nPage = static_cast<UINT>(columns);
    hi.nPos = static_cast<int>(std::min<Pos>(firstColumn_, kMaxScrollRange));
    SetScrollInfoIfChanged(SB_HORZ, hi);
}

void EditorWindow::OnVScroll(WPARAM wParam) {
    SharedBarScope fromBar;
    const int page = LinesPerPage();
    switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollLines(-1); break;
        case SB_LINEDOWN: ScrollLines(1); break;
        case SB_PAGEUP: ScrollLines(-page); break;
        case SB_PAGEDOWN: ScrollLines(page); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(buffer_.Text().Length()); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            const Pos units = static_cast<Pos>(TrackPos(wnd_, SB_VERT)) * scrollScale_;
            const TextSource& text = buffer_.Text();
            if (scrollByBytes_) ScrollTo(units);
            else ScrollTo(text.LineStart(std::clamp<Pos>(units, 0, std::max<Pos>(0, text.LineCount() - 1))));
            break;
        }
        default: break;
    }
}

void EditorWindow::OnHScroll(WPARAM wParam) {
    SharedBarScope fromBar;
    const int columns = VisibleColumns();
    switch (LOWORD(wParam)) {
        case SB_LINELEFT: ScrollColumns(-1); break;
        case SB_LINERIGHT: ScrollColumns(1); break;
        case SB_PAGELEFT: ScrollColumns(-columns); break;
        case SB_PAGERIGHT: ScrollColumns(columns); break;
        case SB_LEFT: ScrollColumns(-firstColumn_); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollColumns(TrackPos(wnd_, SB_HORZ) - firstColumn_);
            break;
        default: break;
    }
}

void EditorWindow::OnMouseWheel(WPARAM wParam) {
    UINT linesPerNotch = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
    wheelDelta_ += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = wheelDelta_ / WHEEL_DELTA;
    wheelDelta_ -= notches * WHEEL_DELTA;
    if (notches == 0) return;
    if (linesPerNotch == WHEEL_PAGESCROLL) ScrollLines(-static_cast<Pos>(notches) * LinesPerPage());
    else ScrollLines(-static_cast<Pos>(notches) * linesPerNotch);
}

void EditorWindow::UpdateIndexTimer() {
    const bool indexing = !buffer_.Text().IsIndexComplete();
    if (indexing && !indexTimer_) {
        indexTimer_ = ::SetTimer(wnd_, kIndexTimer, kIndexTimerMs, nullptr) != 0;
    } else if (!indexing && indexTimer_) {
        ::KillTimer(wnd_, kIndexTimer);
        indexTimer_ = false;
    }
}

void EditorWindow::OnTimer(WPARAM) {
    UpdateIndexTimer();
    UpdateScrollBars();
    // The progress sign in the top right corner, or its removal once complete.
    InvalidateRows(0, 1);
}

bool EditorWindow::WaitForFullIndex() {
    FileTextSource* file = buffer_.File();
    if (!file || file->IsIndexComplete() || !wnd_) return file != nullptr;
    bool done;
    {
        ProgressWait wait(wnd_, "Counting the lines of the file...");
        done = file->WaitForIndex([&wait](double fraction) { return wait.Step(fraction); });
    }
    UpdateIndexTimer();
    Repaint();
    return done;
}

}  // namespace tessaly::editor
