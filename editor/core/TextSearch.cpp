#include "TextSearch.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "BlockSearch.h"
#include "LineEnds.h"
#include "Needle.h"

namespace tessaly::editor {

Pos FindInText(const TextSource& text, Pos from, Pos limit, const FindOptions& o, const SearchProgress& progress,
               const SearchSizes& sizes)
{
    const Pos m = static_cast<Pos>(o.what.size());
    const Pos length = text.Length();
    if (m == 0)
        return -1;
    from = std::clamp<Pos>(from, 0, length);
    limit = std::clamp<Pos>(limit, 0, length);
    // The starts a match may have, nearest first.
    StartSpan span = o.down ? StartSpan{from, limit - m + 1, true} : StartSpan{limit, from - m + 1, false};
    if (span.lo >= span.hi)
        return -1;
    const Pos total = o.down ? limit - from : from - limit;
    const Needle needle(o);
    Pos done = 0;
    const auto tell = [&](Pos sofar) { return !progress || progress(std::min(sofar, total), total); };

    SourceReader reader(text);
    SearchSizes z = sizes;
    z.block = std::max<Pos>(1, z.block);
    z.shareBytes = std::max<Pos>(1, z.shareBytes);
    // Grown with the pieces: Replace All searches again after each match, mostly a little way.
    std::vector<char> buf;
    Pos piece = std::clamp<Pos>(z.firstPiece, 1, z.block);
    while (span.lo < span.hi) {
        if (done >= z.nearBytes && span.hi - span.lo >= z.sharedBytes) {
            const Pos before = done;
            return SearchInShares(text, needle, length, span, z, [&](Pos n) { return tell(before + n); });
        }
        const Pos n = std::min(piece, span.hi - span.lo);
        buf.resize(std::max(buf.size(), static_cast<std::size_t>(n + m + 1)));
        const StartSpan near =
            span.down ? StartSpan{span.lo, span.lo + n, true} : StartSpan{span.hi - n, span.hi, false};
        const Pos found = SearchSpan(reader, buf.data(), needle, length, near, n, [&](Pos) { return tell(done + n); });
        if (found != -1)
            return found;
        done += n;
        if (span.down)
            span.lo += n;
        else
            span.hi -= n;
        piece = std::min(piece * 2, z.block);
    }
    return -1;
}

bool MatchesAt(const TextSource& text, Pos pos, const FindOptions& o)
{
    const Pos m = static_cast<Pos>(o.what.size());
    if (m == 0 || pos < 0 || pos + m > text.Length())
        return false;
    // With the bytes either side, where the text has them, for whole words.
    const Pos lo = std::max<Pos>(0, pos - 1);
    const std::string buf = text.Text(lo, std::min(text.Length(), pos + m + 1) - lo);
    return Needle(o).MatchesAt(buf.data(), buf.size(), static_cast<std::size_t>(pos - lo));
}

Pos StartOfLineAt(const TextSource& text, Pos pos)
{
    return StartOfLineAt(text, pos, std::numeric_limits<Pos>::max());
}

Pos StartOfLineAt(const TextSource& text, Pos pos, Pos mostBack)
{
    pos = std::clamp<Pos>(pos, 0, text.Length());
    const Pos length = text.Length();
    const Pos floor = mostBack >= pos ? 0 : pos - mostBack;
    Pos end = pos;  // look for a line start at or before pos, among [lo, end]
    while (end > floor) {
        const Pos lo = std::max<Pos>(floor, end - 4096);
        // The byte at end decides whether a CR at end - 1 ends a line.
        const std::string buf = text.Text(lo, std::min(length, end + 1) - lo);
        for (Pos p = end; p > lo; --p) {
            const std::size_t i = static_cast<std::size_t>(p - lo);
            if (IsLineStart(buf[i - 1], i < buf.size() ? buf[i] : '\0', p == length))
                return p;
        }
        end = lo;
    }
    return floor == 0 ? 0 : -1;
}

Pos StartOfNextLine(const TextSource& text, Pos pos)
{
    const Pos length = text.Length();
    pos = std::clamp<Pos>(pos, 0, length);
    while (pos < length) {
        const Pos n = std::min<Pos>(4096, length - pos);
        // One byte more, so that a CR at the end of the piece sees what follows it.
        const std::string buf = text.Text(pos, std::min(length, pos + n + 1) - pos);
        for (Pos i = 0; i < n; ++i) {
            const char c = buf[static_cast<std::size_t>(i)];
            if (c == '\n')
                return pos + i + 1;
            if (c == '\r') {
                const bool crLf =
                    static_cast<std::size_t>(i + 1) < buf.size() && buf[static_cast<std::size_t>(i + 1)] == '\n';
                return pos + i + (crLf ? 2 : 1);
            }
        }
        pos += n;
    }
    return -1;
}

}  // namespace tessaly::editor
