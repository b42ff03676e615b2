// Painting: only the rows the system asks for, each from the buffer's text of that line
// as far as it is visible, coloured by the lexer's runs.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "CharClass.h"
#include "EditorWindow.h"

namespace tessaly::editor {

namespace {

class NoKeywords : public KeywordLookup {
public:
    bool IsDirective(std::string_view, bool) const override { return false; }
    bool IsConstant(std::string_view, bool) const override { return false; }
};

// Halfway between two colours: how tab marks stand back from the text.
COLORREF Blend(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

// True when the line before the one starting at lineStart ends in a backslash.
bool PreviousLineContinues(const TextSource& text, Pos lineStart)
{
    Pos p = lineStart;
    if (p > 0 && text.ByteAt(p - 1) == '\n')
        --p;
    if (p > 0 && text.ByteAt(p - 1) == '\r')
        --p;
    return p > 0 && p < lineStart && text.ByteAt(p - 1) == '\\';
}

// One run of cells painted alike.
struct Segment {
    Pos column = 0;
    std::string text;
    COLORREF fore = 0;
    COLORREF back = 0;
};

}  // namespace

COLORREF EditorWindow::StyleColour(Style style) const
{
    const EditorSettings& s = m_buffer.Settings();
    switch (style) {
        case Style::Comment:
            return s.m_clrComment;
        case Style::Keyword:
            return s.m_clrKeyword;
        case Style::Constant:
            return s.m_clrConstant;
        case Style::Number:
            return s.m_clrNumber;
        case Style::Quote:
            return s.m_clrQuote;
        case Style::SingleQuote:
            return s.m_clrSingleQuote;
        case Style::Text:
            break;
    }
    return s.m_clrText;
}

COLORREF EditorWindow::TextColourOf(const std::string& visible, const EditSession::LineSpan& span)
{
    const COLORREF plain = m_buffer.Settings().m_clrText;
    if (!m_lineColour)
        return plain;
    const Pos length = span.end - span.start;
    // The bytes painted are enough when they are the whole line or as many as it takes.
    const Pos needed = std::min(length, kLineColourBytes);
    COLORREF colour = CLR_INVALID;
    if (static_cast<Pos>(visible.size()) >= needed) {
        colour = m_lineColour(std::string_view(visible).substr(0, static_cast<std::size_t>(needed)));
    } else {
        // Read into a buffer kept between lines: no allocation per line painted.
        m_colourHead.resize(static_cast<std::size_t>(needed));
        m_buffer.Text().GetBytes(span.start, needed, m_colourHead.data());
        colour = m_lineColour(m_colourHead);
    }
    return colour == CLR_INVALID ? plain : colour;
}

void EditorWindow::OnPaint()
{
    const Pos widest = m_widestColumns;
    PaintWindow();
    // A wider line came into view: the horizontal bar learns of it.
    if (m_widestColumns != widest || m_barsAfterPaint) {
        m_barsAfterPaint = false;
        UpdateScrollBars();
    }
}

void EditorWindow::PaintWindow()
{
    CPaintDC paint(m_wnd);
    RECT client{};
    ::GetClientRect(m_wnd, &client);
    const RECT area = paint.m_ps.rcPaint;
    const int width = client.right;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;

    // Drawn off screen first, so a repainted line never flickers.
    const HDC mem = m_offscreen.Prepare(paint, width, height);
    if (!mem)
        return;
    CSelectObject selectFont(mem, m_font ? static_cast<HGDIOBJ>(m_font) : ::GetStockObject(ANSI_FIXED_FONT));
    ::SetViewportOrgEx(mem, 0, -area.top, nullptr);

    const TextSource& text = m_buffer.Text();
    const int firstRow = area.top / m_lineHeight;
    const int lastRow = (area.bottom - 1) / m_lineHeight;
    Pos lineStart = LineStartAtRow(firstRow);
    bool pastEnd = false;
    if (text.IsIndexComplete()) {
        pastEnd = text.LineFromPosition(m_topPos) + firstRow >= std::max<Pos>(1, text.LineCount());
    }
    const COLORREF background = m_buffer.Settings().m_clrBackground;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = row * m_lineHeight;
        if (pastEnd) {
            RECT rc{0, y, width, y + m_lineHeight};
            ::SetBkColor(mem, background);
            ::ExtTextOutA(mem, 0, y, ETO_OPAQUE, &rc, "", 0, nullptr);
            continue;
        }
        PaintLine(mem, y, lineStart, width);
        PaintCaret(mem, y);
        lineStart = NextLineStart(lineStart);
        pastEnd = lineStart < 0;
    }
    if (!text.IsIndexComplete() && m_buffer.File())
        PaintProgress(mem, m_buffer.File()->Progress());
    ::BitBlt(paint, 0, area.top, width, height, mem, 0, area.top, SRCCOPY);
}

void EditorWindow::PaintLine(HDC dc, int y, Pos lineStart, int width)
{
    const TextSource& text = m_buffer.Text();
    const EditorSettings& settings = m_buffer.Settings();
    const EditSession::LineSpan span = m_session.SpanAt(lineStart);
    const Pos endColumn = m_firstColumn + VisibleColumns() + 1;
    // Every byte takes at least one column: the visible part lies in the first endColumn bytes.
    const Pos n = std::min(span.end - span.start, endColumn);
    const std::string line = text.Text(span.start, n);

    m_runs.clear();
    if (m_buffer.ColoringActive()) {
        static const NoKeywords kNone;
        LexConfLine(line, PreviousLineContinues(text, span.start), m_keywords ? *m_keywords : kNone,
                    settings.m_bCaseSensitive != 0, m_runs);
    }
    const Pos selStart = m_session.SelStart();
    const Pos selEnd = m_session.SelEnd();
    // Without the focus the selection keeps the highlight while this window's find dialog is
    // open, so that the match it found stands out (as an edit control that does not hide
    // its selection shows it); otherwise it takes the colours of an inactive selection,
    // the button face and its text.
    const bool highlighted = m_hasFocus || m_find.IsOpen();
    const COLORREF selBack = ::GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    const COLORREF selFore = ::GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    const Pos tabWidth = settings.TabWidth();
    const COLORREF textColour = TextColourOf(line, span);

    // The line's number only when marks may need it: a file still being indexed has none.
    Pos lineNumber = -1;
    if (!m_marks.empty() && text.IsIndexComplete())
        lineNumber = text.LineFromPosition(span.start);
    std::vector<Pos> byteColumns;
    std::vector<Segment> segments;
    std::vector<Pos> tabColumns;
    std::size_t run = 0;
    Pos column = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        while (run < m_runs.size() && static_cast<std::size_t>(m_runs[run].start + m_runs[run].length) <= i)
            ++run;
        const bool styled = run < m_runs.size() && static_cast<std::size_t>(m_runs[run].start) <= i;
        const Pos pos = span.start + static_cast<Pos>(i);
        const bool selected = pos >= selStart && pos < selEnd;
        const COLORREF fore = selected ? selFore : styled ? StyleColour(m_runs[run].style) : textColour;
        const COLORREF back = selected ? selBack : settings.m_clrBackground;
        if (segments.empty() || segments.back().fore != fore || segments.back().back != back) {
            segments.push_back({column, {}, fore, back});
        }
        const char c = line[i];
        if (lineNumber >= 0)
            byteColumns.push_back(column);
        if (c == '\t') {
            const Pos cells = tabWidth - column % tabWidth;
            if (settings.m_bShowTabs)
                tabColumns.push_back(column);
            segments.back().text.append(static_cast<std::size_t>(cells), ' ');
            column += cells;
        } else {
            // Control bytes (NUL and the like) show as a dot; the text keeps them.
            segments.back().text.push_back(static_cast<unsigned char>(c) < 0x20 ? '\xB7' : c);
            ++column;
        }
        if (column >= endColumn)
            break;
    }
    if (n == span.end - span.start)
        m_widestColumns = std::max(m_widestColumns, column);
    else
        m_widestColumns = std::max(m_widestColumns, endColumn);

