#include "TextDocument.h"

#include <algorithm>
#include <string>

namespace tessaly::editor {

Pos MovePosition(Pos pos, const DocChange& change) {
    switch (change.kind) {
        case DocChange::Kind::Insert:
            return pos > change.pos ? pos + change.length : pos;
        case DocChange::Kind::Delete:
            if (pos >= change.pos + change.length) return pos - change.length;
            return std::min(pos, change.pos);
        case DocChange::Kind::Reset:
            return 0;
    }
    return pos;
}

void TextDocument::AddListener(DocListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) listeners_.push_back(listener);
}

void TextDocument::RemoveListener(DocListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void TextDocument::Notify(const DocChange& change) {
    // A copy: a listener may remove itself while being told.
    const std::vector<DocListener*> listeners = listeners_;
    for (DocListener* l : listeners) l->OnDocChange(change);
}

bool TextDocument::ApplyInsert(Pos pos, std::string_view text) {
    if (!text_.Insert(pos, text)) return false;
    Notify({DocChange::Kind::Insert, pos, static_cast<Pos>(text.size())});
    return true;
}

bool TextDocument::ApplyDelete(Pos pos, Pos n) {
    if (!text_.Delete(pos, n)) return false;
    Notify({DocChange::Kind::Delete, pos, n});
    return true;
}

bool TextDocument::Insert(Pos pos, std::string_view text, UndoMerge merge) {
    if (readOnly_ || pos < 0 || pos > text_.Length()) return false;
    if (text.empty()) return true;
    if (!ApplyInsert(pos, text)) return false;
    undo_.Record(true, pos, text, merge);
    return true;
}

bool TextDocument::Delete(Pos pos, Pos n, UndoMerge merge) {
    if (readOnly_ || pos < 0 || n < 0 || pos + n > text_.Length()) return false;
    if (n == 0) return true;
    const std::string removed = text_.Text(pos, n);
    if (!ApplyDelete(pos, n)) return false;
    undo_.Record(false, pos, removed, merge);
    return true;
}

bool TextDocument::SetText(std::string_view text) {
    if (!text_.SetText(text)) return false;
    undo_.Clear();
    NotifyReset();
    return true;
}

void TextDocument::ReplaceText(TextBuffer&& text) {
    text_ = std::move(text);
    undo_.Clear();
}

void TextDocument::NotifyReset() { Notify({DocChange::Kind::Reset, 0, text_.Length()}); }

Pos TextDocument::Undo() {
    if (!CanUndo()) return -1;
    const auto [first, last] = undo_.UndoStep();
    Pos caret = -1;
    for (std::size_t i = last; i-- > first;) {
        const UndoAction& a = undo_.Action(i);
        const Pos n = static_cast<Pos>(a.text.size());
        if (a.insert) {
            ApplyDelete(a.pos, n);
            caret = a.pos;
        } else {
            ApplyInsert(a.pos, a.text);
            caret = a.pos + n;
        }
    }
    undo_.MarkUndone(first);
    return caret;
}

Pos TextDocument::Redo() {
    if (!CanRedo()) return -1;
    const auto [first, last] = undo_.RedoStep();
    Pos caret = -1;
    for (std::size_t i = first; i < last; ++i) {
        const UndoAction& a = undo_.Action(i);
        const Pos n = static_cast<Pos>(a.text.size());
        if (a.insert) {
            ApplyInsert(a.pos, a.text);
            caret = a.pos + n;
        } else {
            ApplyDelete(a.pos, n);
            caret = a.pos;
        }
    }
    undo_.MarkRedone(last);
    return caret;
}

}  // namespace tessaly::editor
