#include "FilteredText.h"

#include <algorithm>
#include <cstring>

namespace tessaly::editor {

FilteredText::FilteredText(const TextSource& log, ShownLines& rows, ShownLines& found, std::mutex& lock)
    : m_log(log), m_rows(rows), m_found(found), m_lock(lock)
{}

Pos FilteredText::RowBytes(Pos row) const
{
    const Pos line = m_rows.Line(row);
    const Pos bytes = m_log.LineStart(line + 1) - m_log.LineStart(line);
    // The last row as published: its line may have grown with the log since.
    if (m_measured && row == m_count - 1)
        return std::min(bytes, m_length - m_lastRowStart);
    return bytes;
}

Pos FilteredText::RowStart(Pos row) const
{
    Pos pos = m_checkpoints[static_cast<std::size_t>(row / kCheckpointRows)];
    for (Pos r = row / kCheckpointRows * kCheckpointRows; r < row; ++r)
        pos += RowBytes(r);
    return pos;
}

FilteredText::RowPlace FilteredText::RowOf(Pos pos) const
{
    const auto after = std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), pos);
    const auto k = std::max<std::ptrdiff_t>(0, (after - m_checkpoints.begin()) - 1);
    RowPlace place{static_cast<Pos>(k) * kCheckpointRows, m_checkpoints[static_cast<std::size_t>(k)]};
    for (;;) {
        const Pos bytes = RowBytes(place.row);
        if (pos < place.start + bytes || place.row + 1 >= m_count)
            return place;
        place.start += bytes;
        ++place.row;
    }
}

DocChange FilteredText::Publish()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_found.MoveRowsTo(m_rows);
    }
    const Pos count = m_rows.Count();
    const bool sameHead = count >= m_count && (m_count == 0 || m_rows.Line(m_count - 1) == m_lastLine);
    const Pos oldLength = sameHead ? m_length : 0;
    if (!sameHead)
        m_checkpoints.clear();
    // Measured on from the last checkpoint: the rows before it are as they were.
    Pos row = 0;
    Pos pos = 0;
    if (!m_checkpoints.empty()) {
        row = static_cast<Pos>(m_checkpoints.size() - 1) * kCheckpointRows;
        pos = m_checkpoints.back();
        m_checkpoints.pop_back();
    }
    m_count = count;
    m_measured = false;
    // Rows of lines that follow one another in the log are measured as one run, so that a
    // filter that passes most lines costs a look at the log's index per checkpoint, not two
    // per row.
    Pos runPos = pos;     // where the run starts here
    Pos runLogStart = 0;  // and in the log
    Pos previousLine = -2;
    for (; row < count; ++row) {
        const Pos line = m_rows.Line(row);
        if (line != previousLine + 1) {
            if (previousLine >= 0)
                runPos += m_log.LineStart(previousLine + 1) - runLogStart;
            runLogStart = m_log.LineStart(line);
        }
        if (row % kCheckpointRows == 0 || row == count - 1) {
            const Pos start = runPos + m_log.LineStart(line) - runLogStart;
            if (row % kCheckpointRows == 0)
                m_checkpoints.push_back(start);
            m_lastRowStart = start;
        }
        previousLine = line;
    }
    if (previousLine >= 0)
        pos = runPos + m_log.LineStart(previousLine + 1) - runLogStart;
    m_length = pos;
    m_lastLine = count > 0 ? m_rows.Line(count - 1) : -1;
    m_lastEndsLine = false;
    if (count > 0 && m_length > m_lastRowStart) {
        const char last = m_log.ByteAt(m_log.LineStart(m_lastLine) + (m_length - m_lastRowStart) - 1);
        m_lastEndsLine = last == '\n' || last == '\r';
    }
    m_measured = true;
    if (!sameHead)
        return {DocChange::Kind::Reset, 0, m_length};
    return {DocChange::Kind::Insert, oldLength, m_length - oldLength};
}

Pos FilteredText::LineCount() const
{
    return m_count == 0 ? 1 : m_count + (m_lastEndsLine ? 1 : 0);
}

Pos FilteredText::LineStart(Pos line) const
{
    if (line >= m_count)
        return m_length;
    return RowStart(std::max<Pos>(0, line));
}

Pos FilteredText::LineFromPosition(Pos pos) const
{
    if (m_count == 0)
        return 0;
    if (pos >= m_length)
        return LineCount() - 1;
    return RowOf(std::max<Pos>(0, pos)).row;
}

void FilteredText::GetBytes(Pos pos, Pos n, char* out) const
{
    if (n <= 0)
        return;
    if (m_count > 0 && pos < m_length) {
        RowPlace place = RowOf(std::max<Pos>(0, pos));
        while (n > 0 && place.row < m_count) {
            const Pos bytes = RowBytes(place.row);
            const Pos offset = pos - place.start;
            const Pos take = std::min(n, bytes - offset);
            if (take > 0) {
                m_log.GetBytes(m_log.LineStart(m_rows.Line(place.row)) + offset, take, out);
                out += take;
                pos += take;
                n -= take;
            }
            place.start += bytes;
            ++place.row;
        }
    }
    // Outside the rows shown (never asked for by a caller that keeps to Length()).
    if (n > 0)
        std::memset(out, ' ', static_cast<std::size_t>(n));
}

Pos FilteredText::LogLineAt(Pos pos) const
{
    if (m_count == 0)
        return -1;
    // The end: the last row (an empty last line of the log holds no byte of its own).
    if (pos >= m_length)
        return m_lastLine;
    return m_rows.Line(RowOf(std::max<Pos>(0, pos)).row);
}

Pos FilteredText::PositionOfLogLine(Pos line) const
{
    if (m_count == 0)
        return 0;
    return RowStart(std::min(m_rows.RowAtOrAfter(line), m_count - 1));
}

}  // namespace tessaly::editor
