#pragma once
// Looking for a literal in a text block by block, and in a long stretch of it with two
// threads at once, nearest match first either way.
#include <cstddef>
#include <functional>

#include "Needle.h"
#include "TextSearch.h"
#include "TextSource.h"

namespace tessaly::editor {

// The starts [lo, hi) that a match may have, looked at lowest first (down) or highest first.
struct StartSpan {
    Pos lo = 0;
    Pos hi = 0;
    bool down = true;
};

// Reads through the text's own GetBytes, on the thread that owns the text.
class SourceReader : public TextReader {
public:
    explicit SourceReader(const TextSource& text) : m_text(text) {}
    void Read(Pos pos, Pos n, char* out) override { m_text.GetBytes(pos, n, out); }

private:
    const TextSource& m_text;
};

// Looks for the nearest match at the starts of span, in blocks of at most `block` starts,
// read into buf (room for block + needle size + 1 bytes) from a text of `length` bytes.
// after(n) hears of each block of n starts without a match and may stop the search.
// Returns the match's start, -1, or kSearchStopped.
Pos SearchSpan(TextReader& reader, char* buf, const Needle& needle, Pos length, StartSpan span, Pos block,
               const std::function<bool(Pos)>& after);

// The same for a long span, in shares taken in turn by this thread and a second one, each
// reading blocks with a reader of its own (or this thread alone through GetBytes, when the
// text gives no readers). told(n) hears on this thread how many starts both have looked
// at so far, now and then, and may stop the search.
Pos SearchInShares(const TextSource& text, const Needle& needle, Pos length, StartSpan span, const SearchSizes& sizes,
                   const std::function<bool(Pos)>& told);

}  // namespace tessaly::editor
