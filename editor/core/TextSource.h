#pragma once
// Read access to a text as bytes and lines, whether it is held in memory or read on demand.
#include <memory>
#include <string>

#include "EditorTypes.h"

namespace tessaly::editor {

// Reads a text's bytes in large pieces for one thread of a long search, without touching
// the text's own state, so that the thread that owns the text may go on using it.
class TextReader {
public:
    virtual ~TextReader() = default;
    // Copies [pos, pos + n) into out; bytes the text no longer holds read as blanks.
    virtual void Read(Pos pos, Pos n, char* out) = 0;
};

class TextSource {
public:
    virtual ~TextSource() = default;

    // Bytes of text.
    virtual Pos Length() const = 0;
    // Lines known: a text of n line ends has n + 1 lines (the last may be empty). A text
    // still being indexed knows only its first lines, and says so in IsIndexComplete.
    virtual Pos LineCount() const = 0;
    virtual bool IsIndexComplete() const { return true; }
    // Start of a line, for 0 <= line <= LineCount(); LineStart(LineCount()) is where the
    // known lines end: Length() once the index is complete.
    virtual Pos LineStart(Pos line) const = 0;
    // The line containing pos, among the known lines.
    virtual Pos LineFromPosition(Pos pos) const = 0;
    // Copies the bytes of [pos, pos + n) into out; the range must lie inside the text.
    virtual void GetBytes(Pos pos, Pos n, char* out) const = 0;
    // A reader for another thread, or none when this text can only be read through
    // GetBytes on its own thread (the default).
    virtual std::unique_ptr<TextReader> NewReader() const { return nullptr; }

    // Helpers built on the operations above.
    std::string Text(Pos pos, Pos n) const;
    char ByteAt(Pos pos) const;
    // End of a line, before its line end.
    Pos LineEnd(Pos line) const;
    // Bytes of a line without its line end.
    Pos LineLength(Pos line) const { return LineEnd(line) - LineStart(line); }
    std::string LineText(Pos line) const { return Text(LineStart(line), LineLength(line)); }
};

}  // namespace tessaly::editor
