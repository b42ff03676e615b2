#pragma once
// The starts of consecutive partitions (here: lines) of a text, kept so that inserting
// text, which shifts every later start, is cheap: the shift is applied lazily as a step
// that moves along with the edits.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "SplitVector.h"

namespace tessaly::editor {

// Partition starts gathered in bulk (when a whole text is read) in storage that a
// Partitioning then takes over as it is, with no copy. Room set aside but not written is
// never touched.
class PartitionStarts {
public:
    using value_type = std::int32_t;

    void reserve(std::ptrdiff_t n)
    {
        if (n <= m_capacity)
            return;
        std::unique_ptr<std::int32_t[]> grown(new std::int32_t[static_cast<std::size_t>(n)]);
        if (m_size > 0)
            std::memcpy(grown.get(), m_values.get(), static_cast<std::size_t>(m_size) * sizeof(std::int32_t));
        m_values = std::move(grown);
        m_capacity = n;
    }
    void push_back(std::int32_t v)
    {
        if (m_size == m_capacity)
            reserve(std::max<std::ptrdiff_t>(16, m_capacity * 2));
        m_values[static_cast<std::size_t>(m_size++)] = v;
    }
    void clear() { m_size = 0; }
    std::ptrdiff_t size() const { return m_size; }
    const std::int32_t* data() const { return m_values.get(); }

private:
    friend class Partitioning;
    std::unique_ptr<std::int32_t[]> m_values;
    std::ptrdiff_t m_size = 0;
    std::ptrdiff_t m_capacity = 0;
};

class Partitioning {
public:
    Partitioning()
    {
        m_body.Insert(0, 0);  // start of partition 0
        m_body.Insert(1, 0);  // end of the last partition
    }

    std::int32_t Partitions() const { return static_cast<std::int32_t>(m_body.Length() - 1); }

    std::int32_t PositionFromPartition(std::int32_t partition) const
    {
        std::int32_t pos = m_body.ValueAt(partition);
        if (partition > m_stepPartition)
            pos += m_stepLength;
        return pos;
    }

    // The partition containing pos; a pos at a partition start belongs to that partition.
    std::int32_t PartitionFromPosition(std::int32_t pos) const
    {
        if (m_body.Length() <= 1)
            return 0;
        if (pos >= PositionFromPartition(Partitions()))
            return Partitions() - 1;
        std::int32_t lower = 0;
        std::int32_t upper = Partitions();
        do {
            const std::int32_t middle = (upper + lower + 1) / 2;
            std::int32_t posMiddle = m_body.ValueAt(middle);
            if (middle > m_stepPartition)
                posMiddle += m_stepLength;
            if (pos < posMiddle)
                upper = middle - 1;
            else
                lower = middle;
        } while (lower < upper);
        return lower;
    }

    void InsertPartition(std::int32_t partition, std::int32_t pos)
    {
        if (m_stepPartition < partition)
            ApplyStep(partition);
        m_body.Insert(partition, pos);
        ++m_stepPartition;
    }

    // Inserts n partitions starting at the given positions, in order, as n calls of
    // InsertPartition(partition + i, starts[i]) would, in one move of the gap.
    template <typename P>
    void InsertPartitions(std::int32_t partition, const P* starts, std::size_t n)
    {
        if (n == 0)
            return;
        if (m_stepPartition < partition)
            ApplyStep(partition);
        std::int32_t* at = m_body.InsertSpace(partition, static_cast<std::ptrdiff_t>(n));
        for (std::size_t i = 0; i < n; ++i)
            at[i] = static_cast<std::int32_t>(starts[i]);
        m_stepPartition += static_cast<std::int32_t>(n);
    }

    void RemovePartition(std::int32_t partition)
    {
        if (partition > m_stepPartition)
            ApplyStep(partition);
        --m_stepPartition;
        m_body.Delete(partition);
    }

    // delta bytes were inserted (or, negative, removed) inside partition: later starts move.
    void InsertText(std::int32_t partition, std::int32_t delta)
    {
        if (m_stepLength != 0) {
            if (partition >= m_stepPartition) {
                ApplyStep(partition);
                m_stepLength += delta;
            } else if (partition >= m_stepPartition - m_body.Length() / 10) {
                BackStep(partition);
                m_stepLength += delta;
            } else {
                ApplyStep(Partitions());
                m_stepPartition = partition;
                m_stepLength = delta;
            }
        } else {
            m_stepPartition = partition;
            m_stepLength = delta;
        }
    }

    void Reserve(std::int32_t partitions) { m_body.Reserve(partitions + 1); }

    // Takes over every partition's start and, as the last value, the end of the last one.
    // The first start must be 0.
    void Adopt(PartitionStarts&& starts)
    {
        m_body.Adopt(std::move(starts.m_values), starts.m_size, starts.m_capacity);
        starts.m_size = starts.m_capacity = 0;
        m_stepPartition = 0;
        m_stepLength = 0;
    }

    std::size_t MemoryBytes() const { return m_body.Capacity() * sizeof(std::int32_t); }

private:
    void ApplyStep(std::int32_t partitionUpTo)
    {
        if (m_stepLength != 0)
            m_body.RangeAddDelta(m_stepPartition + 1, partitionUpTo - m_stepPartition, m_stepLength);
        m_stepPartition = partitionUpTo;
        if (m_stepPartition >= Partitions()) {
            m_stepPartition = Partitions();
            m_stepLength = 0;
        }
    }

    void BackStep(std::int32_t partitionDownTo)
    {
        if (m_stepLength != 0)
            m_body.RangeAddDelta(partitionDownTo + 1, m_stepPartition - partitionDownTo, -m_stepLength);
        m_stepPartition = partitionDownTo;
    }

    SplitVector<std::int32_t> m_body;
    std::int32_t m_stepPartition = 0;  // starts after this one are m_stepLength short
    std::int32_t m_stepLength = 0;
};

}  // namespace tessaly::editor
