#include "LineFilter.h"

#include <algorithm>
#include <limits>

#include "TextSearch.h"

namespace tessaly::editor {

namespace {

// A piece starts with a small block, so that the first lines are there at once, and reads
// more and more, up to Find's block: large reads cost less each.
constexpr Pos kFirstBlock = 64 * 1024;
constexpr Pos kLargestBlock = 1024 * 1024;
// m_nextMatch: not looked for yet in this block, or none left in it.
constexpr Pos kNotLooked = -1;
constexpr Pos kNoneLeft = std::numeric_limits<Pos>::max();

}  // namespace

std::vector<std::string> SplitFilterTexts(const std::string& typed)
{
    std::vector<std::string> texts;
    std::string text;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c == '\\' && i + 1 < typed.size() && typed[i + 1] == '|') {
            text += '|';
            ++i;
        } else if (c == '|') {
            if (!text.empty())
                texts.push_back(std::move(text));
            text.clear();
        } else {
            text += c;
        }
    }
    if (!text.empty())
        texts.push_back(std::move(text));
    return texts;
}

LineFilter::LineFilter(const LineFilterOptions& options)
    : m_context(std::clamp(options.context, 0, kMaxFilterContext)), m_block(kFirstBlock)
{
    const std::vector<std::string> texts = SplitFilterTexts(options.text);
    m_showsAll = texts.empty();
    // With nothing to look for, every line passes as it does when none holds an excluded text.
    m_exclude = options.exclude || m_showsAll;
    for (const std::string& text : texts) {
        // A text with a line break in it is in no line.
        if (text.find_first_of("\r\n") != std::string::npos)
            continue;
        FindOptions find;
        find.what = text;
        find.matchCase = options.matchCase;
        m_needles.emplace_back(find);
        m_longest = std::max(m_longest, text.size());
    }
    m_nextMatch.resize(m_needles.size());
}

void LineFilter::Pass(Pos first, Pos end, ShownLines& shown)
{
    if (first >= end)
        return;
    shown.AppendRange(first - m_context, end);
    m_contextEnd = end + m_context;
}

void LineFilter::Fail(Pos first, Pos end, ShownLines& shown)
{
    const Pos to = std::min(end, m_contextEnd);
    if (first < to)
        shown.AppendRange(first, to);
}

void LineFilter::Decide(Pos line, bool holdsText, ShownLines& shown)
{
    if (line < m_nextLine)
        return;
    const Pos end = holdsText ? line + 1 : line;
    if (m_exclude) {
        Pass(m_nextLine, line, shown);
        Fail(line, end, shown);
    } else {
        Fail(m_nextLine, line, shown);
        Pass(line, end, shown);
    }
    m_nextLine = end;
}

Pos LineFilter::NextMatch(Pos at, Pos hi, std::size_t size)
{
    Pos nearest = kNoneLeft;
    for (std::size_t i = 0; i < m_needles.size(); ++i) {
        Pos& next = m_nextMatch[i];
        if (next < at) {
            const std::ptrdiff_t found = m_needles[i].FindFirst(
                m_buf.data(), size, static_cast<std::size_t>(at - m_bufFrom), static_cast<std::size_t>(hi - m_bufFrom));
            next = found < 0 ? kNoneLeft : m_bufFrom + found;
        }
        nearest = std::min(nearest, next);
    }
    return nearest == kNoneLeft ? -1 : nearest;
}

void LineFilter::ShowLastLine(const TextSource& text, bool holdsText, ShownLines& shown)
{
    m_beforeLastLine = {m_nextLine, text.LineStart(m_nextLine), m_contextEnd, shown.End()};
    Decide(holdsText ? m_nextLine : m_nextLine + 1, holdsText, shown);
    m_lastLineShown = true;
}

LineFilter::Progress LineFilter::Run(const TextSource& text, TextReader& reader, Pos maxBytes, ShownLines& shown)
{
    if (m_lastLineShown) {
        // The last line may have grown since: it is looked at again from its start.
        shown.DropFrom(m_beforeLastLine.shownEnd);
        m_nextLine = m_beforeLastLine.nextLine;
        m_scanPos = m_beforeLastLine.scanPos;
        m_contextEnd = m_beforeLastLine.contextEnd;
        m_lastLineShown = false;
    }
    // Lines before lastLine are decided on in this run; their bytes end at limit. Until the
    // index is complete, every line it knows has its line end; then the last may have none.
    Pos lineCount = text.LineCount();
    const bool complete = text.IsIndexComplete();
    if (complete)
        lineCount = text.LineCount();
    const Pos lastLine = complete ? std::max<Pos>(0, lineCount - 1) : lineCount;
    const Pos limit = complete ? text.Length() : text.LineStart(lineCount);
    bool lastLineHolds = false;
    for (Pos budget = std::max<Pos>(1, maxBytes); m_scanPos < limit && budget > 0;) {
        const Pos n = std::min({m_block, budget, limit - m_scanPos});
        const Pos hi = m_scanPos + n;
        Pos at = m_scanPos;
        if (!m_needles.empty()) {
            // With the bytes that a match starting in the block may reach into.
            m_bufFrom = m_scanPos;
            const std::size_t size = static_cast<std::size_t>(std::min<Pos>(limit, hi + m_longest - 1) - m_bufFrom);
            // As large as the blocks have been, so that a short log takes a little memory.
            if (m_buf.size() < size)
                m_buf.resize(size);
            reader.Read(m_bufFrom, static_cast<Pos>(size), m_buf.data());
            std::fill(m_nextMatch.begin(), m_nextMatch.end(), kNotLooked);
            for (Pos match; at < hi && (match = NextMatch(at, hi, size)) >= 0;) {
                // The match's line, most often the line where the search stands; the rest
                // of that line need not be searched.
                Pos line = std::max(m_nextLine, text.LineFromPosition(match));
                if (line >= lastLine && complete) {
                    lastLineHolds = true;
                    at = limit;
                    break;
                }
                Decide(line, true, shown);
                at = std::max(match + 1, text.LineStart(line + 1));
            }
        }
        m_scanPos = std::max(at, hi);
        // The lines that end before where the search stands hold no text.
        const Pos searched = m_scanPos >= limit ? lastLine : std::min(lastLine, text.LineFromPosition(m_scanPos));
        Decide(searched, false, shown);
        budget -= n;
        m_block = std::min(m_block * 2, kLargestBlock);
    }
    if (m_scanPos < limit)
        return Progress::More;
    if (!complete)
        return Progress::Waiting;
    ShowLastLine(text, lastLineHolds, shown);
    return Progress::Done;
}

}  // namespace tessaly::editor
