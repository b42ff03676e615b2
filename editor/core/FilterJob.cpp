#include "FilterJob.h"

#include <algorithm>
#include <chrono>

#include "BlockSearch.h"

namespace tessaly::editor {

namespace {
// Small first, so the first rows come at once; then larger, for speed, but not so large that
// showing what was found waits long for a piece to end.
constexpr Pos kFirstPiece = 64 * 1024;
constexpr Pos kLargestPiece = 1024 * 1024;
// While the text's index is still being made, the filter looks again this often.
constexpr auto kIndexWait = std::chrono::milliseconds(5);

}  // namespace

FilterJob::FilterJob(const TextSource& text, const LineFilterOptions& options)
    : m_text(text), m_filter(options), m_shown(text, m_rows, m_found, m_lock)
{}

FilterJob::~FilterJob()
{
    Stop();
}

LineFilter::Progress FilterJob::RunPiece(TextReader& reader, Pos piece, ShownLines& rows)
{
    std::lock_guard<std::mutex> hold(m_lock);
    const LineFilter::Progress progress = m_filter.Run(m_text, reader, piece, rows);
    m_bytesDone = m_filter.BytesDone();
    m_linesDone = m_filter.LinesDone();
    return progress;
}

void FilterJob::Start()
{
    m_reader = m_text.NewReader();
    if (!m_reader) {
        Continue();
        return;
    }
    m_running = true;
    m_thread = std::thread([this] { Work(); });
}

void FilterJob::Work()
{
    Pos piece = kFirstPiece;
    while (!m_stop) {
        const LineFilter::Progress progress = RunPiece(*m_reader, piece, m_found);
        piece = std::min(piece * 2, kLargestPiece);
        if (progress == LineFilter::Progress::Done) {
            m_finished = true;
            break;
        }
        if (progress == LineFilter::Progress::Waiting) {
            std::unique_lock<std::mutex> wait(m_stateLock);
            m_changed.wait_for(wait, kIndexWait, [this] { return m_stop.load(); });
        }
    }
    // The thread's own handle of the file goes with it: the log may be deleted or rotated.
    m_reader.reset();
    std::lock_guard<std::mutex> hold(m_stateLock);
    m_running = false;
    m_changed.notify_all();
}

bool FilterJob::WaitFor(unsigned ms)
{
    std::unique_lock<std::mutex> wait(m_stateLock);
    return m_changed.wait_for(wait, std::chrono::milliseconds(ms), [this] { return !m_running.load(); });
}

void FilterJob::Stop()
{
    {
        std::lock_guard<std::mutex> hold(m_stateLock);
        m_stop = true;
        m_changed.notify_all();
    }
    if (m_thread.joinable()) {
        m_thread.join();
        m_halted = !m_finished;
    }
    m_stop = false;
}

void FilterJob::Continue()
{
    if (m_running || m_halted)
        return;
    // Here the filter fills the rows shown itself: the thread's last ones go there first, so
    // that a line it takes back (the last, grown) is found among them.
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_found.MoveRowsTo(m_rows);
    }
    // On this thread the text is read as the window reads it, through no handle of its own.
    SourceReader reader(m_text);
    Pos piece = kFirstPiece;
    for (;;) {
        const LineFilter::Progress progress = RunPiece(reader, piece, m_rows);
        piece = std::min(piece * 2, kLargestPiece);
        if (progress != LineFilter::Progress::More) {
            // Waiting: the rest comes with the next look at the text.
            m_finished = progress == LineFilter::Progress::Done;
            return;
        }
    }
}

double FilterJob::Fraction() const
{
    const Pos length = m_text.Length();
    return length > 0 ? static_cast<double>(m_bytesDone.load()) / static_cast<double>(length) : 1.0;
}

Pos FilterJob::LinesDone() const
{
    return m_linesDone;
}

}  // namespace tessaly::editor
