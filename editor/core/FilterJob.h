#pragma once
// One filter of a text at work: a thread that runs the filter over the text piece by piece
// into the rows a FilteredText shows, which the window's thread publishes as they come;
// stopped, it keeps the rows found. After the text grew, the window's thread filters the
// new part itself.
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "FilteredText.h"
#include "LineFilter.h"

namespace tessaly::editor {

class FilterJob {
public:
    FilterJob(const TextSource& text, const LineFilterOptions& options);
    ~FilterJob();
    FilterJob(const FilterJob&) = delete;
    FilterJob& operator=(const FilterJob&) = delete;

    bool ShowsEveryLine() const { return m_filter.ShowsEveryLine(); }
    FilteredText& Shown() { return m_shown; }
    const FilteredText& Shown() const { return m_shown; }

    // Starts the thread (a text without a reader for one is filtered here, now).
    void Start();
    // Waits up to ms for the thread to end; true once it has.
    bool WaitFor(unsigned ms);
    bool Running() const { return m_running; }
    // Ends the thread; the rows found so far stay.
    void Stop();
    // The whole text was filtered (not stopped before the end).
    bool Finished() const { return m_finished; }
    // Stopped before the end: it filters no more, not even what is appended.
    bool Halted() const { return m_halted; }
    // After the text grew, or while its index was still being made: filters what came, on
    // this thread. Not while Running().
    void Continue();
    // How far the filter got, from 0 to 1.
    double Fraction() const;
    // Lines of the text decided on so far.
    Pos LinesDone() const;
    // What the rows found take; once the thread has ended.
    std::size_t MemoryBytes() const { return m_rows.MemoryBytes() + m_found.MemoryBytes(); }

private:
    void Work();
    LineFilter::Progress RunPiece(TextReader& reader, Pos piece, ShownLines& rows);

    const TextSource& m_text;
    LineFilter m_filter;
    ShownLines m_rows;   // shown: the window's thread's
    ShownLines m_found;  // found by the thread and not yet shown, under m_lock
    mutable std::mutex m_lock;
    FilteredText m_shown;
    std::unique_ptr<TextReader> m_reader;  // the thread's, while it runs
    std::thread m_thread;
    std::mutex m_stateLock;
    std::condition_variable m_changed;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_finished{false};
    bool m_halted = false;
    std::atomic<Pos> m_bytesDone{0};
    std::atomic<Pos> m_linesDone{0};
};

}  // namespace tessaly::editor
