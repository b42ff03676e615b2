#pragma once
// Filtering a log down to the lines that hold one of some texts (or that hold none of them),
// with a few lines of context around each: a pass over the text in blocks, as Find reads
// it, that goes in pieces so that a worker thread can hand the first lines on at once, stop
// when told and keep what it found, and go on over text appended later.
#include <cstddef>
#include <string>
#include <vector>

#include "Needle.h"
#include "ShownLines.h"
#include "TextSource.h"

namespace tessaly::editor {

struct LineFilterOptions {
    // As typed: texts separated by '|', of which any may match; "\|" is a bar itself.
    std::string text;
    bool matchCase = false;
    // Show the lines that hold none of the texts.
    bool exclude = false;
    // Lines shown before and after each line that passes, 0 to 9.
    int context = 0;
};

constexpr int kMaxFilterContext = 9;

// The texts to look for in what was typed, empty ones left out: none at all means the
// filter shows every line.
std::vector<std::string> SplitFilterTexts(const std::string& typed);

class LineFilter {
public:
    explicit LineFilter(const LineFilterOptions& options);
    LineFilter(const LineFilter&) = delete;
    LineFilter& operator=(const LineFilter&) = delete;

    // No text to look for: every line is shown, and the view can show the text itself.
    bool ShowsEveryLine() const { return m_showsAll; }

    enum class Progress {
        More,     // the piece's bytes are read; call Run again
        Waiting,  // every line the index knows is filtered; the rest is still being indexed
        Done,     // every line is filtered (until the text grows)
    };
    // Filters the next piece of about maxBytes bytes of text, read through reader, and shows
    // the lines that pass in `shown` (which it alone fills, from empty). The last line of a
    // text whose index is complete may still grow: it is shown by what it holds now, and a
    // Run after the text has grown at its end takes it back and goes on from it.
    Progress Run(const TextSource& text, TextReader& reader, Pos maxBytes, ShownLines& shown);
    // How far the filter has read: Run has looked at bytes [0, BytesDone()).
    Pos BytesDone() const { return m_scanPos; }
    // Lines the filter has decided on (the lines before it), for "N of M lines" while it runs.
    Pos LinesDone() const { return m_nextLine; }

private:
    struct State {
        Pos nextLine = 0;
        Pos contextEnd = 0;
        Pos shownEnd = 0;  // ShownLines::End() then
    };

    // Lines [first, end) pass, or do not.
    void Pass(Pos first, Pos end, ShownLines& shown);
    void Fail(Pos first, Pos end, ShownLines& shown);
    // Lines [m_nextLine, line) hold no text; `line` holds one when holdsText, else it is
    // left undecided.
    void Decide(Pos line, bool holdsText, ShownLines& shown);
    // The first match starting in [at, hi) of the block read into m_buf from m_bufFrom, or -1.
    Pos NextMatch(Pos at, Pos hi, std::size_t size);
    // The line of a match in the block, counted from where the search stands when that is
    // near, else looked up; and where the line after it starts.
    Pos LineOfMatch(const TextSource& text, Pos match) const;
    Pos NextLineStart(const TextSource& text, Pos match, Pos line, std::size_t size) const;
    void ShowLastLine(bool holdsText, ShownLines& shown);

    std::vector<Needle> m_needles;
    std::vector<Pos> m_nextMatch;  // per needle, in the block read: its next match, -1 none
    std::size_t m_longest = 0;
    bool m_exclude;
    Pos m_context;
    bool m_showsAll;

    Pos m_nextLine = 0;    // the first line not decided on
    Pos m_scanPos = 0;     // where the search goes on: in line m_nextLine or at its start
    Pos m_lineStart = 0;   // where line m_nextLine starts
    Pos m_contextEnd = 0;  // lines before this are shown as context of a line that passed
    // The last line, shown by what it held: the state before it, to go back to.
    bool m_lastLineShown = false;
    State m_beforeLastLine;

    std::vector<char> m_buf;
    Pos m_bufFrom = 0;
    Pos m_block = 0;
};

}  // namespace tessaly::editor
