#include "LineIndex.h"

#include <algorithm>
#include <cstring>

namespace tessaly::editor {

void LineIndex::Reset(Pos origin)
{
    m_blockStarts.clear();
    m_blockStarts.push_back(static_cast<std::uint64_t>(origin));
    m_chunks.clear();
    m_longLines.clear();
    m_count = 1;
    m_last = origin;
}

std::uint16_t* LineIndex::SlotsFrom(Pos line)
{
    const std::size_t chunk = ChunkOf(line);
    if (chunk == m_chunks.size())
        m_chunks.emplace_back(new std::uint16_t[static_cast<std::size_t>(kChunkLines)]);
    return m_chunks[chunk].get() + InChunk(line);
}

void LineIndex::Append(Pos start)
{
    Append(&start, 1);
}

void LineIndex::Append(const Pos* starts, std::size_t n)
{
    // Each start gives the line before it its length; the lines go in a chunk at a time,
    // with the count and the last start in registers.
    Pos count = m_count;
    Pos last = m_last;
    std::size_t i = 0;
    while (i < n) {
        const Pos line = count - 1;
        std::uint16_t* slot = SlotsFrom(line);
        const std::size_t run = std::min(n - i, static_cast<std::size_t>(kChunkLines) - InChunk(line));
        const Pos* from = starts + i;
        for (std::size_t j = 0; j < run; ++j) {
            const Pos length = from[j] - last;
            if (length >= kLong) {
                slot[j] = kLong;
                m_longLines.emplace_back(line + static_cast<Pos>(j), length);
            } else {
                slot[j] = static_cast<std::uint16_t>(length);
            }
            last = from[j];
        }
        // Start count + j is that of a line 64, 128, ... where count + j is a multiple of 64.
        for (std::size_t j = static_cast<std::size_t>(-count & (kBlock - 1)); j < run; j += kBlock) {
            m_blockStarts.push_back(static_cast<std::uint64_t>(from[j]));
        }
        count += static_cast<Pos>(run);
        i += run;
    }
    m_count = count;
    m_last = last;
}

void LineIndex::Append(Pos base, const std::uint32_t* offsets, std::size_t n)
{
    if (n == 0)
        return;
    // The line before the first of them may begin before base; the others' lengths are
    // differences of offsets, in 32 bits.
    Append(base + offsets[0]);
    Pos count = m_count;
    std::uint32_t last = offsets[0];
    std::size_t i = 1;
    while (i < n) {
        const Pos line = count - 1;
        std::uint16_t* slot = SlotsFrom(line);
        const std::size_t run = std::min(n - i, static_cast<std::size_t>(kChunkLines) - InChunk(line));
        const std::uint32_t* from = offsets + i;
        for (std::size_t j = 0; j < run; ++j) {
            const std::uint32_t length = from[j] - last;
            if (length >= kLong) {
                slot[j] = kLong;
                m_longLines.emplace_back(line + static_cast<Pos>(j), static_cast<Pos>(length));
            } else {
                slot[j] = static_cast<std::uint16_t>(length);
            }
            last = from[j];
        }
        for (std::size_t j = static_cast<std::size_t>(-count & (kBlock - 1)); j < run; j += kBlock) {
            m_blockStarts.push_back(static_cast<std::uint64_t>(base + from[j]));
        }
        count += static_cast<Pos>(run);
        i += run;
    }
    m_count = count;
    m_last = base + last;
}

void LineIndex::RemoveLast()
{
    if (m_count <= 1)
        return;
    --m_count;
    if (IsBlockStart(m_count))
        m_blockStarts.pop_back();
    const Pos line = m_count - 1;  // whose length goes
    if (LengthSlot(line) == kLong)
        m_longLines.pop_back();
    if (InChunk(line) == 0)
        m_chunks.pop_back();
    m_last = Start(m_count - 1);
}

void LineIndex::AppendTail(const LineIndex& tail)
{
    if (tail.m_count <= 1)
        return;
    // The tail's first line begins where its half of the file does, not at a line start:
    // its first real start goes in one by one, and every later line keeps its length.
    Append(tail.Start(1));
    const Pos shift = m_count - 2;  // the tail's line i is line i + shift here
    auto longLine = tail.m_longLines.begin();
    if (longLine != tail.m_longLines.end() && longLine->first == 0)
        ++longLine;
    for (auto it = longLine; it != tail.m_longLines.end(); ++it)
        m_longLines.emplace_back(it->first + shift, it->second);
    // The lengths are copied a run at a time; the block starts fall at other lines than
    // the tail's own, so the starts are added up along the way.
    Pos start = m_last;
    Pos line = m_count - 1;  // the line that begins at `start`
    for (Pos from = 1; from < tail.m_count - 1;) {
        std::uint16_t* slot = SlotsFrom(line);
        const std::uint16_t* source = tail.m_chunks[ChunkOf(from)].get() + InChunk(from);
        const std::size_t run = std::min({static_cast<std::size_t>(tail.m_count - 1 - from),
                                          static_cast<std::size_t>(kChunkLines) - InChunk(line),
                                          static_cast<std::size_t>(kChunkLines) - InChunk(from)});
        std::memcpy(slot, source, run * sizeof(std::uint16_t));
        // Up to each block start in one tight loop: the sum of the lengths before it.
        for (std::size_t j = 0; j < run;) {
            const std::size_t toBlock = static_cast<std::size_t>(kBlock - (line & (kBlock - 1)));
            const std::size_t stop = std::min(run, j + toBlock);
            std::uint32_t sum = 0;  // at most 64 short lengths
            for (std::size_t k = j; k < stop; ++k) {
                if (source[k] == kLong)
                    start += (longLine++)->second;
                else
                    sum += source[k];
            }
            start += sum;
            line += static_cast<Pos>(stop - j);
            j = stop;
            if (IsBlockStart(line))
                m_blockStarts.push_back(static_cast<std::uint64_t>(start));
        }
        from += static_cast<Pos>(run);
    }
    m_count = line + 1;
    m_last = start;
}

Pos LineIndex::Length(Pos index) const
{
    const std::uint16_t l = LengthSlot(index);
    if (l != kLong)
        return l;
    const auto it = std::lower_bound(m_longLines.begin(), m_longLines.end(), std::make_pair(index, Pos(0)));
    return it->second;
}

Pos LineIndex::Start(Pos index) const
{
    if (index <= 0)
        return static_cast<Pos>(m_blockStarts.front());
    if (index >= m_count)
        return m_last;
    const Pos block = index / kBlock;
    Pos start = static_cast<Pos>(m_blockStarts[static_cast<std::size_t>(block)]);
    for (Pos i = block * kBlock; i < index; ++i)
        start += Length(i);
    return start;
}

Pos LineIndex::Find(Pos pos) const
{
    if (pos <= static_cast<Pos>(m_blockStarts.front()))
        return 0;
    if (pos >= m_last)
        return m_count - 1;
    const auto it = std::upper_bound(m_blockStarts.begin(), m_blockStarts.end(), static_cast<std::uint64_t>(pos));
    const Pos block = static_cast<Pos>(it - m_blockStarts.begin()) - 1;
    Pos index = block * kBlock;
    Pos start = static_cast<Pos>(m_blockStarts[static_cast<std::size_t>(block)]);
    while (index + 1 < m_count) {
        const Pos next = start + Length(index);
        if (next > pos)
            break;
        start = next;
        ++index;
    }
    return index;
}

std::size_t LineIndex::MemoryBytes() const
{
    return m_chunks.size() * static_cast<std::size_t>(kChunkLines) * sizeof(std::uint16_t) +
           m_chunks.capacity() * sizeof(m_chunks[0]) + m_blockStarts.size() * sizeof(std::uint64_t) +
           m_longLines.capacity() * sizeof(std::pair<Pos, Pos>);
}

}  // namespace tessaly::editor
