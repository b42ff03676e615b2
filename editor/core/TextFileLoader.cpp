#include "TextFileLoader.h"

#include <algorithm>
#include <exception>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "FileIO.h"
#include "LineEnds.h"

namespace tessaly::editor {

namespace {

constexpr Pos kChunk = 256 * 1024;  // read, then scanned while still in the cache
constexpr Pos kSplitBytes = 4 * 1024 * 1024;
constexpr Pos kPage = 4096;

// One half of the text's storage, [from, to), and what reading it found.
struct Half {
    Pos from = 0;
    Pos to = 0;
    Pos end = 0;          // where reading ended: `to`, or before when the file ended early
    bool done = false;    // read (to `to` or to the file's end) and scanned
    bool failed = false;  // a read failed
    LineStartScanner scanner;
    PartitionStarts starts;  // the first half's become the text's line table
};

// Reads [half.from, half.to) of the file, positioned at half.from, into text; the starts
// found are added to those the half has.
void ReadHalf(SharedReadFile& file, char* text, Half& half) {
    half.scanner = LineStartScanner(half.from);
    half.end = half.from;
    while (half.end < half.to) {
        const Pos n = std::min(kChunk, half.to - half.end);
        char* at = text + half.end;
        // One write a page faults the chunk in before the read fills it.
        for (Pos p = 0; p < n; p += kPage) at[p] = 0;
        at[n - 1] = 0;
        Pos got = 0;
        while (got < n) {
            const Pos r = file.ReadNext(at + got, static_cast<std::size_t>(n - got));
            if (r < 0) {
                half.failed = true;
                return;
            }
            if (r == 0) break;
            got += r;
        }
        half.scanner.Feed(at, static_cast<std::size_t>(got), half.starts);
        half.end += got;
        if (got < n) break;  // the file ended early
    }
    half.done = true;
}

// Sets room aside for n starts, or none when the address space is short of it.
void ReserveIfPossible(PartitionStarts& starts, Pos n) {
    try {
        starts.reserve(n);
    } catch (const std::bad_alloc&) {
        // The starts then take room as they come.
    }
}

LoadResult Load(const std::string& path, TextBuffer& out) {
    SharedReadFile file;
    if (!file.Open(path) || !file.Seek(0)) return LoadResult::CannotOpen;
    const Pos size = file.Size();
    if (size < 0) return LoadResult::NoSize;
    if (size > TextBuffer::kMaxLength) return LoadResult::TooLong;
    char* text = out.AppendSpace(size);
    if (!text && size > 0) return LoadResult::TooLong;

    const Pos middle = size >= kSplitBytes ? size / 2 / kChunk * kChunk : size;
    // Room for a line every 16 bytes: only the part written is ever touched, and a text of
    // shorter lines still fits, if more slowly. The first half's starts take the second's
    // after them and become the text's line table.
    Half first;
    first.to = middle;
    ReserveIfPossible(first.starts, size / 16 + 2);
    first.starts.push_back(0);
    Half second;
    second.from = middle;
    second.to = size;
    second.end = middle;
    ReserveIfPossible(second.starts, (size - middle) / 16);
    {
        std::jthread helper;
        if (middle < size) {
            try {
                helper = std::jthread([&path, text, &second] {
                    try {
                        SharedReadFile own;
                        if (own.Open(path) && own.Seek(second.from)) ReadHalf(own, text, second);
                    } catch (const std::exception&) {
                        second.done = false;  // the first thread reads it instead
                    }
                });
            } catch (const std::system_error&) {
                // No second thread: the first reads on.
            }
        }
        ReadHalf(file, text, first);
    }
    const bool firstWhole = first.done && first.end == middle;
    // A second half the helper could not read is read here, the handle being at its start.
    if (firstWhole && middle < size && !second.done && !second.failed) {
        second.starts.clear();
        ReadHalf(file, text, second);
    }
    if (first.failed || (firstWhole && second.failed)) return LoadResult::ReadError;

    if (!firstWhole || second.end == middle) {
        first.scanner.Finish(first.starts);
        out.CommitLoaded(first.end, size, std::move(first.starts));
        return LoadResult::Ok;
    }
    // A CR just before the middle ends a line there unless the second half begins with its
    // LF; every later start is the second half's.
    std::vector<std::int32_t> seam;
    first.scanner.Feed(text + middle, 1, seam);
    for (const std::int32_t s : seam) {
        if (s <= middle) first.starts.push_back(s);
    }
    second.scanner.Finish(second.starts);
    for (std::ptrdiff_t i = 0; i < second.starts.size(); ++i) first.starts.push_back(second.starts.data()[i]);
    out.CommitLoaded(second.end, size, std::move(first.starts));
    return LoadResult::Ok;
}

}  // namespace

LoadResult LoadTextFile(const std::string& path, TextBuffer& out) {
    try {
        return Load(path, out);
    } catch (const std::bad_alloc&) {
        // Too big for the memory at hand: as too long a text.
        return LoadResult::TooLong;
    }
}

}  // namespace tessaly::editor
