#pragma once
// The record of edits that undo and redo walk: actions grouped into steps, typing
// merged into one step per word, and the point where the text was last saved.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "EditorTypes.h"

namespace tessaly::editor {

// How an edit may join the step before it.
enum class UndoMerge {
    None,           // always a step of its own (unless inside a group)
    Typing,         // a typed character: joins typing just before it, up to a new word
    DeleteBack,     // Backspace: joins Backspaces just before it
    DeleteForward,  // Delete: joins Deletes at the same place
};

struct UndoAction {
    bool insert = true;  // false: a deletion
    Pos pos = 0;
    std::string text;
    bool stepStart = true;  // the first action of its step
    UndoMerge merge = UndoMerge::None;
};

class UndoHistory {
public:
    void Record(bool insert, Pos pos, std::string_view text, UndoMerge merge);

    // Everything recorded between BeginGroup and the matching EndGroup is one step.
    void BeginGroup();
    void EndGroup();
    // The next edit starts a step of its own (the caret moved, the selection changed).
    void BreakMerge() { m_mergeBroken = true; }

    bool CanUndo() const { return m_current > 0; }
    bool CanRedo() const { return m_current < m_actions.size(); }

    // The actions of the step that Undo would revert, [first, last) in the order done.
    std::pair<std::size_t, std::size_t> UndoStep() const;
    std::pair<std::size_t, std::size_t> RedoStep() const;
    void MarkUndone(std::size_t first)
    {
        m_current = first;
        m_mergeBroken = true;
    }
    void MarkRedone(std::size_t last)
    {
        m_current = last;
        m_mergeBroken = true;
    }
    const UndoAction& Action(std::size_t i) const { return m_actions[i]; }

    void SetSavePoint()
    {
        m_savePoint = static_cast<std::ptrdiff_t>(m_current);
        m_mergeBroken = true;
    }
    bool IsSavePoint() const { return m_savePoint == static_cast<std::ptrdiff_t>(m_current); }

    void Clear();

private:
    bool TryMerge(bool insert, Pos pos, std::string_view text, UndoMerge merge);

    std::vector<UndoAction> m_actions;
    std::size_t m_current = 0;       // actions [0, m_current) are done
    std::ptrdiff_t m_savePoint = 0;  // m_current when saved; -1 when no longer reachable
    int m_groupDepth = 0;
    bool m_groupHasAction = false;
    bool m_mergeBroken = false;
};

}  // namespace tessaly::editor
