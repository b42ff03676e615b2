#include "FileTextSource.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <exception>
#include <system_error>
#include <utility>

#include "RangeShares.h"

namespace tessaly::editor {

namespace {

std::atomic<int> newSourcePauseMs{0};

// Reads a file through a handle of its own, seeking only where a read does not follow on
// from the one before: under Wine sequential reads cost much less than reads at offsets.
class FileReader : public TextReader {
public:
    explicit FileReader(SharedReadFile file) : m_file(std::move(file)) {}

    void Read(Pos pos, Pos n, char* out) override
    {
        Pos done = 0;
        if (pos == m_next || m_file.Seek(pos)) {
            Pos got = 0;
            while (done < n && (got = m_file.ReadNext(out + done, static_cast<std::size_t>(n - done))) > 0)
                done += got;
            m_next = got < 0 ? -1 : pos + done;
        } else {
            m_next = -1;
        }
        if (done < n)
            std::memset(out + done, ' ', static_cast<std::size_t>(n - done));
    }

private:
    SharedReadFile m_file;
    Pos m_next = -1;  // the file position, when known
};

// Indexing reads this much at a time, the first read of a file excepted (it is a cache
// block, for the first screen): under Wine a file read in 64 KiB pieces takes about twice
// as long as in pieces of 1 MiB.
constexpr std::size_t kIndexReadBytes = 1024 * 1024;
// The scanner takes a read in pieces of this size, so that the room it makes for the
// starts of a piece stays small.
constexpr std::size_t kScanPiece = 64 * 1024;

void Scan(LineStartScanner& scanner, const char* data, std::size_t size, StartsBuffer& starts)
{
    for (std::size_t at = 0; at < size; at += kScanPiece)
        scanner.Feed(data + at, std::min(kScanPiece, size - at), starts);
}

}  // namespace

FileTextSource::~FileTextSource()
{
    Close();
}

void FileTextSource::SetIndexPauseForNewSources(int ms)
{
    newSourcePauseMs = ms;
}

bool FileTextSource::Open(const std::string& path)
{
    Close();
    if (const int ms = newSourcePauseMs; ms > 0)
        m_pauseMs = ms;
    if (!m_file.Open(path))
        return false;
    const Pos size = m_file.Size();
    if (size < 0) {
        m_file.Close();
        return false;
    }
    m_path = path;
    Restart(size);
    return true;
}

void FileTextSource::Close()
{
    StopIndexing();
    m_file.Close();
    m_released = false;
    m_kept.clear();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_index.Clear();
    m_indexed = 0;
    m_complete = true;
    m_size = 0;
    std::lock_guard<std::mutex> cacheLock(m_cacheMutex);
    m_cache.clear();
}

void FileTextSource::Restart(Pos newSize)
{
    StopIndexing();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_index.Clear();
        m_indexed = 0;
        m_scanner = LineStartScanner(0);
        m_size = newSize;
    }
    {
        std::lock_guard<std::mutex> cacheLock(m_cacheMutex);
        m_cache.clear();
    }
    StartIndexing(0, newSize);
}

void FileTextSource::StartIndexing(Pos from, Pos limit)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_complete = false;
    }
    m_stop = false;
    m_worker = std::thread([this, from, limit] { IndexRange(from, limit); });
}

void FileTextSource::StopIndexing()
{
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
    m_stop = false;
}

// A share of a long range, indexed from the back by a thread of its own while the front
// is indexed and shown, then appended to the index.
struct FileTextSource::Tail {
    Pos from = 0;
    Pos limit = 0;
    Pos end = 0;            // where its reading ended
    bool done = false;      // read to its limit or to the file's end, not stopped
    char firstByte = '\0';  // the byte at from: it settles a CR just before from
    LineIndex index;
    LineStartScanner scanner;
};

