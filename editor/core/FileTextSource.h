#pragma once
// A read-only text read from its file on demand, for logs of any size: the lines are
// indexed by a background thread while the first ones can already be shown, and the
// text is read in small blocks as it is needed. The file is never locked or mapped.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FileIO.h"
#include "FileWatch.h"
#include "LineEnds.h"
#include "LineIndex.h"
#include "TextSource.h"

namespace tessaly::editor {

class RangeShares;

class FileTextSource : public TextSource {
public:
    FileTextSource() = default;
    ~FileTextSource() override;
    FileTextSource(const FileTextSource&) = delete;
    FileTextSource& operator=(const FileTextSource&) = delete;

    // Opens the file and starts indexing it; false when it cannot be read.
    bool Open(const std::string& path);
    void Close();

    Pos Length() const override { return m_size; }
    Pos LineCount() const override;
    bool IsIndexComplete() const override;
    Pos LineStart(Pos line) const override;
    Pos LineFromPosition(Pos pos) const override;
    // Bytes that vanished from the file since it was opened (it was truncated) read as blanks.
    void GetBytes(Pos pos, Pos n, char* out) const override;

    // Reads bytes straight from the file, for copying it: how many it still holds (fewer
    // than n when it was cut short since it was opened).
    Pos CopyBytes(Pos pos, Pos n, char* out) const;
    // A reader with a handle of its own on the same file; none when the file cannot be
    // opened again, or when what its path names now is another file.
    std::unique_ptr<TextReader> NewReader() const override;

    // Waits until the line is known (or the index is complete), at most timeoutMs.
    bool WaitForLine(Pos line, int timeoutMs) const;
    // Waits for the whole index, calling progress(fraction) now and then; progress
    // returning false gives up, and so does this (false).
    bool WaitForIndex(const std::function<bool(double)>& progress) const;
    double Progress() const;

    // What Update() found.
    enum class Growth { None, Appended, Replaced };
    // Looks at the file again: appended bytes are indexed after the lines known so far
    // (Appended: the old text is unchanged, the new bytes follow it); a shorter file is
    // read anew (Replaced).
    Growth Update();

    // What the open file and its path say now, for DecideFileChange.
    FileLook Look() const;
    // Lets go of the file (it was deleted, and its name stays taken while it is open):
    // the bytes [keepFrom, keepTo) are kept in memory and every handle is closed. The
    // length and the lines stay; bytes not kept read as blanks.
    void Release(Pos keepFrom, Pos keepTo);
    bool IsReleased() const { return m_released; }
    // Closes the file and opens its path again: a deletion that waits for the last handle
    // (under Wine, which says nothing of it meanwhile) then completes. None when the same
    // file opened again; Replaced when another did (it is open now); Gone when none did
    // (released as by Release). Nothing is done while the lines are being counted.
    FileChange Reopen(Pos keepFrom, Pos keepTo);
    const std::string& Path() const { return m_path; }

    // How far at most the thread that shows the first lines indexes a long file from the
    // front (rounded down to a share of 8 MiB); the rest is indexed from the back by a
    // second thread and joined on. Unlimited unless set; for trying out the joins.
    void SetFrontShareLimit(Pos bytes) { m_frontLimit = bytes; }
    // Each indexing thread pauses this long after every 2 MiB it reads: for trying out
    // what waits for an index that takes its time. None unless set.
    void SetIndexPause(int ms) { m_pauseMs = ms; }
    // The same pause for every source opened from now on (0: none), so that a test can slow
    // an index down before it starts rather than race it.
    static void SetIndexPauseForNewSources(int ms);

    // Memory held: the line index and the block cache; the index alone.
    std::size_t MemoryBytes() const;
    std::size_t IndexMemoryBytes() const;

private:
    struct Block {
        Pos offset = -1;
        std::vector<char> data;
        std::uint64_t lastUse = 0;
    };

    static constexpr std::size_t kBlockSize = 64 * 1024;
    static constexpr std::size_t kCacheBlocks = 32;
    static constexpr Pos kPublishBytes = 2 * 1024 * 1024;
    // Ranges at least this long are indexed by two threads at once, in shares.
    static constexpr Pos kSplitBytes = 16 * 1024 * 1024;
    static constexpr Pos kShareBytes = 8 * 1024 * 1024;

    struct Tail;

    void StartIndexing(Pos from, Pos limit);
    void StopIndexing();
    void IndexRange(Pos from, Pos limit);
    void IndexFromBack(RangeShares& shares, Pos from, Pos limit, std::vector<Tail>& tails);
    void IndexTail(SharedReadFile& file, std::vector<char>& buf, Tail& tail);
    void Restart(Pos newSize);
    void PauseIfAsked(Pos& sincePause, Pos got) const;
    const Block& FetchBlock(Pos offset) const;
    void DropPartialBlocks();
    std::vector<char> ReadKept(Pos& keepFrom, Pos& keepTo) const;
    void KeepOnly(Pos keepFrom, std::vector<char> kept);
    // Copies what was kept of [pos, pos + n) by Release; how many bytes from pos it held.
    Pos KeptBytes(Pos pos, Pos n, char* out) const;

    std::string m_path;
    SharedReadFile m_file;
    Pos m_size = 0;

    mutable std::mutex m_mutex;  // guards m_index, m_indexed, m_complete
    mutable std::condition_variable indexed_cv_;
    LineIndex m_index;
    Pos m_indexed = 0;
    bool m_complete = true;
    LineStartScanner m_scanner;
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    std::atomic<Pos> m_frontLimit{Pos(1) << 62};
    std::atomic<Pos> m_tailDone{0};
    std::atomic<int> m_pauseMs{0};  // bytes indexed from the back but not yet merged

    bool m_released = false;
    Pos m_keptFrom = 0;
    std::vector<char> m_kept;

    mutable std::mutex m_cacheMutex;
    mutable std::vector<Block> m_cache;
    mutable std::uint64_t m_tick = 0;
};

}  // namespace tessaly::editor