    std::vector<INT> advances(static_cast<std::size_t>(VisibleColumns() + 2), m_charWidth);
    int x = 0;
    {
        RECT margin{0, y, kMargin, y + m_lineHeight};
        ::SetBkColor(dc, settings.m_clrBackground);
        ::ExtTextOutA(dc, 0, y, ETO_OPAQUE, &margin, "", 0, nullptr);
        x = kMargin;
    }
    for (const Segment& seg : segments) {
        const Pos segEnd = seg.column + static_cast<Pos>(seg.text.size());
        if (segEnd <= m_firstColumn)
            continue;
        const Pos skip = std::max<Pos>(0, m_firstColumn - seg.column);
        const Pos count = std::min<Pos>(static_cast<Pos>(seg.text.size()) - skip, endColumn - m_firstColumn);
        if (count <= 0)
            continue;
        const int left = kMargin + static_cast<int>(seg.column + skip - m_firstColumn) * m_charWidth;
        RECT rc{left, y, left + static_cast<int>(count) * m_charWidth, y + m_lineHeight};
        ::SetTextColor(dc, seg.fore);
        ::SetBkColor(dc, seg.back);
        ::ExtTextOutA(dc, left, y, ETO_OPAQUE | ETO_CLIPPED, &rc, seg.text.data() + skip, static_cast<UINT>(count),
                      advances.data());
        x = rc.right;
    }
    // The line end: shown selected when the selection runs over it.
    if (x < width) {
        const bool endSelected = span.end >= selStart && span.end < selEnd;
        RECT rest{x, y, width, y + m_lineHeight};
        ::SetBkColor(dc, settings.m_clrBackground);
        ::ExtTextOutA(dc, x, y, ETO_OPAQUE, &rest, "", 0, nullptr);
        if (endSelected && column >= m_firstColumn) {
            RECT cell{x, y, x + m_charWidth, y + m_lineHeight};
            ::SetBkColor(dc, selBack);
            ::ExtTextOutA(dc, x, y, ETO_OPAQUE, &cell, "", 0, nullptr);
        }
    }
    if (lineNumber >= 0) {
        byteColumns.push_back(column);
        PaintMarks(dc, y, lineNumber, byteColumns);
    }
    if (!tabColumns.empty()) {
        CPen pen(PS_SOLID, 1, Blend(settings.m_clrText, settings.m_clrBackground));
        CSelectObject selectPen(dc, pen);
        const int mid = y + m_lineHeight / 2;
        for (const Pos tabColumn : tabColumns) {
            if (tabColumn < m_firstColumn)
                continue;
            const int left = kMargin + static_cast<int>(tabColumn - m_firstColumn) * m_charWidth + 1;
            const int right = left + std::max(3, m_charWidth - 2);
            // A small arrow: a shaft and its head.
            ::MoveToEx(dc, left, mid, nullptr);
            ::LineTo(dc, right, mid);
            ::MoveToEx(dc, right - 3, mid - 3, nullptr);
            ::LineTo(dc, right, mid);
            ::LineTo(dc, right - 4, mid + 4);
        }
    }
}