void FileTextSource::PauseIfAsked(Pos& sincePause, Pos got) const
{
    sincePause += got;
    if (sincePause < kPublishBytes)
        return;
    sincePause = 0;
    if (const int ms = m_pauseMs; ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void FileTextSource::IndexTail(SharedReadFile& file, std::vector<char>& buf, Tail& tail)
{
    tail.index.Reset(tail.from);
    tail.scanner = LineStartScanner(tail.from);
    tail.end = tail.from;
    StartsBuffer starts;
    Pos sincePause = 0;
    while (tail.end < tail.limit) {
        if (m_stop)
            return;
        const std::size_t want =
            static_cast<std::size_t>(std::min<Pos>(static_cast<Pos>(buf.size()), tail.limit - tail.end));
        const Pos got = file.ReadNext(buf.data(), want);
        if (got <= 0)
            break;
        if (tail.end == tail.from)
            tail.firstByte = buf[0];
        Scan(tail.scanner, buf.data(), static_cast<std::size_t>(got), starts);
        tail.index.Append(starts.Base(), starts.Offsets(), starts.size());
        starts.clear();
        tail.end += got;
        m_tailDone += got;
        PauseIfAsked(sincePause, got);
    }
    tail.done = true;
}

void FileTextSource::IndexFromBack(RangeShares& shares, Pos from, Pos limit, std::vector<Tail>& tails)
{
    try {
        SharedReadFile file;
        if (!file.Open(m_path))
            return;  // the front takes every share
        std::vector<char> buf(kIndexReadBytes);
        Pos share;
        while (!m_stop && shares.TakeBack(share)) {
            Tail& tail = tails.emplace_back();
            tail.from = from + share * kShareBytes;
            tail.limit = std::min(limit, tail.from + kShareBytes);
            if (!file.Seek(tail.from))
                return;
            IndexTail(file, buf, tail);
            if (!tail.done || tail.end < tail.limit)
                return;  // stopped, or the file ended
        }
    } catch (const std::exception&) {
        // A share taken and not done is read by the front.
    }
}

void FileTextSource::IndexRange(Pos from, Pos limit)
{
    // A handle of its own, read sequentially: the view's reads go through the cache.
    SharedReadFile file;
    const bool opened = file.Open(m_path) && file.Seek(from);
    std::vector<char> buf(kIndexReadBytes);
    StartsBuffer starts;
    Pos offset = from;
    // Lines are handed over in batches: each hand-over takes the lock and wakes waiters,
    // which under Wine costs as much as indexing a block. The first block goes at once,
    // for the first screen.
    auto publish = [&](bool finished) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_index.Append(starts.Base(), starts.Offsets(), starts.size());
            m_indexed = offset;
            m_complete = finished;
        }
        starts.clear();
        indexed_cv_.notify_all();
    };
    Pos published = from;
    bool first = true;
    Pos sincePause = 0;
    // False when the file ended early (it was cut short meanwhile; Update() will see it).
    auto scanTo = [&](Pos end) {
        while (offset < end && !m_stop) {
            const std::size_t room = first ? kBlockSize : buf.size();
            const std::size_t want = static_cast<std::size_t>(std::min<Pos>(static_cast<Pos>(room), end - offset));
            const Pos got = file.ReadNext(buf.data(), want);
            if (got <= 0)
                return false;
            // The scanner is the worker's while it runs: Update() stops the worker before touching it.
            Scan(m_scanner, buf.data(), static_cast<std::size_t>(got), starts);
            offset += got;
            PauseIfAsked(sincePause, got);
            if (first || offset - published >= kPublishBytes) {
                publish(false);
                published = offset;
                first = false;
            }
        }
        return true;
    };

    // A long range takes two threads: this one from the front, shown as it goes, and a
    // second from the back, in shares, until they meet.
    const bool split = opened && limit - from >= kSplitBytes;
    RangeShares shares(split ? (limit - from + kShareBytes - 1) / kShareBytes : 1,
                       split ? m_frontLimit / kShareBytes : 1);
    std::vector<Tail> tails;  // the last share first
    std::thread tailWorker;
    if (split) {
        m_tailDone = 0;
        try {
            tailWorker =
                std::thread([this, &shares, &tails, from, limit] { IndexFromBack(shares, from, limit, tails); });
        } catch (const std::system_error&) {
            // No second thread: this one takes every share.
        }
    }
    bool more = opened;
    Pos share;
    while (more && !m_stop && shares.TakeFront(share)) {
        more = scanTo(split ? std::min(limit, from + (share + 1) * kShareBytes) : limit);
    }
    // Cut short or stopped: the back takes no more either. Otherwise it takes the rest.
    if (!more || m_stop)
        shares.Stop();
    if (tailWorker.joinable()) {
        tailWorker.join();
        std::lock_guard<std::mutex> lock(m_mutex);
        // Each share from the back that follows on is appended; at a gap (a share not
        // done), this thread reads on from there.
        for (auto tail = tails.rbegin(); more && !m_stop && tail != tails.rend() && tail->done && tail->from == offset;
             ++tail) {
            if (tail->end == tail->from) {
                more = false;  // the file ended where the share begins
                break;
            }
            // A CR just before the share ends a line there unless the share begins with
            // its LF; either way the share has every later start, and its scanner carries on.
            std::vector<Pos> seam;
            m_scanner.Feed(&tail->firstByte, 1, seam);
            starts.Reserve(seam.size());
            for (const Pos s : seam) {
                if (s <= tail->from)
                    starts.push_back(s);
            }
            m_scanner = tail->scanner;
            m_index.Append(starts.Base(), starts.Offsets(), starts.size());
            starts.clear();
            m_index.AppendTail(tail->index);
            offset = tail->end;
            m_indexed = offset;
            if (tail->end < tail->limit)
                more = false;  // the file ended within it
        }
        m_tailDone = 0;
        if (more && offset < limit && !file.Seek(offset))
            more = false;
    }
    for (;;) {
        if (more)
            more = scanTo(limit);
        if (m_stop && offset < limit) {
            publish(false);  // stopped: Update() carries on from here
            return;
        }
        {
            // Update() lengthens the text under this lock while the index is not complete,
            // without stopping this thread: what was appended meanwhile is read on here.
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!more || m_stop || m_size <= offset) {
                m_scanner.Finish(starts);
                m_index.Append(starts.Base(), starts.Offsets(), starts.size());
                m_indexed = offset;
                m_complete = true;
                break;
            }
            limit = m_size;
        }
        more = file.Seek(offset);
    }
    starts.clear();
    indexed_cv_.notify_all();
}

