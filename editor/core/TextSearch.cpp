#include "TextSearch.h"

#include <algorithm>

#include "CharClass.h"
#include "LineEnds.h"

namespace tessaly::editor {

namespace {

// Searches read the text in pieces that grow from small (a match is often near) to large.
constexpr Pos kFirstChunk = 4 * 1024;
constexpr Pos kChunk = 256 * 1024;

bool SameBytes(const char* at, const std::string& what, bool matchCase) {
    if (matchCase) return std::equal(what.begin(), what.end(), at);
    for (std::size_t i = 0; i < what.size(); ++i) {
        if (FoldCase(at[i]) != FoldCase(what[i])) return false;
    }
    return true;
}

// A match in buf, which holds the text from lo on, with its neighbours when they exist.
bool MatchInBuffer(const std::string& buf, Pos lo, Pos s, Pos length, const FindOptions& o) {
    const Pos m = static_cast<Pos>(o.what.size());
    if (!SameBytes(buf.data() + (s - lo), o.what, o.matchCase)) return false;
    if (!o.wholeWord) return true;
    if (s > 0 && IsWordByte(buf[static_cast<std::size_t>(s - 1 - lo)])) return false;
    if (s + m < length && IsWordByte(buf[static_cast<std::size_t>(s + m - lo)])) return false;
    return true;
}

}  // namespace

Pos FindInText(const TextSource& text, Pos from, Pos limit, const FindOptions& o, const SearchProgress& progress) {
    const Pos m = static_cast<Pos>(o.what.size());
    const Pos length = text.Length();
    if (m == 0) return -1;
    from = std::clamp<Pos>(from, 0, length);
    limit = std::clamp<Pos>(limit, 0, length);
    const char first = o.matchCase ? o.what[0] : FoldCase(o.what[0]);
    Pos chunk = kFirstChunk;
    if (o.down) {
        Pos pos = from;
        while (pos + m <= limit) {
            const Pos end = std::min(limit, pos + chunk + m - 1);
            chunk = std::min(chunk * 2, kChunk);
            const Pos lo = std::max<Pos>(0, pos - 1);
            const std::string buf = text.Text(lo, std::min(length, end + 1) - lo);
            for (Pos s = pos; s + m <= end; ++s) {
                const char c = buf[static_cast<std::size_t>(s - lo)];
                if ((o.matchCase ? c : FoldCase(c)) == first && MatchInBuffer(buf, lo, s, length, o)) return s;
            }
            pos = end - m + 1;
            if (progress && !progress(pos - from, limit - from)) return kSearchStopped;
        }
    } else {
        Pos end = from;
        while (end - m >= limit) {
            const Pos start = std::max(limit, end - chunk - m + 1);
            chunk = std::min(chunk * 2, kChunk);
            const Pos lo = std::max<Pos>(0, start - 1);
            const std::string buf = text.Text(lo, std::min(length, end + 1) - lo);
            for (Pos s = end - m; s >= start; --s) {
                const char c = buf[static_cast<std::size_t>(s - lo)];
                if ((o.matchCase ? c : FoldCase(c)) == first && MatchInBuffer(buf, lo, s, length, o)) return s;
            }
            end = start + m - 1;
            if (progress && !progress(from - end, from - limit)) return kSearchStopped;
        }
    }
    return -1;
}

bool MatchesAt(const TextSource& text, Pos pos, const FindOptions& o) {
    const Pos m = static_cast<Pos>(o.what.size());
    if (m == 0 || pos < 0 || pos + m > text.Length()) return false;
    const Pos lo = std::max<Pos>(0, pos - 1);
    const std::string buf = text.Text(lo, std::min(text.Length(), pos + m + 1) - lo);
    return MatchInBuffer(buf, lo, pos, text.Length(), o);
}

Pos StartOfLineAt(const TextSource& text, Pos pos) {
    pos = std::clamp<Pos>(pos, 0, text.Length());
    const Pos length = text.Length();
    Pos end = pos;  // look for a line start at or before pos, among [lo, end]
    while (end > 0) {
        const Pos lo = std::max<Pos>(0, end - 4096);
        // The byte at end decides whether a CR at end - 1 ends a line.
        const std::string buf = text.Text(lo, std::min(length, end + 1) - lo);
        for (Pos p = end; p > lo; --p) {
            const std::size_t i = static_cast<std::size_t>(p - lo);
            if (IsLineStart(buf[i - 1], i < buf.size() ? buf[i] : '\0', p == length)) return p;
        }
        end = lo;
    }
    return 0;
}

Pos StartOfNextLine(const TextSource& text, Pos pos) {
    const Pos length = text.Length();
    pos = std::clamp<Pos>(pos, 0, length);
    while (pos < length) {
        const Pos n = std::min<Pos>(4096, length - pos);
        // One byte more, so that a CR at the end of the piece sees what follows it.
        const std::string buf = text.Text(pos, std::min(length, pos + n + 1) - pos);
        for (Pos i = 0; i < n; ++i) {
            const char c = buf[static_cast<std::size_t>(i)];
            if (c == '\n') return pos + i + 1;
            if (c == '\r') {
                const bool crLf = static_cast<std::size_t>(i + 1) < buf.size() && buf[static_cast<std::size_t>(i + 1)] == '\n';
                return pos + i + (crLf ? 2 : 1);
            }
        }
        pos += n;
    }
    return -1;
}

}  // namespace tessaly::editor
