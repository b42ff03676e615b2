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
    RangeShares(Pos count, Pos frontLimit) : m_count(count), m_back(count), m_frontLimit(std::min(count, frontLimit)) {}

    Pos Count() const { return m_count; }

    bool TakeFront(Pos& share)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_front >= m_back || m_front >= m_frontLimit)
            return false;
        share = m_front++;
        return true;
    }

    bool TakeBack(Pos& share)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_front >= m_back)
            return false;
        share = --m_back;
        return true;
    }

    // The number of shares the front took, once it takes no more.
    Pos FrontEnd()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_front;
    }

    // No more shares for anyone.
    void Stop()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_back = m_front;
    }

private:
    std::mutex m_mutex;
    Pos m_count;
    Pos m_front = 0;
    Pos m_back;
    Pos m_frontLimit;
};

}  // namespace tessaly::editor
