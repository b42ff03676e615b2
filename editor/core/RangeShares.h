#pragma once
// Splitting work on a range between two threads that may start at different times.
#include <algorithm>
#include <mutex>

#include "EditorTypes.h"

namespace tessaly::editor {

// The shares of a range, numbered 0 to Count() - 1, handed out from the front to the
// thread that began the work and from the back to the one that joined it, until they
// meet: a thread that starts late (under Wine a new thread may wait long for its first
// run) or is slowed down takes less. The front thread stops at frontLimit shares.
class RangeShares {
public:
    RangeShares(Pos count, Pos frontLimit) : count_(count), back_(count), frontLimit_(std::min(count, frontLimit)) {}

    Pos Count() const { return count_; }

    bool TakeFront(Pos& share) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (front_ >= back_ || front_ >= frontLimit_) return false;
        share = front_++;
        return true;
    }

    bool TakeBack(Pos& share) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (front_ >= back_) return false;
        share = --back_;
        return true;
    }

    // The number of shares the front took, once it takes no more.
    Pos FrontEnd() {
        std::lock_guard<std::mutex> lock(mutex_);
        return front_;
    }

    // No more shares for anyone.
    void Stop() {
        std::lock_guard<std::mutex> lock(mutex_);
        back_ = front_;
    }

private:
    std::mutex mutex_;
    Pos count_;
    Pos front_ = 0;
    Pos back_;
    Pos frontLimit_;
};

}  // namespace tessaly::editor
