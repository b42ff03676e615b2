#include "TextFileLoader.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <system_error>
#include <thread>

#include "FileIO.h"
#include "LineEnds.h"

namespace tessaly::editor {

namespace {

constexpr Pos kChunk = 256 * 1024;  // read, then scanned while still in the cache
constexpr Pos kFaultAheadBytes = 4 * 1024 * 1024;
constexpr Pos kPage = 4096;

// Sets room aside for n starts, or none when the address space is short of it.
void ReserveIfPossible(PartitionStarts& starts, Pos n)
{
    try {
        starts.reserve(n);
    } catch (const std::bad_alloc&) {
        // The starts then take room as they come.
    }
}

// Faults in the pages of text[0, size) that the reader has not reached yet, one write a
// page. The write is an atomic OR with 0: it leaves every byte as it is, so it cannot undo
// what the reader put into a page it reached meanwhile.
class CPageFaulter {
public:
    CPageFaulter(char* text, Pos size) : m_text(text), m_size(size) {}

    void Run(const std::atomic<Pos>& readTo, const std::atomic<bool>& stop) const
    {
        Pos p = 0;
        while (p < m_size && !stop.load(std::memory_order_relaxed)) {
            // Pages the reader is about to fill are its own: faulting them too would only
            // make both wait on them.
            const Pos ahead = readTo.load(std::memory_order_relaxed) + kChunk;
            if (p < ahead)
                p = (ahead + kPage - 1) / kPage * kPage;
            if (p >= m_size)
                break;
            __atomic_fetch_or(reinterpret_cast<unsigned char*>(m_text + p), static_cast<unsigned char>(0),
                              __ATOMIC_RELAXED);
            p += kPage;
        }
    }

private:
    char* m_text;
    Pos m_size;
};

LoadResult Load(const std::string& path, TextBuffer& out)
{
    SharedReadFile file;
    if (!file.Open(path) || !file.Seek(0))
        return LoadResult::CannotOpen;
    const Pos size = file.Size();
    if (size < 0)
        return LoadResult::NoSize;
    if (size > TextBuffer::kMaxLength)
        return LoadResult::TooLong;
    char* text = out.AppendSpace(size);
    if (!text && size > 0)
        return LoadResult::TooLong;

    // The starts become the text's line table. Room for a line every 16 bytes: only the
    // part written is ever touched, and a text of shorter lines still fits, if more slowly.
    PartitionStarts starts;
    ReserveIfPossible(starts, size / 16 + 2);
    starts.push_back(0);
    LineStartScanner scanner(0);
    std::atomic<Pos> readTo{0};
    std::atomic<bool> stop{false};
    Pos end = 0;
    bool failed = false;
    {
        std::jthread faulter;
        if (size >= kFaultAheadBytes) {
            try {
                faulter = std::jthread([&, pages = CPageFaulter(text, size)] { pages.Run(readTo, stop); });
            } catch (const std::system_error&) {
                // No second thread: the reads fault the pages in themselves.
            }
        }
        while (end < size) {
            const Pos n = std::min(kChunk, size - end);
            char* at = text + end;
            Pos got = 0;
            while (got < n) {
                const Pos r = file.ReadNext(at + got, static_cast<std::size_t>(n - got));
                if (r < 0) {
                    failed = true;
                    break;
                }
                if (r == 0)
                    break;
                got += r;
            }
            if (failed)
                break;
            scanner.Feed(at, static_cast<std::size_t>(got), starts);
            end += got;
            readTo.store(end, std::memory_order_relaxed);
            if (got < n)
                break;  // the file became shorter
        }
        stop.store(true, std::memory_order_relaxed);
    }
    if (failed)
        return LoadResult::ReadError;
    scanner.Finish(starts);
    out.CommitLoaded(end, size, std::move(starts));
    return LoadResult::Ok;
}

}  // namespace

LoadResult LoadTextFile(const std::string& path, TextBuffer& out)
{
    try {
        return Load(path, out);
    } catch (const std::bad_alloc&) {
        // Too big for the memory at hand: as too long a text.
        return LoadResult::TooLong;
    }
}

}  // namespace tessaly::editor
