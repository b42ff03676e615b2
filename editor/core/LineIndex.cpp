#include "LineIndex.h"

#include <algorithm>

namespace tessaly::editor {

void LineIndex::Reset(Pos origin) {
    blockStarts_.clear();
    blockStarts_.push_back(static_cast<std::uint64_t>(origin));
    lengths_.clear();
    longLines_.clear();
    count_ = 1;
    last_ = origin;
}

void LineIndex::Append(Pos start) {
    const Pos length = start - last_;
    if (length >= kLong) {
        lengths_.push_back(kLong);
        longLines_.emplace_back(count_ - 1, length);
    } else {
        lengths_.push_back(static_cast<std::uint16_t>(length));
    }
    if (IsBlockStart(count_)) blockStarts_.push_back(static_cast<std::uint64_t>(start));
    ++count_;
    last_ = start;
}

void LineIndex::Append(const Pos* starts, std::size_t n) {
    // The count and the last start stay in registers: every push_back could otherwise
    // change them, as far as the compiler knows.
    Pos count = count_;
    Pos last = last_;
    for (std::size_t i = 0; i < n; ++i) {
        const Pos start = starts[i];
        const Pos length = start - last;
        if (length >= kLong) {
            lengths_.push_back(kLong);
            longLines_.emplace_back(count - 1, length);
        } else {
            lengths_.push_back(static_cast<std::uint16_t>(length));
        }
        if (IsBlockStart(count)) blockStarts_.push_back(static_cast<std::uint64_t>(start));
        ++count;
        last = start;
    }
    count_ = count;
    last_ = last;
}

void LineIndex::RemoveLast() {
    if (count_ <= 1) return;
    --count_;
    if (IsBlockStart(count_)) blockStarts_.pop_back();
    if (lengths_.back() == kLong) longLines_.pop_back();
    lengths_.pop_back();
    last_ = Start(count_ - 1);
}

void LineIndex::AppendTail(const LineIndex& tail) {
    if (tail.count_ <= 1) return;
    // The tail's first line begins where its half of the file does, not at a line start:
    // its first real start goes in one by one, and every later line keeps its length.
    Append(tail.Start(1));
    const Pos shift = count_ - 2;  // the tail's line i is line i + shift here
    lengths_.insert(lengths_.end(), tail.lengths_.begin() + 1, tail.lengths_.end());
    auto longLine = tail.longLines_.begin();
    if (longLine != tail.longLines_.end() && longLine->first == 0) ++longLine;
    for (auto it = longLine; it != tail.longLines_.end(); ++it) longLines_.emplace_back(it->first + shift, it->second);
    // The block starts fall at other lines than the tail's own: one pass over the lengths.
    Pos start = last_;
    Pos line = count_ - 1;
    for (auto it = tail.lengths_.begin() + 1; it != tail.lengths_.end(); ++it) {
        start += *it == kLong ? (longLine++)->second : *it;
        ++line;
        if (IsBlockStart(line)) blockStarts_.push_back(static_cast<std::uint64_t>(start));
    }
    count_ = line + 1;
    last_ = start;
}

Pos LineIndex::Length(Pos index) const {
    const std::uint16_t l = lengths_[static_cast<std::size_t>(index)];
    if (l != kLong) return l;
    const auto it = std::lower_bound(longLines_.begin(), longLines_.end(), std::make_pair(index, Pos(0)));
    return it->second;
}

Pos LineIndex::Start(Pos index) const {
    if (index <= 0) return static_cast<Pos>(blockStarts_.front());
    if (index >= count_) return last_;
    const Pos block = index / kBlock;
    Pos start = static_cast<Pos>(blockStarts_[static_cast<std::size_t>(block)]);
    for (Pos i = block * kBlock; i < index; ++i) start += Length(i);
    return start;
}

Pos LineIndex::Find(Pos pos) const {
    if (pos <= static_cast<Pos>(blockStarts_.front())) return 0;
    if (pos >= last_) return count_ - 1;
    const auto it = std::upper_bound(blockStarts_.begin(), blockStarts_.end(), static_cast<std::uint64_t>(pos));
    const Pos block = static_cast<Pos>(it - blockStarts_.begin()) - 1;
    Pos index = block * kBlock;
    Pos start = static_cast<Pos>(blockStarts_[static_cast<std::size_t>(block)]);
    while (index + 1 < count_) {
        const Pos next = start + Length(index);
        if (next > pos) break;
        start = next;
        ++index;
    }
    return index;
}

std::size_t LineIndex::MemoryBytes() const {
    return lengths_.size() * sizeof(std::uint16_t) + blockStarts_.size() * sizeof(std::uint64_t) +
           longLines_.capacity() * sizeof(std::pair<Pos, Pos>);
}

}  // namespace tessaly::editor
