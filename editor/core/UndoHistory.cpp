#include "UndoHistory.h"

#include "CharClass.h"

namespace tessaly::editor {

namespace {

bool HasLineEnd(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

void UndoHistory::Clear() {
    actions_.clear();
    current_ = 0;
    savePoint_ = 0;
    groupDepth_ = 0;
    groupHasAction_ = false;
    mergeBroken_ = false;
}

void UndoHistory::BeginGroup() {
    if (groupDepth_++ == 0) groupHasAction_ = false;
}

void UndoHistory::EndGroup() {
    if (groupDepth_ > 0 && --groupDepth_ == 0) mergeBroken_ = true;
}

bool UndoHistory::TryMerge(bool insert, Pos pos, std::string_view text, UndoMerge merge) {
    if (merge == UndoMerge::None || mergeBroken_ || current_ == 0) return false;
    // Undo must be able to stop exactly at the saved text.
    if (savePoint_ == static_cast<std::ptrdiff_t>(current_)) return false;
    UndoAction& prev = actions_[current_ - 1];
    if (prev.merge != merge || prev.insert != insert || HasLineEnd(text) || HasLineEnd(prev.text)) return false;
    switch (merge) {
        case UndoMerge::Typing: {
            if (pos != prev.pos + static_cast<Pos>(prev.text.size())) return false;
            // A word and the blanks after it form one step; the next word starts another.
            const bool newWord = !text.empty() && IsWordByte(text.front()) && !prev.text.empty() &&
                                 !IsWordByte(prev.text.back());
            if (newWord) return false;
            prev.text.append(text);
            return true;
        }
        case UndoMerge::DeleteBack:
            if (pos + static_cast<Pos>(text.size()) != prev.pos) return false;
            prev.text.insert(0, text);
            prev.pos = pos;
            return true;
        case UndoMerge::DeleteForward:
            if (pos != prev.pos) return false;
            prev.text.append(text);
            return true;
        case UndoMerge::None:
            break;
    }
    return false;
}

void UndoHistory::Record(bool insert, Pos pos, std::string_view text, UndoMerge merge) {
    if (current_ < actions_.size()) {
        // New edits after undo drop what could have been redone.
        actions_.resize(current_);
        if (savePoint_ > static_cast<std::ptrdiff_t>(current_)) savePoint_ = -1;
    }
    if (groupDepth_ == 0 && TryMerge(insert, pos, text, merge)) return;
    UndoAction action;
    action.insert = insert;
    action.pos = pos;
    action.text.assign(text);
    action.merge = groupDepth_ > 0 ? UndoMerge::None : merge;
    action.stepStart = groupDepth_ == 0 || !groupHasAction_;
    if (groupDepth_ > 0) groupHasAction_ = true;
    actions_.push_back(std::move(action));
    current_ = actions_.size();
    mergeBroken_ = groupDepth_ > 0;
}

std::pair<std::size_t, std::size_t> UndoHistory::UndoStep() const {
    std::size_t first = current_;
    while (first > 0) {
        --first;
        if (actions_[first].stepStart) break;
    }
    return {first, current_};
}

std::pair<std::size_t, std::size_t> UndoHistory::RedoStep() const {
    std::size_t last = current_;
    if (last < actions_.size()) ++last;
    while (last < actions_.size() && !actions_[last].stepStart) ++last;
    return {current_, last};
}

}  // namespace tessaly::editor
