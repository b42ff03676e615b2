#pragma once
// An editable text with its undo history, read-only state, saved state and the views
// that watch it: every change goes through here and is told to every listener.
#include <string_view>
#include <vector>

#include "TextBuffer.h"
#include "UndoHistory.h"

namespace tessaly::editor {

struct DocChange {
    enum class Kind { Insert, Delete, Reset };
    Kind kind;
    Pos pos;
    Pos length;
};

// A watcher of a document's changes: each view moves its caret and repaints from here.
class DocListener {
public:
    virtual void OnDocChange(const DocChange& change) = 0;

protected:
    ~DocListener() = default;
};

// Where a position goes when the text changes around it (for carets of other views).
Pos MovePosition(Pos pos, const DocChange& change);

class TextDocument {
public:
    const TextBuffer& Text() const { return m_text; }
    TextBuffer& MutableText() { return m_text; }

    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // Edits by the user: refused (false) when read-only or out of range.
    bool Insert(Pos pos, std::string_view text, UndoMerge merge = UndoMerge::None);
    bool Delete(Pos pos, Pos n, UndoMerge merge = UndoMerge::None);

    // Replaces the whole text whatever the read-only state (a program sets it, not the
    // user); forgets the undo history and counts as saved.
    bool SetText(std::string_view text);
    // Takes a whole new text (a file was read), silently: the caller tells the views.
    // Forgets the undo history and counts as saved.
    void ReplaceText(TextBuffer&& text);
    // Tells the listeners that the whole text is new.
    void NotifyReset();

    void BeginUndoGroup() { m_undo.BeginGroup(); }
    void EndUndoGroup() { m_undo.EndGroup(); }
    void BreakUndoMerge() { m_undo.BreakMerge(); }
    bool CanUndo() const { return !m_readOnly && m_undo.CanUndo(); }
    bool CanRedo() const { return !m_readOnly && m_undo.CanRedo(); }
    // Reverts the last step; returns where the caret belongs, or -1 when nothing was done.
    Pos Undo();
    Pos Redo();
    void ClearUndo() { m_undo.Clear(); }

    void SetSavePoint() { m_undo.SetSavePoint(); }
    bool IsModified() const { return !m_undo.IsSavePoint(); }

    void AddListener(DocListener* listener);
    void RemoveListener(DocListener* listener);

private:
    bool ApplyInsert(Pos pos, std::string_view text);
    bool ApplyDelete(Pos pos, Pos n);
    void Notify(const DocChange& change);

    TextBuffer m_text;
    UndoHistory m_undo;
    bool m_readOnly = false;
    std::vector<DocListener*> m_listeners;
};

}  // namespace tessaly::editor
