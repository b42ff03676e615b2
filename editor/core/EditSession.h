#pragma once
// One view's editing of a buffer: its caret and selection, the moves and edits that keys
// and the mouse ask for, find and replace, and the answers to the standard edit-control
// questions. Edits made through other sessions of the same buffer move this one's caret
// and selection with the text.
#include <functional>
#include <string>
#include <string_view>

#include "EditBuffer.h"
#include "TextSearch.h"

namespace tessaly::editor {

class EditSession : private BufferListener {
public:
    explicit EditSession(EditBuffer& buffer);
    ~EditSession();
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    EditBuffer& Buffer() { return m_buffer; }
    const TextSource& Text() const { return m_buffer.Text(); }

    // Caret and selection: the selection runs between the anchor and the caret.
    Pos Caret() const { return m_caret; }
    Pos Anchor() const { return m_anchor; }
    Pos SelStart() const { return std::min(m_caret, m_anchor); }
    Pos SelEnd() const { return std::max(m_caret, m_anchor); }
    bool HasSelection() const { return m_caret != m_anchor; }
    std::string SelectedText() const;
    void SetSelection(Pos anchor, Pos caret);
    // Moves the caret; with extend the anchor stays (Shift, or dragging the mouse).
    void MoveTo(Pos pos, bool extend);

    // Moves, as the keys ask for them; extend is Shift.
    void CharLeft(bool extend);
    void CharRight(bool extend);
    void LineUp(bool extend) { MoveLines(-1, extend); }
    void LineDown(bool extend) { MoveLines(1, extend); }
    void PageUp(Pos linesPerPage, bool extend) { MoveLines(-std::max<Pos>(1, linesPerPage), extend); }
    void PageDown(Pos linesPerPage, bool extend) { MoveLines(std::max<Pos>(1, linesPerPage), extend); }
    // Home goes to the first non-blank character, or to the line's start when already there.
    void Home(bool extend);
    void End(bool extend);
    void DocStart(bool extend) { MoveTo(0, extend); }
    void DocEnd(bool extend) { MoveTo(Text().Length(), extend); }
    void WordLeft(bool extend);
    void WordRight(bool extend);
    void SelectAll() { SetSelection(0, Text().Length()); }
    // Double click: the word (or run of blanks, or of punctuation) at pos.
    void SelectWordAt(Pos pos);

    // Edits: false when the buffer refuses them (read-only) or there is nothing to do.
    bool TypeChar(char c);
    bool InsertText(std::string_view text);  // paste: replaces the selection
    bool NewLine();                          // with the indentation of the line when m_bAutoIndent
    bool Backspace();
    bool DeleteChar();
    bool DeleteSelection();
    // Ctrl+Backspace and Ctrl+Delete: from the caret to where Ctrl+Left or Ctrl+Right would
    // go, in one undo step; a selection goes as it is.
    bool DeleteWordLeft();
    bool DeleteWordRight();
    // Tab: indents the selected lines, or inserts a tab (or spaces to the next tab stop).
    bool Tab();
    // Shift+Tab: outdents the selected lines, or the caret's line.
    bool BackTab();
    bool Undo();
    bool Redo();
    bool CanUndo() const { return m_buffer.CanEdit() && m_buffer.Doc().CanUndo(); }
    bool CanRedo() const { return m_buffer.CanEdit() && m_buffer.Doc().CanRedo(); }
    bool CanCut() const { return m_buffer.CanEdit() && HasSelection(); }
    bool CanCopy() const { return HasSelection(); }
    bool CanPaste() const { return m_buffer.CanEdit(); }

    // Insert key: typing replaces the character under the caret.
    bool Overwrite() const { return m_overwrite; }
    void SetOverwrite(bool on) { m_overwrite = on; }

    // Drag and drop: puts text at pos; with moveSelection the selection (the dragged
    // text, from this buffer) is removed in the same undo step. Selects the dropped text.
    bool DropText(Pos pos, std::string_view text, bool moveSelection);

    // Find selects the match; false when there is none (wrap: go on from the other end).
    bool FindNext(const FindOptions& options, bool wrap = false);
    // The same, told how far it got (a fraction of the text searched) and stoppable by it.
    enum class FindResult { Found, NotFound, Stopped };
    FindResult Find(const FindOptions& options, bool wrap, const std::function<bool(double)>& progress);
    // Replaces the selection when it is a match, then finds the next one.
    bool Replace(const FindOptions& options, std::string_view with);
    // Replaces every match in the text (one undo step); returns how many.
    Pos ReplaceAll(const FindOptions& options, std::string_view with);

    // The interface's own calls.
    void GotoLine(Pos oneBasedLine);  // caret to the start of that line (clamped)
    void TopOfFile() { MoveTo(0, false); }
    void BottomOfFile() { MoveTo(Text().Length(), false); }
    void BeginningOfLine() { MoveTo(SpanAt(m_caret).start, false); }
    // The start of the last line, where BottomOfFile and BeginningOfLine end, without
    // passing the end of a last line that may be gigabytes long. While the lines are still
    // being counted, a last line longer than kLastLineLookBack is not searched through: the
    // caret stays, and false says so.
    bool StartOfLastLine();
    static constexpr Pos kLastLineLookBack = 1024 * 1024;
    // The word at the caret (letters, digits, underscore), or "".
    std::string SelWord() const;

    // Display columns, tabs expanded to the buffer's tab width.
    Pos ColumnOf(Pos pos) const;
    Pos PositionAtColumn(Pos lineStart, Pos column) const;

    // The standard edit-control messages.
    Pos EmLineFromChar(Pos ch) const;  // -1: the line of the selection start
    Pos EmLineIndex(Pos line) const;   // -1: the caret's line; past the end: -1
    Pos EmLineLength(Pos ch) const;    // -1: unselected characters on the selection's lines
    Pos EmGetLineCount() const { return std::max<Pos>(1, Text().LineCount()); }
    void EmSetSel(Pos start, Pos end);  // start -1 removes the selection; 0, -1 selects all
    // WM_GETTEXT: copies at most max - 1 bytes and a NUL; returns the bytes copied.
    Pos GetText(char* out, Pos max) const;

    // A line's bounds: its start, its end before the line end, and the next line's start
    // (-1 for the last line). Works beyond the indexed lines of a file being indexed.
    struct LineSpan {
        Pos start;
        Pos end;
        Pos next;
    };
    LineSpan SpanAt(Pos pos) const;

private:
    void OnBufferChange(const DocChange& change) override;
    Pos Clamp(Pos pos) const;
    void MoveLines(Pos delta, bool extend);
    // Where Ctrl+Left and Ctrl+Right go from p.
    Pos WordLeftOf(Pos p) const;
    Pos WordRightOf(Pos p) const;
    void Collapse(Pos pos);
    bool ReplaceSelection(std::string_view text, UndoMerge merge);
    bool ShiftLines(bool indent);
    std::string IndentUnit(Pos column) const;

    EditBuffer& m_buffer;
    Pos m_caret = 0;
    Pos m_anchor = 0;
    Pos m_desiredColumn = -1;  // kept while moving up and down
    bool m_overwrite = false;
};

}  // namespace tessaly::editor
