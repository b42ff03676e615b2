#pragma once
// Which sections enclose a line of a configuration, kept up to date as the text changes, so
// that a caret move never reads the text again. It holds the lines that open or close a
// section; the nesting of each tag is worked out when first asked for, from the last point
// that an edit left as it was.
//
// A closing tag closes the innermost open section of its name and any still open inside it;
// a closing tag that matches no open section is passed over; sections left open enclose
// every line after them. Comment lines hold no tags.

#include <string>
#include <vector>

namespace conf {

// The lines of a text, read on demand; a line's start is enough to find a tag.
class LineReader {
public:
    virtual int LineCount() const = 0;
    // At least the first kHeadRoom bytes of the line (without its line end) into `text`.
    virtual void ReadHead(int line, std::string& text) const = 0;
    static constexpr int kHeadRoom = 256;

protected:
    ~LineReader() = default;
};

struct OpenSection {
    std::string name;  // as written
    int line = 0;      // where it is opened, from 0
};

class SectionIndex {
public:
    // Reads every line again.
    void Rebuild(const LineReader& text);
    // After an edit: `firstLine` changed, `removed` line ends after it went and `added` came.
    void OnLinesChanged(const LineReader& text, int firstLine, int removed, int added);

    // The sections opened before `line` and not closed before it, the outermost first.
    std::vector<OpenSection> EnclosingAt(int line) const;
    int TagCount() const { return static_cast<int>(m_tags.size()); }

private:
    struct Tag {
        int line;
        bool open;
        std::string name;
        // Worked out on demand: the innermost section open after this tag, and for an
        // opening tag the one it stands in (indexes of opening tags, -1 for none).
        int innermostAfter = -1;
        int outer = -1;
    };

    static bool ReadTag(const LineReader& text, int line, std::string& scratch, Tag& tag);
    // Works out the nesting of the tags up to `index`.
    void Settle(int index) const;
    // The first tag on or after `line`.
    int FirstTagFrom(int line) const;

    mutable std::vector<Tag> m_tags;  // by line
    mutable int m_settled = 0;        // tags whose nesting is known
};

}  // namespace conf
