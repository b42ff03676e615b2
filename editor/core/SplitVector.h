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
    SplitVector& operator=(SplitVector&& other) noexcept {
        if (this != &other) {
            body_ = std::move(other.body_);
            capacity_ = std::exchange(other.capacity_, 0);
            lengthBody_ = std::exchange(other.lengthBody_, 0);
            part1Length_ = std::exchange(other.part1Length_, 0);
            gapLength_ = std::exchange(other.gapLength_, 0);
        }
        return *this;
    }

    std::ptrdiff_t Length() const { return lengthBody_; }

    // Takes over storage of capacity elements whose first length are the values; the gap
    // follows them.
    void Adopt(std::unique_ptr<T[]> body, std::ptrdiff_t length, std::ptrdiff_t capacity) {
        body_ = std::move(body);
        capacity_ = capacity;
        lengthBody_ = length;
        part1Length_ = length;
        gapLength_ = capacity - length;
    }

    T ValueAt(std::ptrdiff_t position) const {
        return position < part1Length_ ? body_[position] : body_[gapLength_ + position];
    }

    void SetValueAt(std::ptrdiff_t position, T v) {
        if (position < part1Length_) body_[position] = v;
        else body_[gapLength_ + position] = v;
    }

    // Makes room for at least n elements in all. New room is left uninitialised: filling
    // a large text's room with zeros first would cost as much as reading it.
    void Reserve(std::ptrdiff_t n) {
        if (n <= capacity_) return;
        std::unique_ptr<T[]> grown(new T[static_cast<std::size_t>(n)]);
        if (part1Length_ > 0) std::memcpy(grown.get(), body_.get(), static_cast<std::size_t>(part1Length_) * sizeof(T));
        const std::ptrdiff_t part2 = lengthBody_ - part1Length_;
        if (part2 > 0) {
            std::memcpy(grown.get() + n - part2, body_.get() + part1Length_ + gapLength_,
                        static_cast<std::size_t>(part2) * sizeof(T));
        }
        gapLength_ += n - capacity_;
        capacity_ = n;
        body_ = std::move(grown);
    }

    void Insert(std::ptrdiff_t position, T v) {
        RoomFor(1);
        GapTo(position);
        body_[part1Length_] = v;
        ++lengthBody_;
        ++part1Length_;
        --gapLength_;
    }

    // Inserts n elements and returns where they are, for the caller to fill.
    T* InsertSpace(std::ptrdiff_t position, std::ptrdiff_t n) {
        RoomFor(n);
        GapTo(position);
        T* where = body_.get() + part1Length_;
        lengthBody_ += n;
        part1Length_ += n;
        gapLength_ -= n;
        return where;
    }

    void InsertFromArray(std::ptrdiff_t position, const T* s, std::ptrdiff_t n) {
        if (n <= 0) return;
        T* where = InsertSpace(position, n);
        std::memcpy(where, s, static_cast<std::size_t>(n) * sizeof(T));
    }

    void DeleteRange(std::ptrdiff_t position, std::ptrdiff_t n) {
        if (n <= 0) return;
        if (position == 0 && n == lengthBody_) {
            // Deleting everything keeps the storage but resets the gap.
            gapLength_ = capacity_;
            lengthBody_ = 0;
            part1Length_ = 0;
            return;
        }
        GapTo(position);
        lengthBody_ -= n;
        gapLength_ += n;
    }

    void Delete(std::ptrdiff_t position) { DeleteRange(position, 1); }

    // Copies n elements from position into out.
    void GetRange(T* out, std::ptrdiff_t position, std::ptrdiff_t n) const {
        std::ptrdiff_t range1 = 0;
        if (position < part1Length_) {
            range1 = std::min(n, part1Length_ - position);
            std::memcpy(out, body_.get() + position, static_cast<std::size_t>(range1) * sizeof(T));
        }
        if (n > range1) {
            std::memcpy(out + range1, body_.get() + gapLength_ + position + range1,
                        static_cast<std::size_t>(n - range1) * sizeof(T));
        }
    }

    // The elements before the gap and after it, as two contiguous runs.
    const T* Part1() const { return body_.get(); }
    std::ptrdiff_t Part1Length() const { return part1Length_; }
    const T* Part2() const { return body_.get() + part1Length_ + gapLength_; }
    std::ptrdiff_t Part2Length() const { return lengthBody_ - part1Length_; }

    // A contiguous view of [position, position + n), moving the gap out of the way if needed.
    const T* RangePointer(std::ptrdiff_t position, std::ptrdiff_t n) {
        if (position < part1Length_ && position + n > part1Length_) GapTo(position);
        return position < part1Length_ ? body_.get() + position : body_.get() + gapLength_ + position;
    }

    // Adds delta to the n elements from position (used by the stepped partitioning).
    void RangeAddDelta(std::ptrdiff_t position, std::ptrdiff_t n, T delta) {
        std::ptrdiff_t i = 0;
        const std::ptrdiff_t range1 = std::clamp<std::ptrdiff_t>(part1Length_ - position, 0, n);
        for (; i < range1; ++i) body_[position + i] += delta;
        for (; i < n; ++i) body_[gapLength_ + position + i] += delta;
    }

    std::size_t Capacity() const { return static_cast<std::size_t>(capacity_); }

private:
    void GapTo(std::ptrdiff_t position) {
        if (position == part1Length_) return;
        T* b = body_.get();
        if (position < part1Length_) {
            std::memmove(b + position + gapLength_, b + position,
                         static_cast<std::size_t>(part1Length_ - position) * sizeof(T));
        } else {
            std::memmove(b + part1Length_, b + part1Length_ + gapLength_,
                         static_cast<std::size_t>(position - part1Length_) * sizeof(T));
        }
        part1Length_ = position;
    }

    void RoomFor(std::ptrdiff_t n) {
        if (gapLength_ >= n) return;
        // Grow by an eighth of the size, at least enough and at least a little.
        std::ptrdiff_t grow = std::max<std::ptrdiff_t>(lengthBody_ / 8, 16);
        Reserve(capacity_ + std::max(n - gapLength_, grow));
    }

    std::unique_ptr<T[]> body_;
    std::ptrdiff_t capacity_ = 0;
    std::ptrdiff_t lengthBody_ = 0;
    std::ptrdiff_t part1Length_ = 0;
    std::ptrdiff_t gapLength_ = 0;
};

}  // namespace tessaly::editor
