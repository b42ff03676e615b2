#include "EditSession.h"

#include <algorithm>

#include "CharClass.h"

namespace tessaly::editor {

EditSession::EditSession(EditBuffer& buffer) : m_buffer(buffer)
{
    m_buffer.AddListener(this);
}

EditSession::~EditSession()
{
    m_buffer.RemoveListener(this);
}

void EditSession::OnBufferChange(const DocChange& change)
{
    m_caret = Clamp(MovePosition(m_caret, change));
    m_anchor = Clamp(MovePosition(m_anchor, change));
    m_desiredColumn = -1;
}

Pos EditSession::Clamp(Pos pos) const
{
    const TextSource& t = Text();
    pos = std::clamp<Pos>(pos, 0, t.Length());
    // Never between the CR and the LF of one line end.
    if (pos > 0 && pos < t.Length() && t.ByteAt(pos) == '\n' && t.ByteAt(pos - 1) == '\r')
        --pos;
    return pos;
}

std::string EditSession::SelectedText() const
{
    return Text().Text(SelStart(), SelEnd() - SelStart());
}

void EditSession::SetSelection(Pos anchor, Pos caret)
{
    m_anchor = Clamp(anchor);
    m_caret = Clamp(caret);
    m_desiredColumn = -1;
    m_buffer.Doc().BreakUndoMerge();
}

void EditSession::MoveTo(Pos pos, bool extend)
{
    m_caret = Clamp(pos);
    if (!extend)
        m_anchor = m_caret;
    m_desiredColumn = -1;
    m_buffer.Doc().BreakUndoMerge();
}

void EditSession::Collapse(Pos pos)
{
    m_caret = m_anchor = Clamp(pos);
    m_desiredColumn = -1;
}

EditSession::LineSpan EditSession::SpanAt(Pos pos) const
{
    const TextSource& t = Text();
    pos = std::clamp<Pos>(pos, 0, t.Length());
    const bool complete = t.IsIndexComplete();
    if (complete || pos < t.LineStart(t.LineCount())) {
        const Pos line = t.LineFromPosition(pos);
        const bool last = complete && line + 1 >= t.LineCount();
        return {t.LineStart(line), t.LineEnd(line), last ? -1 : t.LineStart(line + 1)};
    }
    // Beyond the lines indexed so far: find the bounds by reading around pos.
    LineSpan span{StartOfLineAt(t, pos), t.Length(), StartOfNextLine(t, pos)};
    if (span.next >= 0) {
        span.end = span.next;
        if (t.ByteAt(span.end - 1) == '\n') {
            --span.end;
            if (span.end > span.start && t.ByteAt(span.end - 1) == '\r')
                --span.end;
        } else {
            --span.end;  // a lone CR
        }
    }
    return span;
}

bool EditSession::StartOfLastLine()
{
    const TextSource& t = Text();
    if (t.IsIndexComplete() || t.Length() - t.LineStart(t.LineCount()) <= kLastLineLookBack) {
        MoveTo(SpanAt(t.Length()).start, false);
        return true;
    }
    const Pos start = StartOfLineAt(t, t.Length(), kLastLineLookBack);
    if (start < 0)
        return false;
    MoveTo(start, false);
    return true;
}

Pos EditSession::ColumnOf(Pos pos) const
{
    const LineSpan span = SpanAt(pos);
    const std::string head = Text().Text(span.start, std::min(pos, span.end) - span.start);
    const Pos tab = m_buffer.Settings().TabWidth();
    Pos column = 0;
    for (const char c : head)
        column += c == '\t' ? tab - column % tab : 1;
    return column;
}

Pos EditSession::PositionAtColumn(Pos lineStart, Pos column) const
{
    const LineSpan span = SpanAt(lineStart);
    // Every byte takes at least one column, so `column` bytes are enough to look at.
    const Pos n = std::min(span.end - span.start, std::max<Pos>(column, 0));
    const std::string text = Text().Text(span.start, n);
    const Pos tab = m_buffer.Settings().TabWidth();
    Pos c = 0;
    for (Pos i = 0; i < n; ++i) {
        const Pos width = text[static_cast<std::size_t>(i)] == '\t' ? tab - c % tab : 1;
        // Inside a tab: to whichever side of it is nearer.
        if (c + width > column)
            return span.start + i + ((column - c) * 2 >= width ? 1 : 0);
        c += width;
    }
    return span.start + n;
}

void EditSession::CharLeft(bool extend)
{
    if (HasSelection() && !extend) {
        MoveTo(SelStart(), false);
        return;
    }
    MoveTo(m_caret - 1, extend);  // Clamp steps over a whole CR LF
}

void EditSession::CharRight(bool extend)
{
    if (HasSelection() && !extend) {
        MoveTo(SelEnd(), false);
        return;
    }
    const TextSource& t = Text();
    const bool crLf = t.ByteAt(m_caret) == '\r' && t.ByteAt(m_caret + 1) == '\n';
    MoveTo(m_caret + (crLf ? 2 : 1), extend);
}

void EditSession::MoveLines(Pos delta, bool extend)
{
    const TextSource& t = Text();
    const Pos column = m_desiredColumn >= 0 ? m_desiredColumn : ColumnOf(m_caret);
    Pos target = -1;
    if (t.IsIndexComplete() || m_caret < t.LineStart(t.LineCount())) {
        const Pos line = t.LineFromPosition(m_caret);
        const Pos wanted = line + delta;
        if (t.IsIndexComplete() || wanted < t.LineCount()) {
            const Pos last = std::max<Pos>(0, t.LineCount() - 1);
            target = t.LineStart(std::clamp<Pos>(wanted, 0, t.IsIndexComplete() ? last : t.LineCount()));
        }
    }
    if (target < 0) {
        // Lines not indexed yet: walk line by line.
        LineSpan span = SpanAt(m_caret);
        for (Pos i = 0; i < delta && span.next >= 0; ++i)
            span = SpanAt(span.next);
        for (Pos i = 0; i < -delta && span.start > 0; ++i)
            span = SpanAt(span.start - 1);
        target = span.start;
    }
    MoveTo(PositionAtColumn(target, column), extend);
    m_desiredColumn = column;
}

void EditSession::Home(bool extend)
{
    const LineSpan span = SpanAt(m_caret);
    const std::string head = Text().Text(span.start, std::min<Pos>(span.end - span.start, 64 * 1024));
    Pos firstNonBlank = span.start;
    while (firstNonBlank - span.start < static_cast<Pos>(head.size()) &&
           IsBlank(head[static_cast<std::size_t>(firstNonBlank - span.start)])) {
        ++firstNonBlank;
    }
    MoveTo(m_caret == firstNonBlank ? span.start : firstNonBlank, extend);
}

void EditSession::End(bool extend)
{
    MoveTo(SpanAt(m_caret).end, extend);
}

Pos EditSession::WordRightOf(Pos p) const
{
    const TextSource& t = Text();
    const Pos length = t.Length();
    if (p < length && IsEolByte(t.ByteAt(p))) {
        const Pos next = SpanAt(p).next;
        return next < 0 ? length : next;
    }
    if (p < length) {
        const int cls = WordClass(t.ByteAt(p));
        if (cls != 0) {
            while (p < length && WordClass(t.ByteAt(p)) == cls)
                ++p;
        }
        while (p < length && IsBlank(t.ByteAt(p)))
            ++p;
    }
    return p;
}

Pos EditSession::WordLeftOf(Pos p) const
{
    const TextSource& t = Text();
    if (p > 0 && IsEolByte(t.ByteAt(p - 1)))
        return Clamp(p - 1);
    while (p > 0 && IsBlank(t.ByteAt(p - 1)))
        --p;
    if (p > 0 && !IsEolByte(t.ByteAt(p - 1))) {
        const int cls = WordClass(t.ByteAt(p - 1));
        while (p > 0 && WordClass(t.ByteAt(p - 1)) == cls)
            --p;
    }
    return p;
}

void EditSession::WordRight(bool extend)
{
    MoveTo(WordRightOf(m_caret), extend);
}

void EditSession::WordLeft(bool extend)
{
    MoveTo(WordLeftOf(m_caret), extend);
}

void EditSession::SelectWordAt(Pos pos)
{
    const TextSource& t = Text();
    pos = Clamp(pos);
    Pos at = pos;
    if (at >= t.Length() || IsEolByte(t.ByteAt(at))) {
        // At a line's end: the word before it, if any.
        if (at == 0 || IsEolByte(t.ByteAt(at - 1))) {
            MoveTo(pos, false);
            return;
        }
        --at;
    }
    const int cls = WordClass(t.ByteAt(at));
    Pos start = at;
    Pos end = at + 1;
    while (start > 0 && WordClass(t.ByteAt(start - 1)) == cls)
        --start;
    while (end < t.Length() && WordClass(t.ByteAt(end)) == cls)
        ++end;
    SetSelection(start, end);
}

std::string EditSession::SelWord() const
{
    const TextSource& t = Text();
    Pos at = m_caret;
    if (!IsWordByte(t.ByteAt(at))) {
        if (at == 0 || !IsWordByte(t.ByteAt(at - 1)))
            return {};
        --at;
    }
    constexpr Pos kMaxWord = 1024;
    Pos start = at;
    Pos end = at + 1;
    while (start > 0 && at - start < kMaxWord && IsWordByte(t.ByteAt(start - 1)))
        --start;
    while (end < t.Length() && end - at < kMaxWord && IsWordByte(t.ByteAt(end)))
        ++end;
    return t.Text(start, end - start);
}

bool EditSession::ReplaceSelection(std::string_view text, UndoMerge merge)
{
    TextDocument& d = m_buffer.Doc();
    const Pos start = SelStart();
    const Pos n = SelEnd() - start;
    d.BeginUndoGroup();
    bool ok = n == 0 || d.Delete(start, n);
    if (ok && !text.empty())
        ok = d.Insert(start, text, merge);
    d.EndUndoGroup();
    if (ok)
        Collapse(start + static_cast<Pos>(text.size()));
    return ok;
}

bool EditSession::TypeChar(char c)
{
    if (!m_buffer.CanEdit())
        return false;
    const std::string_view s(&c, 1);
    if (HasSelection())
        return ReplaceSelection(s, UndoMerge::None);
    TextDocument& d = m_buffer.Doc();
    const Pos at = m_caret;
    if (m_overwrite && at < SpanAt(at).end) {
        d.BeginUndoGroup();
        const bool ok = d.Delete(at, 1) && d.Insert(at, s);
        d.EndUndoGroup();
        if (ok)
            Collapse(at + 1);
        return ok;
    }
    if (!d.Insert(at, s, UndoMerge::Typing))
        return false;
    Collapse(at + 1);
    return true;
}

bool EditSession::InsertText(std::string_view text)
{
    return m_buffer.CanEdit() && ReplaceSelection(text, UndoMerge::None);
}

bool EditSession::NewLine()
{
    if (!m_buffer.CanEdit())
        return false;
    std::string text = m_buffer.LineEnding();
    if (m_buffer.Settings().m_bAutoIndent) {
        const LineSpan span = SpanAt(SelStart());
        const std::string head = Text().Text(span.start, std::min(SelStart(), span.end) - span.start);
        std::size_t blanks = 0;
        while (blanks < head.size() && IsBlank(head[blanks]))
            ++blanks;
        text.append(head, 0, blanks);
    }
    return ReplaceSelection(text, UndoMerge::None);
}

bool EditSession::Backspace()
{
    if (!m_buffer.CanEdit())
        return false;
    if (HasSelection())
        return DeleteSelection();
    if (m_caret == 0)
        return false;
    const Pos at = Clamp(m_caret - 1);  // a CR LF goes as one
    if (!m_buffer.Doc().Delete(at, m_caret - at, UndoMerge::DeleteBack))
        return false;
    Collapse(at);
    return true;
}

bool EditSession::DeleteChar()
{
    if (!m_buffer.CanEdit())
        return false;
    if (HasSelection())
        return DeleteSelection();
    const TextSource& t = Text();
    if (m_caret >= t.Length())
        return false;
    const Pos n = t.ByteAt(m_caret) == '\r' && t.ByteAt(m_caret + 1) == '\n' ? 2 : 1;
    const Pos at = m_caret;
    if (!m_buffer.Doc().Delete(at, n, UndoMerge::DeleteForward))
        return false;
    Collapse(at);
    return true;
}

bool EditSession::DeleteWordLeft()
{
    if (!m_buffer.CanEdit())
        return false;
    if (HasSelection())
        return DeleteSelection();
    const Pos from = WordLeftOf(m_caret);
    if (from >= m_caret || !m_buffer.Doc().Delete(from, m_caret - from, UndoMerge::None))
        return false;
    Collapse(from);
    return true;
}

bool EditSession::DeleteWordRight()
{
    if (!m_buffer.CanEdit())
        return false;
    if (HasSelection())
        return DeleteSelection();
    const Pos to = WordRightOf(m_caret);
    const Pos at = m_caret;
    if (to <= at || !m_buffer.Doc().Delete(at, to - at, UndoMerge::None))
        return false;
    Collapse(at);
    return true;
}

bool EditSession::DeleteSelection()
{
    if (!m_buffer.CanEdit() || !HasSelection())
        return false;
    return ReplaceSelection({}, UndoMerge::None);
}

std::string EditSession::IndentUnit(Pos column) const
{
    const EditorSettings& s = m_buffer.Settings();
    if (s.m_bKeepTabs)
        return "\t";
    const Pos tab = s.TabWidth();
    return std::string(static_cast<std::size_t>(tab - column % tab), ' ');
}

bool EditSession::Tab()
{
    if (!m_buffer.CanEdit())
        return false;
    const TextSource& t = Text();
    if (HasSelection() && t.LineFromPosition(SelStart()) != t.LineFromPosition(SelEnd()))
        return ShiftLines(true);
    return ReplaceSelection(IndentUnit(ColumnOf(SelStart())), UndoMerge::None);
}

bool EditSession::BackTab()
{
    return m_buffer.CanEdit() && ShiftLines(false);
}

bool EditSession::ShiftLines(bool indent)
{
    TextDocument& d = m_buffer.Doc();
    const TextBuffer& t = d.Text();
    const Pos tab = m_buffer.Settings().TabWidth();
    const Pos s = SelStart();
    const Pos e = SelEnd();
    const Pos first = t.LineFromPosition(s);
    Pos last = t.LineFromPosition(e);
    // A selection that ends at the start of a line does not take that line.
    if (e > s && last > first && e == t.LineStart(last))
        --last;
    const bool reselect = HasSelection();
    bool changed = false;
    d.BeginUndoGroup();
    for (Pos line = last; line >= first; --line) {
        const Pos start = t.LineStart(line);
        const Pos length = t.LineLength(line);
        if (indent) {
            if (length == 0)
                continue;
            const std::string unit =
                m_buffer.Settings().m_bKeepTabs ? "\t" : std::string(static_cast<std::size_t>(tab), ' ');
            changed = d.Insert(start, unit) || changed;
        } else {
            const std::string head = t.Text(start, std::min(length, tab));
            std::size_t n = 0;
            if (!head.empty() && head[0] == '\t') {
                n = 1;
            } else {
                while (n < head.size() && head[n] == ' ')
                    ++n;
                if (n < head.size() && head[n] == '\t')
                    ++n;
            }
            if (n > 0)
                changed = d.Delete(start, static_cast<Pos>(n)) || changed;
        }
    }
    d.EndUndoGroup();
    if (reselect && changed) {
        SetSelection(t.LineStart(first), last + 1 < t.LineCount() ? t.LineStart(last + 1) : t.Length());
    }
    return changed;
}

bool EditSession::Undo()
{
    if (!CanUndo())
        return false;
    const Pos at = m_buffer.Doc().Undo();
    if (at >= 0)
        Collapse(at);
    return at >= 0;
}

bool EditSession::Redo()
{
    if (!CanRedo())
        return false;
    const Pos at = m_buffer.Doc().Redo();
    if (at >= 0)
        Collapse(at);
    return at >= 0;
}

bool EditSession::DropText(Pos pos, std::string_view text, bool moveSelection)
{
    if (!m_buffer.CanEdit() || text.empty())
        return false;
    TextDocument& d = m_buffer.Doc();
    pos = Clamp(pos);
    Pos newStart = pos;
    if (moveSelection && HasSelection()) {
        const Pos s = SelStart();
        const Pos e = SelEnd();
        if (pos >= s && pos <= e)
            return false;  // dropped onto itself
        d.BeginUndoGroup();
        bool ok;
        if (pos > e) {
            ok = d.Insert(pos, text) && d.Delete(s, e - s);
            newStart = pos - (e - s);
        } else {
            ok = d.Delete(s, e - s) && d.Insert(pos, text);
        }
        d.EndUndoGroup();
        if (!ok)
            return false;
    } else if (!d.Insert(pos, text)) {
        return false;
    }
    SetSelection(newStart, newStart + static_cast<Pos>(text.size()));
    return true;
}

bool EditSession::FindNext(const FindOptions& options, bool wrap)
{
    return Find(options, wrap, {}) == FindResult::Found;
}

EditSession::FindResult EditSession::Find(const FindOptions& options, bool wrap,
                                          const std::function<bool(double)>& progress)
{
    const TextSource& t = Text();
    const Pos m = static_cast<Pos>(options.what.size());
    if (m == 0)
        return FindResult::NotFound;
    // A wrapped search reads the text once in all: each part reports its share of that.
    const Pos whole = std::max<Pos>(1, wrap ? t.Length() : (options.down ? t.Length() - SelEnd() : SelStart()));
    Pos before = 0;
    SearchProgress told;
    if (progress) {
        told = [&](Pos done, Pos) { return progress(std::min(1.0, static_cast<double>(before + done) / whole)); };
    }
    // The wrapped part ends where the first began, overlapping it by what a match there
    // would need: the rest of the text has been searched already.
    Pos found;
    if (options.down) {
        found = FindInText(t, SelEnd(), t.Length(), options, told);
        before = t.Length() - SelEnd();
        if (found == -1 && wrap)
            found = FindInText(t, 0, std::min(t.Length(), SelEnd() + m - 1), options, told);
    } else {
        found = FindInText(t, SelStart(), 0, options, told);
        before = SelStart();
        if (found == -1 && wrap)
            found = FindInText(t, t.Length(), std::max<Pos>(0, SelStart() - m + 1), options, told);
    }
    if (found == kSearchStopped)
        return FindResult::Stopped;
    if (found < 0)
        return FindResult::NotFound;
    // Leave the caret where a search in the same direction goes on from.
    if (options.down)
        SetSelection(found, found + m);
    else
        SetSelection(found + m, found);
    return FindResult::Found;
}

bool EditSession::Replace(const FindOptions& options, std::string_view with)
{
    if (!m_buffer.CanEdit())
        return false;
    const Pos m = static_cast<Pos>(options.what.size());
    if (HasSelection() && SelEnd() - SelStart() == m && MatchesAt(Text(), SelStart(), options)) {
        const Pos start = SelStart();
        if (!ReplaceSelection(with, UndoMerge::None))
            return false;
        if (!options.down)
            Collapse(start);
    }
    return FindNext(options);
}

Pos EditSession::ReplaceAll(const FindOptions& options, std::string_view with)
{
    if (!m_buffer.CanEdit() || options.what.empty())
        return 0;
    TextDocument& d = m_buffer.Doc();
    FindOptions down = options;
    down.down = true;
    const Pos m = static_cast<Pos>(options.what.size());
    Pos pos = 0;
    Pos count = 0;
    d.BeginUndoGroup();
    for (;;) {
        const Pos at = FindInText(d.Text(), pos, d.Text().Length(), down);
        if (at < 0)
            break;
        if (!d.Delete(at, m) || !d.Insert(at, with))
            break;
        pos = at + static_cast<Pos>(with.size());
        ++count;
    }
    d.EndUndoGroup();
    if (count > 0)
        Collapse(pos);
    return count;
}

void EditSession::GotoLine(Pos oneBasedLine)
{
    const TextSource& t = Text();
    const Pos line = std::clamp<Pos>(oneBasedLine - 1, 0, std::max<Pos>(0, t.LineCount() - 1));
    MoveTo(t.LineStart(line), false);
}

Pos EditSession::EmLineFromChar(Pos ch) const
{
    if (ch < 0)
        ch = SelStart();
    return Text().LineFromPosition(std::min(ch, Text().Length()));
}

Pos EditSession::EmLineIndex(Pos line) const
{
    const TextSource& t = Text();
    if (line < 0)
        line = t.LineFromPosition(m_caret);
    if (line >= EmGetLineCount())
        return -1;
    return t.LineStart(line);
}

Pos EditSession::EmLineLength(Pos ch) const
{
    const TextSource& t = Text();
    if (ch >= 0) {
        if (ch > t.Length())
            return 0;
        return t.LineLength(t.LineFromPosition(ch));
    }
    const Pos first = t.LineFromPosition(SelStart());
    const Pos last = t.LineFromPosition(SelEnd());
    if (first == last)
        return std::max<Pos>(0, t.LineLength(first) - (SelEnd() - SelStart()));
    return std::max<Pos>(0, SelStart() - t.LineStart(first)) + std::max<Pos>(0, t.LineEnd(last) - SelEnd());
}

void EditSession::EmSetSel(Pos start, Pos end)
{
    if (start < 0) {
        SetSelection(m_caret, m_caret);
        return;
    }
    if (end < 0)
        end = Text().Length();
    SetSelection(start, end);
}

Pos EditSession::GetText(char* out, Pos max) const
{
    if (!out || max <= 0)
        return 0;
    const Pos n = std::min(Text().Length(), max - 1);
    Text().GetBytes(0, n, out);
    out[n] = '\0';
    return n;
}

}  // namespace tessaly::editor
