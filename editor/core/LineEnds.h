#pragma once
// Finding line ends fast: LF, CR LF and a lone CR each end a line.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "EditorTypes.h"

namespace tessaly::editor {

class PartitionStarts;

// Line starts found in pieces of text, in storage reused from piece to piece: the scanner
// makes room for a whole piece first and then writes each start without a check. They are
// kept in 32 bits from the first one held (the base), which saves a 32-bit processor half
// the work; so the starts held at once must lie within 4 GiB of it (the indexing threads
// hand theirs over every few MiB).
class StartsBuffer {
public:
    using value_type = Pos;

    Pos Base() const { return m_base; }
    const std::uint32_t* Offsets() const { return m_values.get(); }
    std::size_t size() const { return static_cast<std::size_t>(m_end - m_values.get()); }
    void clear() { m_end = m_values.get(); }
    // Room for n more starts; what is there is kept.
    void Reserve(std::size_t n);
    // Starts from `from` on are coming: it becomes the base unless starts are held.
    void ComeFrom(Pos from)
    {
        if (m_end == m_values.get())
            m_base = from;
    }
    // These only within the room made by Reserve.
    void push_back(Pos v)
    {
        if (m_end == m_values.get())
            m_base = v;
        *m_end++ = static_cast<std::uint32_t>(v - m_base);
    }
    void PushOffset(std::uint32_t at) { *m_end++ = at; }
    // Writes `at` one past the end and keeps it there when `keep`, without a branch.
    void PushOffsetIf(std::uint32_t at, bool keep)
    {
        *m_end = at;
        m_end += keep ? 1 : 0;
    }

private:
    std::unique_ptr<std::uint32_t[]> m_values;
    // A pointer, not a count: a count could be changed by the writes through m_values as far
    // as the compiler knows, and would be read back from memory after each.
    std::uint32_t* m_end = nullptr;
    std::size_t m_capacity = 0;
    Pos m_base = 0;
};

// Turns a stream of bytes, fed in pieces, into line starts: the offset just after
// each line end. A CR whose successor is not yet known is held back until the next
// piece, or until Finish() says the stream ended.
class LineStartScanner {
public:
    explicit LineStartScanner(Pos origin = 0) : m_next(origin) {}

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

    Pos Consumed() const { return m_next; }

private:
    template <typename Starts>
    void FeedInto(const char* data, std::size_t size, Starts& out);
    template <typename Starts>
    void FinishInto(Starts& out);

    Pos m_next;            // offset of the next byte to be fed
    Pos m_pendingCr = -1;  // offset of a CR that was the last byte fed, its successor unseen
};

// Finds the first CR or LF in [p, end); returns end when there is none.
const char* FindEolByte(const char* p, const char* end) noexcept;

// True when a line starts at offset `at`, given the bytes before and at it
// (before is the byte at at-1; atEnd says there is no byte at `at`).
inline bool IsLineStart(char before, char at, bool atEnd)
{
    return before == '\n' || (before == '\r' && (atEnd || at != '\n'));
}

}  // namespace tessaly::editor
