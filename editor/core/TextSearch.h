#pragma once
// Finding text, and finding line boundaries without a line index, over any TextSource.
#include <functional>
#include <string>

#include "TextSource.h"

namespace tessaly::editor {

struct FindOptions {
    std::string what;
    bool matchCase = false;
    bool wholeWord = false;
    bool down = true;
};

// Told now and then how many bytes of how many a search has read; false stops the search.
using SearchProgress = std::function<bool(Pos done, Pos total)>;
// What FindInText returns when its progress stopped it.
constexpr Pos kSearchStopped = -2;

// How a search divides its work. It reads a little first, since a match is often near,
// then more and more, up to a block at a time; once it has read nearBytes, a rest of at
// least sharedBytes is searched by two threads, each taking shares of shareBytes in turn,
// nearest first. Tests make these small to try every seam on small texts.
struct SearchSizes {
    Pos firstPiece = 4 * 1024;
    Pos block = 1024 * 1024;
    Pos nearBytes = 2 * 1024 * 1024;
    Pos sharedBytes = 16 * 1024 * 1024;
    Pos shareBytes = 8 * 1024 * 1024;
};

// Down: the first match that starts at or after `from` and ends at or before `limit`.
// Up: the last match that ends at or before `from` and starts at or after `limit`.
// Returns the match's start, -1 when there is none, or kSearchStopped. Progress is told
// on the calling thread only.
Pos FindInText(const TextSource& text, Pos from, Pos limit, const FindOptions& options,
               const SearchProgress& progress = {}, const SearchSizes& sizes = {});

// Each block a search reads is followed by a pause this long (0, the default: none), so
// that a test on a fast machine sees a long search as a user with a slow one does.
void SetSearchBlockPause(int ms);

// True when the text at [pos, pos + what.size()) is a match (used to replace a selection).
bool MatchesAt(const TextSource& text, Pos pos, const FindOptions& options);

// The start of the line holding pos, found by reading backwards (no index needed).
Pos StartOfLineAt(const TextSource& text, Pos pos);
// The same, looking back over at most mostBack bytes; -1 when the line starts before them.
Pos StartOfLineAt(const TextSource& text, Pos pos, Pos mostBack);
// The start of the line after the one holding pos, or -1 when that is the last line.
Pos StartOfNextLine(const TextSource& text, Pos pos);

}  // namespace tessaly::editor
