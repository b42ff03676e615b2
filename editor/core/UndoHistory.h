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
    void BreakMerge() { mergeBroken_ = true; }

    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ < actions_.size(); }

    // The actions of the step that Undo would revert, [first, last) in the order done.
    std::pair<std::size_t, std::size_t> UndoStep() const;
    std::pair<std::size_t, std::size_t> RedoStep() const;
    void MarkUndone(std::size_t first) { current_ = first; mergeBroken_ = true; }
    void MarkRedone(std::size_t last) { current_ = last; mergeBroken_ = true; }
    const UndoAction& Action(std::size_t i) const { return actions_[i]; }

    void SetSavePoint() { savePoint_ = static_cast<std::ptrdiff_t>(current_); mergeBroken_ = true; }
    bool IsSavePoint() const { return savePoint_ == static_cast<std::ptrdiff_t>(current_); }

    void Clear();

private:
    bool TryMerge(bool insert, Pos pos, std::string_view text, UndoMerge merge);

    std::vector<UndoAction> actions_;
    std::size_t current_ = 0;        // actions [0, current_) are done
    std::ptrdiff_t savePoint_ = 0;   // current_ when saved; -1 when no longer reachable
    int groupDepth_ = 0;
    bool groupHasAction_ = false;
    bool mergeBroken_ = false;
};

}  // namespace tessaly::editor