void EditorWindow::PaintMarks(HDC dc, int y, Pos line, const std::vector<Pos>& byteColumns)
{
    const auto first =
        std::lower_bound(m_marks.begin(), m_marks.end(), line, [](const VQMark& m, Pos l) { return m.line < l; });
    const EditorSettings& settings = m_buffer.Settings();
    const int bottom = y + m_lineHeight - 1;
    for (auto mark = first; mark != m_marks.end() && mark->line == line; ++mark) {
        auto columnOf = [&](Pos byte) {
            return byte < static_cast<Pos>(byteColumns.size()) ? byteColumns[static_cast<std::size_t>(byte)]
                                                               : byteColumns.back();
        };
        Pos from = columnOf(mark->start);
        Pos to = columnOf(mark->end);
        if (to <= from)  // an empty part: one cell
            to = from + 1;
        from = std::max(from, m_firstColumn);
        const int left = kMargin + static_cast<int>(from - m_firstColumn) * m_charWidth;
        const int right = kMargin + static_cast<int>(to - m_firstColumn) * m_charWidth;
        if (right <= left)
            continue;
        // A zigzag two pixels high along the bottom of the line's cells.
        std::vector<POINT> wave;
        for (int x = left; x <= right; x += 2)
            wave.push_back({x, ((x - left) / 2) % 2 == 0 ? bottom : bottom - 2});
        CPen pen(PS_SOLID, 1, mark->kind == VQ_MARK_WARNING ? settings.m_clrWarningMark : settings.m_clrErrorMark);
        CSelectObject selectPen(dc, pen);
        ::Polyline(dc, wave.data(), static_cast<int>(wave.size()));
    }
}

void EditorWindow::PaintProgress(HDC dc, double fraction)
{
    RECT client{};
    ::GetClientRect(m_wnd, &client);
    char label[64];
    std::snprintf(label, sizeof label, " Indexing lines: %d%% ", static_cast<int>(fraction * 100.0));
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, label, static_cast<int>(std::strlen(label)), &extent);
    RECT box{client.right - extent.cx - 4, 0, client.right, m_lineHeight + 4};
    const int filled = box.left + static_cast<int>((box.right - box.left) * std::clamp(fraction, 0.0, 1.0));
    RECT done{box.left, box.top, filled, box.bottom};
    ::SetBkColor(dc, RGB(255, 255, 192));
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &box, "", 0, nullptr);
    ::SetBkColor(dc, RGB(160, 208, 255));
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &done, "", 0, nullptr);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::TextOutA(dc, box.left + 2, 2, label, static_cast<int>(std::strlen(label)));
    ::SetBkMode(dc, OPAQUE);
    ::FrameRect(dc, &box, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
}

}  // namespace tessaly::editor
