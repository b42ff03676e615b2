#pragma once
// The text a filtered view shows: the lines of a log that a filter let through, one after
// another with their own line ends, read from the log itself. A position in it is found
// from the start of every 16th row (the log's index gives each line's length), so the view
// costs ShownLines' four bytes a row and half a byte more.
#include <mutex>
#include <vector>

#include "ShownLines.h"
#include "TextDocument.h"
#include "TextSource.h"

namespace tessaly::editor {

class FilteredText : public TextSource {
public:
    // `found` is filled by another thread while it holds `lock`; Publish moves its rows to
    // `rows`, which only the window's thread touches: reading them never waits for the thread.
    FilteredText(const TextSource& log, ShownLines& rows, ShownLines& found, std::mutex& lock);

    // Shows the rows found by now, and says what changed for the views: an insertion at the
    // old end when the rows shown before are still there (the last one may have grown with
    // the log), else a whole new text.
    DocChange Publish();
    Pos Rows() const { return m_count; }
    // The log's line shown at pos (the last row's at the end); -1 when no row is shown.
    Pos LogLineAt(Pos pos) const;
    // Where the first row showing `line` or a line after it starts.
    Pos PositionOfLogLine(Pos line) const;

    Pos Length() const override { return m_length; }
    Pos LineCount() const override;
    Pos LineStart(Pos line) const override;
    Pos LineFromPosition(Pos pos) const override;
    void GetBytes(Pos pos, Pos n, char* out) const override;

private:
    static constexpr Pos kCheckpointRows = 16;

    struct RowPlace {
        Pos row;
        Pos start;
    };
    Pos RowBytes(Pos row) const;
    Pos RowStart(Pos row) const;
    RowPlace RowOf(Pos pos) const;

    const TextSource& m_log;
    ShownLines& m_rows;
    ShownLines& m_found;
    std::mutex& m_lock;
    Pos m_count = 0;
    Pos m_length = 0;
    Pos m_lastLine = -1;     // the log's line on the last row shown
    Pos m_lastRowStart = 0;  // and where that row starts
    bool m_lastEndsLine = false;
    bool m_measured = false;         // the last row is as long as published, not as its line is now
    std::vector<Pos> m_checkpoints;  // the start of rows 0, 16, 32...
};

}  // namespace tessaly::editor
