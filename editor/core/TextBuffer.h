#pragma once
// The bytes of an editable text and the starts of its lines, kept in step on every edit.
#include <cstdint>
#include <span>
#include <string_view>

#include "Partitioning.h"
#include "SplitVector.h"
#include "TextSource.h"

namespace tessaly::editor {

class TextBuffer : public TextSource {
public:
    // The largest text the buffer holds: positions are kept in 32 bits.
    static constexpr Pos kMaxLength = 0x7FFF0000;

    Pos Length() const override { return m_substance.Length(); }
    Pos LineCount() const override { return m_lines.Partitions(); }
    Pos LineStart(Pos line) const override;
    Pos LineFromPosition(Pos pos) const override;
    void GetBytes(Pos pos, Pos n, char* out) const override;

    char CharAt(Pos pos) const
    {
        return pos >= 0 && pos < Length() ? m_substance.ValueAt(static_cast<std::ptrdiff_t>(pos)) : '\0';
    }

    // Both return false, changing nothing, when the range is outside the text or the
    // result would be too long.
    bool Insert(Pos pos, std::string_view text);
    bool Delete(Pos pos, Pos n);

    // Replaces everything; false when too long.
    bool SetText(std::string_view text);

    // Lets the caller fill the text directly (for reading a file): makes room for n bytes
    // at the end and returns where they go (null when too long); CommitAppended then keeps
    // the first `used` of them and indexes their lines.
    char* AppendSpace(Pos n);
    void CommitAppended(Pos start, Pos used, Pos reserved);
    // The same, for a caller that found the appended bytes' line starts itself while filling
    // them in (as a LineStartScanner with origin `start` finds them, finished at the end):
    // found, then moreFound, in order.
    void CommitAppended(Pos start, Pos used, Pos reserved, std::span<const std::int32_t> found,
                        std::span<const std::int32_t> moreFound = {});

    // The same for a text that was empty before AppendSpace: starts holds the start of every
    // line, 0 first, found while the bytes were filled in, and takes `used` as its last value.
    void CommitLoaded(Pos used, Pos reserved, PartitionStarts&& starts);

    // The text as two contiguous runs (before and after the gap), for writing and searching.
    std::string_view Part1() const
    {
        return {m_substance.Part1(), static_cast<std::size_t>(m_substance.Part1Length())};
    }
    std::string_view Part2() const
    {
        return {m_substance.Part2(), static_cast<std::size_t>(m_substance.Part2Length())};
    }
    // A contiguous view of a range, moving the gap if needed.
    std::string_view Range(Pos pos, Pos n);

    std::size_t MemoryBytes() const { return m_substance.Capacity() + m_lines.MemoryBytes(); }

private:
    // Indexes the line starts in [from, to] (at most those positions are line starts).
    void AddLineStarts(std::int32_t line, Pos from, Pos to);
    bool StartsLine(Pos pos) const;

    SplitVector<char> m_substance;
    Partitioning m_lines;
};

}  // namespace tessaly::editor
