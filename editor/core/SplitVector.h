#pragma once
// A gap buffer: a vector with a movable gap, so that runs of insertions and deletions
// at one place cost no more than moving the gap there once.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

namespace tessaly::editor {

template <typename T>
class SplitVector {
    static_assert(std::is_trivially_copyable_v<T>, "SplitVector holds plain values");

public:
    SplitVector() = default;
    SplitVector(const SplitVector&) = delete;
    SplitVector& operator=(const SplitVector&) = delete;
    SplitVector(SplitVector&& other) noexcept { *this = std::move(other); }
    SplitVector& operator=(SplitVector&& other) noexcept
    {
        if (this != &other) {
            m_body = std::move(other.m_body);
            m_capacity = std::exchange(other.m_capacity, 0);
            m_lengthBody = std::exchange(other.m_lengthBody, 0);
            m_part1Length = std::exchange(other.m_part1Length, 0);
            m_gapLength = std::exchange(other.m_gapLength, 0);
        }
        return *this;
    }

    std::ptrdiff_t Length() const { return m_lengthBody; }

    // Takes over storage of capacity elements whose first length are the values; the gap
    // follows them.
    void Adopt(std::unique_ptr<T[]> body, std::ptrdiff_t length, std::ptrdiff_t capacity)
    {
        m_body = std::move(body);
        m_capacity = capacity;
        m_lengthBody = length;
        m_part1Length = length;
        m_gapLength = capacity - length;
    }

    T ValueAt(std::ptrdiff_t position) const
    {
        return position < m_part1Length ? m_body[position] : m_body[m_gapLength + position];
    }

    void SetValueAt(std::ptrdiff_t position, T v)
    {
        if (position < m_part1Length)
            m_body[position] = v;
        else
            m_body[m_gapLength + position] = v;
    }

    // Makes room for at least n elements in all. New room is left uninitialised: filling
    // a large text's room with zeros first would cost as much as reading it.
    void Reserve(std::ptrdiff_t n)
    {
        if (n <= m_capacity)
            return;
        std::unique_ptr<T[]> grown(new T[static_cast<std::size_t>(n)]);
        if (m_part1Length > 0)
            std::memcpy(grown.get(), m_body.get(), static_cast<std::size_t>(m_part1Length) * sizeof(T));
        const std::ptrdiff_t part2 = m_lengthBody - m_part1Length;
        if (part2 > 0) {
            std::memcpy(grown.get() + n - part2, m_body.get() + m_part1Length + m_gapLength,
                        static_cast<std::size_t>(part2) * sizeof(T));
        }
        m_gapLength += n - m_capacity;
        m_capacity = n;
        m_body = std::move(grown);
    }

    void Insert(std::ptrdiff_t position, T v)
    {
        RoomFor(1);
        GapTo(position);
        m_body[m_part1Length] = v;
        ++m_lengthBody;
        ++m_part1Length;
        --m_gapLength;
    }

    // Inserts n elements and returns where they are, for the caller to fill.
    T* InsertSpace(std::ptrdiff_t position, std::ptrdiff_t n)
    {
        RoomFor(n);
        GapTo(position);
        T* where = m_body.get() + m_part1Length;
        m_lengthBody += n;
        m_part1Length += n;
        m_gapLength -= n;
        return where;
    }

    void InsertFromArray(std::ptrdiff_t position, const T* s, std::ptrdiff_t n)
    {
        if (n <= 0)
            return;
        T* where = InsertSpace(position, n);
        std::memcpy(where, s, static_cast<std::size_t>(n) * sizeof(T));
    }

    void DeleteRange(std::ptrdiff_t position, std::ptrdiff_t n)
    {
        if (n <= 0)
            return;
        if (position == 0 && n == m_lengthBody) {
            // Deleting everything keeps the storage but resets the gap.
            m_gapLength = m_capacity;
            m_lengthBody = 0;
            m_part1Length = 0;
            return;
        }
        GapTo(position);
        m_lengthBody -= n;
        m_gapLength += n;
    }

    void Delete(std::ptrdiff_t position) { DeleteRange(position, 1); }

    // Copies n elements from position into out.
    void GetRange(T* out, std::ptrdiff_t position, std::ptrdiff_t n) const
    {
        std::ptrdiff_t range1 = 0;
        if (position < m_part1Length) {
            range1 = std::min(n, m_part1Length - position);
            std::memcpy(out, m_body.get() + position, static_cast<std::size_t>(range1) * sizeof(T));
        }
        if (n > range1) {
            std::memcpy(out + range1, m_body.get() + m_gapLength + position + range1,
                        static_cast<std::size_t>(n - range1) * sizeof(T));
        }
    }

    // The elements before the gap and after it, as two contiguous runs.
    const T* Part1() const { return m_body.get(); }
    std::ptrdiff_t Part1Length() const { return m_part1Length; }
    const T* Part2() const { return m_body.get() + m_part1Length + m_gapLength; }
    std::ptrdiff_t Part2Length() const { return m_lengthBody - m_part1Length; }

    // A contiguous view of [position, position + n), moving the gap out of the way if needed.
    const T* RangePointer(std::ptrdiff_t position, std::ptrdiff_t n)
    {
        if (position < m_part1Length && position + n > m_part1Length)
            GapTo(position);
        return position < m_part1Length ? m_body.get() + position : m_body.get() + m_gapLength + position;
    }

    // Adds delta to the n elements from position (used by the stepped partitioning).
    void RangeAddDelta(std::ptrdiff_t position, std::ptrdiff_t n, T delta)
    {
        std::ptrdiff_t i = 0;
        const std::ptrdiff_t range1 = std::clamp<std::ptrdiff_t>(m_part1Length - position, 0, n);
        for (; i < range1; ++i)
            m_body[position + i] += delta;
        for (; i < n; ++i)
            m_body[m_gapLength + position + i] += delta;
    }

    std::size_t Capacity() const { return static_cast<std::size_t>(m_capacity); }

private:
    void GapTo(std::ptrdiff_t position)
    {
        if (position == m_part1Length)
            return;
        T* b = m_body.get();
        if (position < m_part1Length) {
            std::memmove(b + position + m_gapLength, b + position,
                         static_cast<std::size_t>(m_part1Length - position) * sizeof(T));
        } else {
            std::memmove(b + m_part1Length, b + m_part1Length + m_gapLength,
                         static_cast<std::size_t>(position - m_part1Length) * sizeof(T));
        }
        m_part1Length = position;
    }

    void RoomFor(std::ptrdiff_t n)
    {
        if (m_gapLength >= n)
            return;
        // Grow by an eighth of the size, at least enough and at least a little.
        std::ptrdiff_t grow = std::max<std::ptrdiff_t>(m_lengthBody / 8, 16);
        Reserve(m_capacity + std::max(n - m_gapLength, grow));
    }

    std::unique_ptr<T[]> m_body;
    std::ptrdiff_t m_capacity = 0;
    std::ptrdiff_t m_lengthBody = 0;
    std::ptrdiff_t m_part1Length = 0;
    std::ptrdiff_t m_gapLength = 0;
};

}  // namespace tessaly::editor
