#pragma once
// Finding line ends fast: LF, CR LF and a lone CR each end a line.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "EditorTypes.h"

namespace tessaly::editor {

class PartitionStarts;

// Turns a stream of bytes, fed in pieces, into line starts: the offset just after
// each line end. A CR whose successor is not yet known is held back until the next
// piece, or until Finish() says the stream ended.
class LineStartScanner {
public:
    explicit LineStartScanner(Pos origin = 0) : next_(origin) {}

    // Feeds the bytes that follow those fed so far; appends each line start found to out.
    // Starts go into 32-bit values only for texts known to be shorter than 2 GB.
    void Feed(const char* data, std::size_t size, std::vector<Pos>& out);
    void Feed(const char* data, std::size_t size, std::vector<std::int32_t>& out);
    void Feed(const char* data, std::size_t size, PartitionStarts& out);

    // The stream ended: a CR held back ends its line.
    void Finish(std::vector<Pos>& out);
    void Finish(std::vector<std::int32_t>& out);
    void Finish(PartitionStarts& out);

    Pos Consumed() const { return next_; }

private:
    template <typename Starts>
    void FeedInto(const char* data, std::size_t size, Starts& out);
    template <typename Starts>
    void FinishInto(Starts& out);

    Pos next_;           // offset of the next byte to be fed
    Pos pendingCr_ = -1; // offset of a CR that was the last byte fed, its successor unseen
};

// Finds the first CR or LF in [p, end); returns end when there is none.
const char* FindEolByte(const char* p, const char* end) noexcept;

// True when a line starts at offset `at`, given the bytes before and at it
// (before is the byte at at-1; atEnd says there is no byte at `at`).
inline bool IsLineStart(char before, char at, bool atEnd) {
    return before == '\n' || (before == '\r' && (atEnd || at != '\n'));
}

}  // namespace tessaly::editor
