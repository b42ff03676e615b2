#pragma once
// The line starts of a large file in about two bytes a line: the start of every 64th
// line in full, the length of each line in 16 bits, and a side table for longer lines.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "EditorTypes.h"

namespace tessaly::editor {

class LineIndex {
public:
    LineIndex() { Clear(); }
    LineIndex(const LineIndex&) = delete;
    LineIndex& operator=(const LineIndex&) = delete;
    LineIndex(LineIndex&&) = default;
    LineIndex& operator=(LineIndex&&) = default;

    // Forgets every start: the first is 0 again.
    void Clear() { Reset(0); }
    // Forgets every start and takes origin as the first (an index of a file's second half,
    // built on its own and appended later, starts where that half does).
    void Reset(Pos origin);
    // Starts recorded, the first (implicit) start included.
    Pos Count() const { return m_count; }
    Pos Last() const { return m_last; }
    // Records the next start; it must lie after Last().
    void Append(Pos start);
    // Records n starts in order, the first after Last().
    void Append(const Pos* starts, std::size_t n);
    // The same for starts given as offsets from base, all within 4 GiB of it.
    void Append(Pos base, const std::uint32_t* offsets, std::size_t n);
    // Drops the last recorded start (not the first).
    void RemoveLast();
    // Records every start of tail after its first, in order; they must lie after Last().
    void AppendTail(const LineIndex& tail);
    Pos Start(Pos index) const;
    // The index of the last start at or before pos.
    Pos Find(Pos pos) const;

    std::size_t MemoryBytes() const;

private:
    static constexpr Pos kBlock = 64;
    static constexpr std::uint16_t kLong = 0xFFFF;
    // The lengths are kept in chunks of 2^kChunkShift, allocated as the index grows.
    static constexpr int kChunkShift = 13;
    static constexpr Pos kChunkLines = Pos(1) << kChunkShift;

    static std::size_t ChunkOf(Pos line)
    {
        return static_cast<std::size_t>(static_cast<std::uint64_t>(line) >> kChunkShift);
    }
    static std::size_t InChunk(Pos line) { return static_cast<std::size_t>(line & (kChunkLines - 1)); }
    std::uint16_t LengthSlot(Pos line) const { return m_chunks[ChunkOf(line)][InChunk(line)]; }
    // The slot for line's length and those after it in its chunk (a new chunk when the
    // line begins one).
    std::uint16_t* SlotsFrom(Pos line);
    Pos Length(Pos index) const;
    // A mask, not a 64-bit division: on a 32-bit processor that is a library call a line.
    static bool IsBlockStart(Pos index) { return (index & (kBlock - 1)) == 0; }

    std::deque<std::uint64_t> m_blockStarts;                 // start of lines 0, 64, 128, ...
    std::vector<std::unique_ptr<std::uint16_t[]>> m_chunks;  // length of line i (start i+1 - start i), or kLong
    std::vector<std::pair<Pos, Pos>> m_longLines;            // (line, length) for lengths of kLong or more
    Pos m_count = 1;
    Pos m_last = 0;
};

}  // namespace tessaly::editor