FileTextSource::Growth FileTextSource::Update()
{
    if (!m_file.IsOpen())
        return Growth::None;
    const Pos newSize = m_file.Size();
    if (newSize < 0 || newSize == m_size)
        return Growth::None;
    if (newSize < m_size) {
        Restart(newSize);  // cut short: every position may be gone
        return Growth::Replaced;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_complete) {
            // The thread still indexing reads on to the new length before it finishes.
            m_size = newSize;
            DropPartialBlocks();
            return Growth::Appended;
        }
    }
    char lastByte = '\0';
    if (m_size > 0)
        GetBytes(m_size - 1, 1, &lastByte);
    StopIndexing();
    Pos from;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        from = m_indexed;
        if (m_complete && from == m_size && lastByte == '\r' && m_index.Count() > 1 && m_index.Last() == m_size) {
            // The text ended in a CR, taken as a line end when the index was finished: an
            // LF appended now makes it half of a CR LF. The CR is read again with what follows.
            m_index.RemoveLast();
            from = m_size - 1;
            m_indexed = from;
            m_scanner = LineStartScanner(from);
        }
        m_size = newSize;
    }
    DropPartialBlocks();
    StartIndexing(from, newSize);
    return Growth::Appended;
}

void FileTextSource::DropPartialBlocks()
{
    // Blocks read whole stay true while the file only grows; the one it ended in does not.
    std::lock_guard<std::mutex> cacheLock(m_cacheMutex);
    m_cache.erase(
        std::remove_if(m_cache.begin(), m_cache.end(), [](const Block& b) { return b.data.size() < kBlockSize; }),
        m_cache.end());
}

