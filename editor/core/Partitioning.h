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

    void reserve(std::ptrdiff_t n) {
        if (n <= capacity_) return;
        std::unique_ptr<std::int32_t[]> grown(new std::int32_t[static_cast<std::size_t>(n)]);
        if (size_ > 0) std::memcpy(grown.get(), values_.get(), static_cast<std::size_t>(size_) * sizeof(std::int32_t));
        values_ = std::move(grown);
        capacity_ = n;
    }
    void push_back(std::int32_t v) {
        if (size_ == capacity_) reserve(std::max<std::ptrdiff_t>(16, capacity_ * 2));
        values_[static_cast<std::size_t>(size_++)] = v;
    }
    void clear() { size_ = 0; }
    std::ptrdiff_t size() const { return size_; }
    const std::int32_t* data() const { return values_.get(); }

private:
    friend class Partitioning;
    std::unique_ptr<std::int32_t[]> values_;
    std::ptrdiff_t size_ = 0;
    std::ptrdiff_t capacity_ = 0;
};

class Partitioning {
public:
    Partitioning() {
        body_.Insert(0, 0);  // start of partition 0
        body_.Insert(1, 0);  // end of the last partition
    }

    std::int32_t Partitions() const { return static_cast<std::int32_t>(body_.Length() - 1); }

    std::int32_t PositionFromPartition(std::int32_t partition) const {
        std::int32_t pos = body_.ValueAt(partition);
        if (partition > stepPartition_) pos += stepLength_;
        return pos;
    }

    // The partition containing pos; a pos at a partition start belongs to that partition.
    std::int32_t PartitionFromPosition(std::int32_t pos) const {
        if (body_.Length() <= 1) return 0;
        if (pos >= PositionFromPartition(Partitions())) return Partitions() - 1;
        std::int32_t lower = 0;
        std::int32_t upper = Partitions();
        do {
            const std::int32_t middle = (upper + lower + 1) / 2;
            std::int32_t posMiddle = body_.ValueAt(middle);
            if (middle > stepPartition_) posMiddle += stepLength_;
            if (pos < posMiddle) upper = middle - 1;
            else lower = middle;
        } while (lower < upper);
        return lower;
    }

    void InsertPartition(std::int32_t partition, std::int32_t pos) {
        if (stepPartition_ < partition) ApplyStep(partition);
        body_.Insert(partition, pos);
        ++stepPartition_;
    }

    // Inserts n partitions starting at the given positions, in order, as n calls of
    // InsertPartition(partition + i, starts[i]) would, in one move of the gap.
    template <typename P>
    void InsertPartitions(std::int32_t partition, const P* starts, std::size_t n) {
        if (n == 0) return;
        if (stepPartition_ < partition) ApplyStep(partition);
        std::int32_t* at = body_.InsertSpace(partition, static_cast<std::ptrdiff_t>(n));
        for (std::size_t i = 0; i < n; ++i) at[i] = static_cast<std::int32_t>(starts[i]);
        stepPartition_ += static_cast<std::int32_t>(n);
    }

    void RemovePartition(std::int32_t partition) {
        if (partition > stepPartition_) ApplyStep(partition);
        --stepPartition_;
        body_.Delete(partition);
    }

    // delta bytes were inserted (or, negative, removed) inside partition: later starts move.
    void InsertText(std::int32_t partition, std::int32_t delta) {
        if (stepLength_ != 0) {
            if (partition >= stepPartition_) {
                ApplyStep(partition);
                stepLength_ += delta;
            } else if (partition >= stepPartition_ - body_.Length() / 10) {
                BackStep(partition);
                stepLength_ += delta;
            } else {
                ApplyStep(Partitions());
                stepPartition_ = partition;
                stepLength_ = delta;
            }
        } else {
            stepPartition_ = partition;
            stepLength_ = delta;
        }
    }

    void Reserve(std::int32_t partitions) { body_.Reserve(partitions + 1); }

    // Takes over every partition's start and, as the last value, the end of the last one.
    // The first start must be 0.
    void Adopt(PartitionStarts&& starts) {
        body_.Adopt(std::move(starts.values_), starts.size_, starts.capacity_);
        starts.size_ = starts.capacity_ = 0;
        stepPartition_ = 0;
        stepLength_ = 0;
    }

    std::size_t MemoryBytes() const { return body_.Capacity() * sizeof(std::int32_t); }

private:
    void ApplyStep(std::int32_t partitionUpTo) {
        if (stepLength_ != 0) body_.RangeAddDelta(stepPartition_ + 1, partitionUpTo - stepPartition_, stepLength_);
        stepPartition_ = partitionUpTo;
        if (stepPartition_ >= Partitions()) {
            stepPartition_ = Partitions();
            stepLength_ = 0;
        }
    }

    void BackStep(std::int32_t partitionDownTo) {
        if (stepLength_ != 0) body_.RangeAddDelta(partitionDownTo + 1, stepPartition_ - partitionDownTo, -stepLength_);
        stepPartition_ = partitionDownTo;
    }

    SplitVector<std::int32_t> body_;
    std::int32_t stepPartition_ = 0;  // starts after this one are stepLength_ short
    std::int32_t stepLength_ = 0;
};

}  // namespace tessaly::editor
