#pragma once
// Finding line ends fast: LF, CR LF and a lone CR each end a line.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "EditorTypes.h"

namespace tessaly::editor {

class PartitionStarts;

// Line starts found in a piece of text, in storage reused from piece to piece: the scanner
// makes room for a whole piece first and then writes each start without a check.
class StartsBuffer {
public:
    using value_type = Pos;

    const Pos* data() const { return values_.get(); }
    std::size_t size() const { return size_; }
    void clear() { size_ = 0; }
    // Room for n more starts; what is there is kept.
    void Reserve(std::size_t n);
    // Only within the room made by Reserve.
    void push_back(Pos v) { values_[size_++] = v; }
    // Writes v one past the end and keeps it there when `keep`, without a branch.
    void PushIf(Pos v, bool keep) {
        values_[size_] = v;
        size_ += keep ? 1 : 0;
    }

private:
    std::unique_ptr<Pos[]> values_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

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
    void Feed(const char* data, std::size_t size, StartsBuffer& out);

    // The stream ended: a CR held back ends its line.
    void Finish(std::vector<Pos>& out);
    void Finish(std::vector<std::int32_t>& out);
    void Finish(PartitionStarts& out);
    void Finish(StartsBuffer& out);

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