FileLook FileTextSource::Look() const
{
    FileLook look;
    look.shownLength = m_size;
    if (!m_file.IsOpen())
        return look;
    look.openSize = m_file.Size();
    look.deletePending = m_file.IsDeletePending();
    look.path = m_file.LookAtPath(m_path);
    return look;
}

std::vector<char> FileTextSource::ReadKept(Pos& keepFrom, Pos& keepTo) const
{
    keepFrom = std::clamp<Pos>(keepFrom, 0, m_size);
    keepTo = std::clamp<Pos>(keepTo, keepFrom, m_size);
    std::vector<char> kept(static_cast<std::size_t>(keepTo - keepFrom));
    const Pos got = kept.empty() ? 0 : std::max<Pos>(CopyBytes(keepFrom, keepTo - keepFrom, kept.data()), 0);
    kept.resize(static_cast<std::size_t>(got));
    return kept;
}

void FileTextSource::KeepOnly(Pos keepFrom, std::vector<char> kept)
{
    m_file.Close();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Lines not indexed yet stay one line: there is no file left to read them from.
        m_complete = true;
    }
    std::lock_guard<std::mutex> cacheLock(m_cacheMutex);
    m_cache.clear();
    m_keptFrom = keepFrom;
    m_kept = std::move(kept);
    m_released = true;
}

void FileTextSource::Release(Pos keepFrom, Pos keepTo)
{
    StopIndexing();
    std::vector<char> kept = ReadKept(keepFrom, keepTo);
    KeepOnly(keepFrom, std::move(kept));
}

FileChange FileTextSource::Reopen(Pos keepFrom, Pos keepTo)
{
    if (!m_file.IsOpen() || !IsIndexComplete())
        return FileChange::None;  // the indexing threads hold handles of their own meanwhile
    const FileId before = m_file.Id();
    std::vector<char> kept = ReadKept(keepFrom, keepTo);
    m_file.Close();
    if (m_file.Open(m_path))
        return m_file.Id() == before ? FileChange::None : FileChange::Replaced;
    KeepOnly(keepFrom, std::move(kept));
    return FileChange::Gone;
}

Pos FileTextSource::LineCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_complete ? m_index.Count() : m_index.Count() - 1;
}

bool FileTextSource::IsIndexComplete() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_complete;
}

Pos FileTextSource::LineStart(Pos line) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (line <= 0)
        return 0;
    if (line >= m_index.Count())
        return m_complete ? m_size : m_index.Last();
    return m_index.Start(line);
}

Pos FileTextSource::LineFromPosition(Pos pos) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const Pos line = m_index.Find(pos);
    const Pos known = m_complete ? m_index.Count() : m_index.Count() - 1;
    return std::max<Pos>(0, std::min(line, known - 1));
}

bool FileTextSource::WaitForLine(Pos line, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return indexed_cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return m_complete || line < m_index.Count() - 1; });
}

bool FileTextSource::WaitForIndex(const std::function<bool(double)>& progress) const
{
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (indexed_cv_.wait_for(lock, std::chrono::milliseconds(50), [&] { return m_complete; }))
                return true;
        }
        if (progress && !progress(Progress()))
            return false;
    }
}

double FileTextSource::Progress() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_complete || m_size <= 0)
        return 1.0;
    return static_cast<double>(m_indexed + m_tailDone) / static_cast<double>(m_size);
}

