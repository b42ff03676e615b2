// Filtering the text shown down to the lines that matter, and back to the whole text.
#include "EditorWindow.h"
#include "ProgressWait.h"

namespace tessaly::editor {

namespace {
// How often the rows found are shown while the filter runs; the first look comes sooner, and
// the first rows are painted as soon as they are shown, not when the progress box next lets
// the messages through.
constexpr unsigned kPublishMs = 20;
constexpr unsigned kFirstPublishMs = 5;
}  // namespace

Pos EditorWindow::WholeLineAtCaret() const
{
    if (const FilterJob* job = m_buffer.Filter())
        return job->Shown().LogLineAt(m_session.Caret());
    return m_buffer.WholeText().LineFromPosition(m_session.Caret());
}

void EditorWindow::CaretToWholeLine(Pos line)
{
    if (line < 0)
        return;
    Pos pos = 0;
    if (const FilterJob* job = m_buffer.Filter()) {
        pos = job->Shown().PositionOfLogLine(line);
    } else {
        const TextSource& text = m_buffer.WholeText();
        pos = text.LineStart(std::min(line, text.LineCount() - 1));
    }
    DoMove([&] { m_session.MoveTo(pos, false); });
}

EditorWindow::FilterOutcome EditorWindow::Filter(const LineFilterOptions& options)
{
    if (m_filterRunning)
        return FilterOutcome::Busy;
    const Pos caretLine = WholeLineAtCaret();
    if (!m_buffer.StartFilter(options)) {
        CaretToWholeLine(caretLine);
        return FilterOutcome::ShowsAll;
    }
    m_filterRunning = true;
    struct Running {
        bool& flag;
        ~Running() { flag = false; }
    } running{m_filterRunning};
    {
        ProgressWait wait(m_wnd, "Filtering lines...");
        // Each look takes the job again: a message handled while waiting may have cleared it.
        unsigned waitMs = kFirstPublishMs;
        bool painted = false;
        while (FilterJob* job = m_buffer.Filter()) {
            const bool ended = job->WaitFor(waitMs);
            waitMs = kPublishMs;
            m_buffer.PublishFilter();
            if (!painted && job->Shown().Rows() > 0) {
                painted = true;
                ::UpdateWindow(m_wnd);
            }
            if (ended)
                break;
            if (!wait.Step(job->Fraction())) {
                if (FilterJob* still = m_buffer.Filter()) {
                    still->Stop();
                    m_buffer.PublishFilter();
                }
                break;
            }
        }
    }
    m_filterRunning = false;
    const FilterJob* job = m_buffer.Filter();
    if (!job)
        return FilterOutcome::ShowsAll;
    CaretToWholeLine(caretLine);
    return job->Finished() ? FilterOutcome::Done : FilterOutcome::Stopped;
}

void EditorWindow::ClearFilter()
{
    if (!m_buffer.Filter() || m_filterRunning)
        return;
    const Pos line = WholeLineAtCaret();
    m_buffer.ClearFilter();
    CaretToWholeLine(line);
}

}  // namespace tessaly::editor
