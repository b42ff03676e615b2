#include "ShownLines.h"

#include <algorithm>
#include <numeric>

namespace tessaly::editor {

Pos ShownLines::High(Pos row) const
{
    const auto after =
        std::upper_bound(m_highSteps.begin(), m_highSteps.end(), row,
                         [](Pos r, const std::pair<Pos, std::uint32_t>& step) { return r < step.first; });
    return after == m_highSteps.begin() ? 0 : static_cast<Pos>(std::prev(after)->second);
}

Pos ShownLines::Line(Pos row) const
{
    const Pos high = m_highSteps.empty() ? 0 : High(row);
    return static_cast<Pos>(static_cast<std::uint64_t>(high) << 32 | Low(row));
}

Pos ShownLines::RowAtOrAfter(Pos line) const
{
    // The rows are in order of their lines: a binary search on Line().
    Pos lo = 0, hi = m_count;
    while (lo < hi) {
        const Pos mid = lo + (hi - lo) / 2;
        if (Line(mid) < line)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void ShownLines::AppendRange(Pos first, Pos end)
{
    first = std::max(first, m_end);
    if (first >= end)
        return;
    for (Pos line = first; line < end;) {
        const std::uint32_t high = static_cast<std::uint32_t>(static_cast<std::uint64_t>(line) >> 32);
        if (high != (m_highSteps.empty() ? 0 : m_highSteps.back().second))
            m_highSteps.emplace_back(m_count, high);
        const std::size_t chunk = static_cast<std::size_t>(m_count >> kChunkShift);
        if (chunk == m_chunks.size()) {
            m_chunks.emplace_back();
            if (chunk > 0)
                m_chunks.back().reserve(static_cast<std::size_t>(kChunkRows));
        }
        // The rest of this chunk, without crossing a step of the high bits.
        const Pos room = kChunkRows - (m_count & (kChunkRows - 1));
        const Pos nextHigh = static_cast<Pos>((static_cast<std::uint64_t>(high) + 1) << 32);
        const Pos run = std::min({end - line, room, nextHigh - line});
        std::vector<std::uint32_t>& rows = m_chunks[chunk];
        const std::size_t had = rows.size();
        const std::size_t want = had + static_cast<std::size_t>(run);
        if (want > rows.capacity())
            rows.reserve(std::min(static_cast<std::size_t>(kChunkRows), std::max(want, 2 * rows.capacity())));
        rows.resize(want);
        std::iota(rows.begin() + static_cast<std::ptrdiff_t>(had), rows.end(), static_cast<std::uint32_t>(line));
        m_count += run;
        line += run;
    }
    m_end = end;
}

void ShownLines::DropFrom(Pos line)
{
    if (line >= m_end)
        return;
    m_count = RowAtOrAfter(line);
    m_end = m_count > 0 ? Line(m_count - 1) + 1 : 0;
    while (!m_highSteps.empty() && m_highSteps.back().first >= m_count)
        m_highSteps.pop_back();
    m_chunks.resize(static_cast<std::size_t>((m_count + kChunkRows - 1) >> kChunkShift));
    if (!m_chunks.empty())
        m_chunks.back().resize(
            static_cast<std::size_t>(m_count - (static_cast<Pos>(m_chunks.size()) - 1) * kChunkRows));
}

void ShownLines::MoveRowsTo(ShownLines& to)
{
    // Lines that follow one another go over as one range.
    for (Pos row = 0; row < m_count;) {
        const Pos first = Line(row);
        Pos end = first + 1;
        for (++row; row < m_count && Line(row) == end; ++row)
            ++end;
        to.AppendRange(first, end);
    }
    const Pos end = m_end;
    Clear();
    m_end = end;
}

void ShownLines::Clear()
{
    m_chunks.clear();
    m_highSteps.clear();
    m_count = 0;
    m_end = 0;
}

std::size_t ShownLines::MemoryBytes() const
{
    std::size_t bytes = sizeof(*this) + m_chunks.capacity() * sizeof(m_chunks[0]);
    for (const std::vector<std::uint32_t>& rows : m_chunks)
        bytes += rows.capacity() * sizeof(std::uint32_t);
    return bytes + m_highSteps.capacity() * sizeof(m_highSteps[0]);
}

}  // namespace tessaly::editor
