#include "LineFilter.h"

#include <algorithm>
#include <limits>

#include "LineEnds.h"
#include "Simd.h"
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
// A match this near the start of the line where the search stands has its line counted in
// the block rather than looked up in the index: with a match on most lines, the lookups
// would cost more than the search.
constexpr Pos kCountLinesBytes = 4096;

#if TESSALY_HAVE_SSE2_PATH
__attribute__((target("sse2"))) const char* LineEndSse2(const char* p, const char* end)
{
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
        if (mask)
            return p + __builtin_ctz(mask);
    }
    return FindEolByte(p, end);
}
#endif

// The first CR or LF in [p, end), or end: the part of a line before or after a match is
// short, and sixteen bytes at a time find its end sooner than one at a time.
const char* LineEnd(const char* p, const char* end)
{
#if TESSALY_HAVE_SSE2_PATH
    if (HaveSse2())
        return LineEndSse2(p, end);
#endif
    return FindEolByte(p, end);
}

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

Pos LineFilter::LineOfMatch(const TextSource& text, Pos match) const
{
    if (m_lineStart < m_bufFrom || match - m_lineStart > kCountLinesBytes)
        return std::max(m_nextLine, text.LineFromPosition(match));
    const char* p = m_buf.data() + (m_lineStart - m_bufFrom);
    const char* const end = m_buf.data() + (match - m_bufFrom);
    Pos line = m_nextLine;
    // A match starts with no line end: the byte after a CR before it is in the block.
    while ((p = LineEnd(p, end)) != end) {
        p += p[0] == '\r' && p[1] == '\n' ? 2 : 1;
        ++line;
    }
    return line;
}

Pos LineFilter::NextLineStart(const TextSource& text, Pos match, Pos line, std::size_t size) const
{
    const char* const end = m_buf.data() + size;
    const char* const eol = LineEnd(m_buf.data() + (match - m_bufFrom), end);
    // A CR at the end of the block may be the first half of a CR LF.
    if (eol == end || (eol[0] == '\r' && eol + 1 == end))
        return text.LineStart(line + 1);
    return m_bufFrom + (eol - m_buf.data()) + (eol[0] == '\r' && eol[1] == '\n' ? 2 : 1);
}

void LineFilter::ShowLastLine(bool holdsText, ShownLines& shown)
{
    m_beforeLastLine = {m_nextLine, m_contextEnd, shown.End()};
    Decide(holdsText ? m_nextLine : m_nextLine + 1, holdsText, shown);
    m_lastLineShown = true;
}

LineFilter::Progress LineFilter::Run(const TextSource& text, TextReader& reader, Pos maxBytes, ShownLines& shown)
{
    if (m_lastLineShown) {
        // The last line may have grown since: it is looked at again from its start, which
        // moves on when an LF came after a CR that ended the text.
        shown.DropFrom(m_beforeLastLine.shownEnd);
        m_nextLine = m_beforeLastLine.nextLine;
        m_scanPos = m_lineStart = text.LineStart(m_nextLine);
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
                const Pos line = std::min(LineOfMatch(text, match), lastLine);
                if (line >= lastLine && complete) {
                    lastLineHolds = true;
                    at = limit;
                    break;
                }
                Decide(line, true, shown);
                m_lineStart = NextLineStart(text, match, line, size);
                at = std::max(match + 1, m_lineStart);
            }
        }
        m_scanPos = std::max(at, hi);
        // The lines that end before where the search stands hold no text.
        const Pos searched = m_scanPos >= limit ? lastLine : std::min(lastLine, text.LineFromPosition(m_scanPos));
        if (searched > m_nextLine) {
            Decide(searched, false, shown);
            m_lineStart = text.LineStart(m_nextLine);
        }
        budget -= n;
        m_block = std::min(m_block * 2, kLargestBlock);
    }
    if (m_scanPos < limit)
        return Progress::More;
    if (!complete)
        return Progress::Waiting;
    ShowLastLine(lastLineHolds, shown);
    return Progress::Done;
}

}  // namespace tessaly::editor
