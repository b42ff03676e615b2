#include "BlockSearch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace tessaly::editor {

namespace {

std::atomic<int> blockPauseMs{0};

// What the two threads share while they search. A share is small enough that neither
// thread waits long for the other at the end, large enough that taking one costs nothing.
struct Shares {
    Shares(const Needle& n, Pos len, StartSpan s, const SearchSizes& z)
        : needle(n), length(len), span(s), sizes(z), count((s.hi - s.lo + z.shareBytes - 1) / z.shareBytes),
          nearestHit(count), hits(static_cast<std::size_t>(count), -1)
    {}

    // Share k, counted from the nearest.
    StartSpan Share(Pos k) const
    {
        if (span.down) {
            const Pos lo = span.lo + k * sizes.shareBytes;
            return {lo, std::min(span.hi, lo + sizes.shareBytes), true};
        }
        const Pos hi = span.hi - k * sizes.shareBytes;
        return {std::max(span.lo, hi - sizes.shareBytes), hi, false};
    }

    const Needle& needle;
    const Pos length;
    const StartSpan span;
    const SearchSizes sizes;
    const Pos count;
    std::atomic<Pos> next{0};     // the next share to take
    std::atomic<Pos> nearestHit;  // the nearest share with a match so far; count when none
    std::vector<Pos> hits;        // each share's match, written by the thread that searched it
    std::atomic<bool> stop{false};
    std::atomic<Pos> done{0};  // starts looked at by both threads
};

// Takes shares until none is left or a nearer one holds a match (every share nearer than
// that one has then been taken, and is searched to its end). tick, on the thread that
// owns the text, may stop both threads.
void TakeShares(Shares& s, TextReader& reader, char* buf, const std::function<bool()>& tick)
{
    // What each block's check needs, behind one reference: a function that holds no more
    // than that needs no memory of its own, so nothing here can throw.
    struct Taken {
        Shares& s;
        const std::function<bool()>& tick;
        Pos k;
    } taken{s, tick, 0};
    const auto afterBlock = [&taken](Pos n) {
        taken.s.done += n;
        if (taken.tick && !taken.tick())
            taken.s.stop = true;
        return !taken.s.stop && taken.k < taken.s.nearestHit;
    };
    for (;;) {
        const Pos k = s.next.fetch_add(1);
        if (k >= s.count || k > s.nearestHit || s.stop)
            return;
        taken.k = k;
        const Pos found = SearchSpan(reader, buf, s.needle, s.length, s.Share(k), s.sizes.block, afterBlock);
        if (found >= 0) {
            s.hits[static_cast<std::size_t>(k)] = found;
            Pos nearest = s.nearestHit;
            while (k < nearest && !s.nearestHit.compare_exchange_weak(nearest, k)) {
            }
            return;
        }
        if (found == kSearchStopped)
            return;
    }
}

}  // namespace

void SetSearchBlockPause(int ms)
{
    blockPauseMs = ms;
}

Pos SearchSpan(TextReader& reader, char* buf, const Needle& needle, Pos length, StartSpan span, Pos block,
               const std::function<bool(Pos)>& after)
{
    const Pos m = static_cast<Pos>(needle.Size());
    while (span.lo < span.hi) {
        const Pos n = std::min(block, span.hi - span.lo);
        const Pos first = span.down ? span.lo : span.hi - n;  // this block's starts: [first, first + n)
        // With one byte more on either side where the text has one, for whole words.
        const Pos from = std::max<Pos>(0, first - 1);
        const Pos to = std::min(length, first + n + m);
        reader.Read(from, to - from, buf);
        const std::size_t size = static_cast<std::size_t>(to - from);
        const std::size_t a = static_cast<std::size_t>(first - from);
        const std::size_t b = a + static_cast<std::size_t>(n);
        const std::ptrdiff_t at = span.down ? needle.FindFirst(buf, size, a, b) : needle.FindLast(buf, size, a, b);
        if (at >= 0)
            return from + at;
        if (span.down)
            span.lo += n;
        else
            span.hi -= n;
        if (const int ms = blockPauseMs; ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        if (after && !after(n))
            return kSearchStopped;
    }
    return -1;
}

Pos SearchInShares(const TextSource& text, const Needle& needle, Pos length, StartSpan span, const SearchSizes& sizes,
                   const std::function<bool(Pos)>& told)
{
    Shares s(needle, length, span, sizes);
    const std::size_t room = static_cast<std::size_t>(std::min(sizes.block, sizes.shareBytes)) + needle.Size() + 1;
    SourceReader owner(text);
    const std::unique_ptr<TextReader> mine = text.NewReader();
    const std::unique_ptr<TextReader> theirs = mine ? text.NewReader() : nullptr;
    // Both buffers now: the second thread allocates nothing, so nothing there can throw.
    const std::unique_ptr<char[]> myBuf(new char[room]);
    const std::unique_ptr<char[]> theirBuf(theirs ? new char[room] : nullptr);
    const auto tick = [&] { return !told || told(s.done); };

    std::mutex mutex;
    std::condition_variable finished;
    bool helperDone = false;
    std::thread helper;
    if (theirs) {
        try {
            helper = std::thread([&] {
                TakeShares(s, *theirs, theirBuf.get(), {});
                {
                    std::lock_guard<std::mutex> lock(mutex);
                    helperDone = true;
                }
                finished.notify_one();
            });
        } catch (const std::system_error&) {
            // No second thread: this one takes every share.
        }
    }
    TakeShares(s, mine ? *mine : static_cast<TextReader&>(owner), myBuf.get(), tick);
    if (helper.joinable()) {
        // While the second thread ends its last share, progress is still told and may stop it.
        std::unique_lock<std::mutex> lock(mutex);
        while (!finished.wait_for(lock, std::chrono::milliseconds(20), [&] { return helperDone; })) {
            lock.unlock();
            if (!s.stop && !tick())
                s.stop = true;
            lock.lock();
        }
        lock.unlock();
        helper.join();
    }
    if (s.stop)
        return kSearchStopped;
    const Pos nearest = s.nearestHit;
    if (nearest < s.count)
        return s.hits[static_cast<std::size_t>(nearest)];
    tick();  // the last blocks the second thread read: all of it
    return -1;
}

}  // namespace tessaly::editor