const FileTextSource::Block& FileTextSource::FetchBlock(Pos offset) const
{
    ++m_tick;
    for (Block& b : m_cache) {
        if (b.offset == offset) {
            b.lastUse = m_tick;
            return b;
        }
    }
    Block* slot;
    if (m_cache.size() < kCacheBlocks) {
        m_cache.emplace_back();
        slot = &m_cache.back();
    } else {
        slot = &*std::min_element(m_cache.begin(), m_cache.end(),
                                  [](const Block& a, const Block& b) { return a.lastUse < b.lastUse; });
    }
    slot->offset = offset;
    slot->lastUse = m_tick;
    slot->data.resize(kBlockSize);
    const Pos got = m_file.ReadAt(offset, slot->data.data(), kBlockSize);
    slot->data.resize(static_cast<std::size_t>(std::max<Pos>(got, 0)));
    return *slot;
}

Pos FileTextSource::KeptBytes(Pos pos, Pos n, char* out) const
{
    const Pos keptEnd = m_keptFrom + static_cast<Pos>(m_kept.size());
    if (pos < m_keptFrom || pos >= keptEnd || n <= 0)
        return 0;
    const Pos take = std::min(n, keptEnd - pos);
    std::memcpy(out, m_kept.data() + (pos - m_keptFrom), static_cast<std::size_t>(take));
    return take;
}

Pos FileTextSource::CopyBytes(Pos pos, Pos n, char* out) const
{
    if (m_released)
        return KeptBytes(pos, n, out);
    Pos done = 0;
    while (done < n) {
        const Pos got = m_file.ReadAt(pos + done, out + done, static_cast<std::size_t>(n - done));
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

std::unique_ptr<TextReader> FileTextSource::NewReader() const
{
    SharedReadFile file;
    if (m_released || m_path.empty() || !file.Open(m_path) || !file.IsSameFileAs(m_file))
        return nullptr;
    return std::make_unique<FileReader>(std::move(file));
}

void FileTextSource::GetBytes(Pos pos, Pos n, char* out) const
{
    if (n <= 0)
        return;
    if (m_released) {
        // Only what was painted when the file went is kept; the rest reads as blanks.
        const Pos offset = std::clamp<Pos>(m_keptFrom - pos, 0, n);
        std::memset(out, ' ', static_cast<std::size_t>(n));
        KeptBytes(pos + offset, n - offset, out + offset);
        return;
    }
    if (static_cast<std::size_t>(n) >= 4 * kBlockSize) {
        // Large reads (copying, saving) go straight to the file and leave the cache alone.
        const Pos got = std::max<Pos>(m_file.ReadAt(pos, out, static_cast<std::size_t>(n)), 0);
        if (got < n)
            std::memset(out + got, ' ', static_cast<std::size_t>(n - got));
        return;
    }
    std::lock_guard<std::mutex> lock(m_cacheMutex);
    while (n > 0) {
        const Pos blockOffset = pos - pos % static_cast<Pos>(kBlockSize);
        const Block& b = FetchBlock(blockOffset);
        const Pos inBlock = pos - blockOffset;
        const Pos take = std::min<Pos>(n, static_cast<Pos>(kBlockSize) - inBlock);
        const Pos have = std::clamp<Pos>(static_cast<Pos>(b.data.size()) - inBlock, 0, take);
        if (have > 0)
            std::memcpy(out, b.data.data() + inBlock, static_cast<std::size_t>(have));
        if (have < take)
            std::memset(out + have, ' ', static_cast<std::size_t>(take - have));
        out += take;
        pos += take;
        n -= take;
    }
}

std::size_t FileTextSource::IndexMemoryBytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_index.MemoryBytes();
}

std::size_t FileTextSource::MemoryBytes() const
{
    std::size_t bytes = IndexMemoryBytes();
    std::lock_guard<std::mutex> cacheLock(m_cacheMutex);
    for (const Block& b : m_cache)
        bytes += b.data.capacity();
    return bytes;
}

}  // namespace tessaly::editor
