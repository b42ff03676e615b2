#pragma once
// The lines a filtered view shows, in order, in about four bytes a line: the low 32 bits of
// each line number in chunks of 8192 rows (no copy of them all as the list grows, no large
// block of address space), and the rows where the high bits step up (a log of more than 4G
// lines) in a side table.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "EditorTypes.h"

namespace tessaly::editor {

class ShownLines {
public:
    ShownLines() = default;
    ShownLines(const ShownLines&) = delete;
    ShownLines& operator=(const ShownLines&) = delete;
    ShownLines(ShownLines&&) = default;
    ShownLines& operator=(ShownLines&&) = default;

    // Rows shown.
    Pos Count() const { return m_count; }
    // The log's line shown on a row, 0 <= row < Count().
    Pos Line(Pos row) const;
    // The first row showing `line` or a line after it; Count() when there is none. The row
    // of a line in the whole log is RowAtOrAfter(line) when Line() of it is that line.
    Pos RowAtOrAfter(Pos line) const;
    // One past the last line shown (0 when none): what a caller appends after.
    Pos End() const { return m_end; }

    // Shows lines [first, end) after those shown; lines before End() are left out.
    void AppendRange(Pos first, Pos end);
    // Forgets the rows of `line` and of every line after it.
    void DropFrom(Pos line);
    // Appends these rows to `to` (whose rows all come before them) and forgets them here;
    // End() stays, so that the rows found next follow on.
    void MoveRowsTo(ShownLines& to);
    void Clear();

    std::size_t MemoryBytes() const;

private:
    static constexpr int kChunkShift = 13;
    static constexpr Pos kChunkRows = Pos(1) << kChunkShift;

    std::uint32_t Low(Pos row) const
    {
        return m_chunks[static_cast<std::size_t>(row >> kChunkShift)][static_cast<std::size_t>(row & (kChunkRows - 1))];
    }
    Pos High(Pos row) const;

    // The first chunk grows as rows come, so that a few rows cost a few bytes; the others are
    // made whole.
    std::vector<std::vector<std::uint32_t>> m_chunks;
    // (first row, high 32 bits of its line) wherever those bits step up from 0.
    std::vector<std::pair<Pos, std::uint32_t>> m_highSteps;
    Pos m_count = 0;
    Pos m_end = 0;
};

}  // namespace tessaly::editor
