#include "TextFileLoader.h"

#include <algorithm>
#include <exception>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "FileIO.h"
#include "LineEnds.h"
#include "RangeShares.h"

namespace tessaly::editor {

namespace {

constexpr Pos kChunk = 256 * 1024;       // read, then scanned while still in the cache
constexpr Pos kShare = 2 * 1024 * 1024;  // taken by one thread at a time
constexpr Pos kSplitBytes = 4 * 1024 * 1024;
constexpr Pos kPage = 4096;

// A run of the text read by one thread with one scanner.
template <typename Starts>
struct Run {
    Pos from = 0;
    Pos end = 0;          // read up to here
    bool short_ = false;  // the file ended before the run did
    bool failed = false;  // a read failed
    LineStartScanner scanner;
    Starts starts;

    explicit Run(Pos at) : from(at), end(at), scanner(at) {}

    // Reads on up to `to` from the file, positioned at end; false when it could not.
    bool ReadTo(SharedReadFile& file, char* text, Pos to) {
        while (end < to) {
            const Pos n = std::min(kChunk, to - end);
            char* at = text + end;
            // One write a page faults the chunk in before the read fills it.
            for (Pos p = 0; p < n; p += kPage) at[p] = 0;
            at[n - 1] = 0;
            Pos got = 0;
            while (got < n) {
                const Pos r = file.ReadNext(at + got, static_cast<std::size_t>(n - got));
                if (r < 0) {
                    failed = true;
                    return false;
                }
                if (r == 0) break;
                got += r;
            }
            scanner.Feed(at, static_cast<std::size_t>(got), starts);
            end += got;
            if (got < n) {
                short_ = true;
                return false;
            }
        }
        return true;
    }
};

using Piece = Run<std::vector<std::int32_t>>;  // a share read from the back

// Sets room aside for n starts, or none when the address space is short of it.
void ReserveIfPossible(PartitionStarts& starts, Pos n) {
    try {
        starts.reserve(n);
    } catch (const std::bad_alloc&) {
        // The starts then take room as they come.
    }
}

// Reads shares from the back, into pieces[0] for the last share, pieces[1] before it, ...
void ReadFromBack(const std::string& path, char* text, Pos size, RangeShares& shares, std::vector<Piece>& pieces) {
    try {
        SharedReadFile file;
        if (!file.Open(path)) return;
        Pos share;
        while (shares.TakeBack(share)) {
            Piece& piece = pieces.emplace_back(share * kShare);
            if (!file.Seek(piece.from) || !piece.ReadTo(file, text, std::min(size, piece.from + kShare))) return;
        }
    } catch (const std::exception&) {
        // What was not read is read by the other thread.
    }
}

LoadResult Load(const std::string& path, TextBuffer& out, Pos frontLimit) {
    SharedReadFile file;
    if (!file.Open(path) || !file.Seek(0)) return LoadResult::CannotOpen;
    const Pos size = file.Size();
    if (size < 0) return LoadResult::NoSize;
    if (size > TextBuffer::kMaxLength) return LoadResult::TooLong;
    char* text = out.AppendSpace(size);
    if (!text && size > 0) return LoadResult::TooLong;

    // The front run's starts take the rest after them and become the text's line table.
    // Room for a line every 16 bytes: only the part written is ever touched, and a text
    // of shorter lines still fits, if more slowly.
    Run<PartitionStarts> front(0);
    ReserveIfPossible(front.starts, size / 16 + 2);
    front.starts.push_back(0);
    RangeShares shares((size + kShare - 1) / kShare, frontLimit / kShare);
    std::vector<Piece> pieces;
    {
        std::jthread helper;
        if (size >= kSplitBytes) {
            try {
                helper = std::jthread([&] { ReadFromBack(path, text, size, shares, pieces); });
            } catch (const std::system_error&) {
                // No second thread: this one reads every share.
            }
        }
        Pos share;
        while (shares.TakeFront(share)) {
            if (!front.ReadTo(file, text, std::min(size, (share + 1) * kShare))) {
                shares.Stop();
                break;
            }
        }
    }
    if (front.failed) return LoadResult::ReadError;

    // The shares after the front's, in order; any the helper left unread are read here.
    const Pos frontEnd = shares.FrontEnd();
    while (static_cast<Pos>(pieces.size()) < shares.Count() - frontEnd) pieces.emplace_back(-1);
    LineStartScanner* last = &front.scanner;
    Pos used = front.end;
    std::vector<std::int32_t> seam;
    for (Pos share = frontEnd; !front.short_ && share < shares.Count(); ++share) {
        const std::size_t slot = static_cast<std::size_t>(shares.Count() - 1 - share);
        const Pos from = share * kShare;
        const Pos to = std::min(size, from + kShare);
        const Piece& read = pieces[slot];
        if (read.from != from || read.failed || (read.end < to && !read.short_)) {
            Piece again(from);
            if (!file.Seek(from)) return LoadResult::ReadError;
            again.ReadTo(file, text, to);
            pieces[slot] = std::move(again);
        }
        Piece& piece = pieces[slot];
        if (piece.failed) return LoadResult::ReadError;
        if (piece.end == piece.from) break;  // the file ended where this share begins
        // A CR just before the share ends a line there unless the share begins with its
        // LF; every later start is the share's.
        seam.clear();
        last->Feed(text + piece.from, 1, seam);
        for (const std::int32_t s : seam) {
            if (s <= piece.from) front.starts.push_back(s);
        }
        for (const std::int32_t s : piece.starts) front.starts.push_back(s);
        last = &piece.scanner;
        used = piece.end;
        if (piece.short_) break;
    }
    last->Finish(front.starts);
    out.CommitLoaded(used, size, std::move(front.starts));
    return LoadResult::Ok;
}

}  // namespace

LoadResult LoadTextFile(const std::string& path, TextBuffer& out) { return LoadTextFile(path, out, kMaxFront); }

LoadResult LoadTextFile(const std::string& path, TextBuffer& out, Pos frontLimit) {
    try {
        return Load(path, out, frontLimit);
    } catch (const std::bad_alloc&) {
        // Too big for the memory at hand: as too long a text.
        return LoadResult::TooLong;
    }
}

}  // namespace tessaly::editor
