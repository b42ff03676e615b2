#include "TextDocument.h"

#include <algorithm>
#include <string>

namespace tessaly::editor {

Pos MovePosition(Pos pos, const DocChange& change)
{
    switch (change.kind) {
        case DocChange::Kind::Insert:
            return pos > change.pos ? pos + change.length : pos;
        case DocChange::Kind::Delete:
            if (pos >= change.pos + change.length)
                return pos - change.length;
            return std::min(pos, change.pos);
        case DocChange::Kind::Reset:
            return 0;
    }
    return pos;
}

void TextDocument::AddListener(DocListener* listener)
{
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void TextDocument::RemoveListener(DocListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void TextDocument::Notify(const DocChange& change)
{
    // A copy: a listener may remove itself while being told.
    const std::vector<DocListener*> listeners = m_listeners;
    for (DocListener* l : listeners)
        l->OnDocChange(change);
}

bool TextDocument::ApplyInsert(Pos pos, std::string_view text)
{
    if (!m_text.Insert(pos, text))
        return false;
    Notify({DocChange::Kind::Insert, pos, static_cast<Pos>(text.size())});
    return true;
}

bool TextDocument::ApplyDelete(Pos pos, Pos n)
{
    if (!m_text.Delete(pos, n))
        return false;
    Notify({DocChange::Kind::Delete, pos, n});
    return true;
}

bool TextDocument::Insert(Pos pos, std::string_view text, UndoMerge merge)
{
    if (m_readOnly || pos < 0 || pos > m_text.Length())
        return false;
    if (text.empty())
        return true;
    if (!ApplyInsert(pos, text))
        return false;
    m_undo.Record(true, pos, text, merge);
    return true;
}

bool TextDocument::Delete(Pos pos, Pos n, UndoMerge merge)
{
    if (m_readOnly || pos < 0 || n < 0 || pos + n > m_text.Length())
        return false;
    if (n == 0)
        return true;
    const std::string removed = m_text.Text(pos, n);
    if (!ApplyDelete(pos, n))
        return false;
    m_undo.Record(false, pos, removed, merge);
    return true;
}

bool TextDocument::SetText(std::string_view text)
{
    if (!m_text.SetText(text))
        return false;
    m_undo.Clear();
    NotifyReset();
    return true;
}

void TextDocument::ReplaceText(TextBuffer&& text)
{
    m_text = std::move(text);
    m_undo.Clear();
}

void TextDocument::NotifyReset()
{
    Notify({DocChange::Kind::Reset, 0, m_text.Length()});
}

Pos TextDocument::Undo()
{
    if (!CanUndo())
        return -1;
    const auto [first, last] = m_undo.UndoStep();
    Pos caret = -1;
    for (std::size_t i = last; i-- > first;) {
        const UndoAction& a = m_undo.Action(i);
        const Pos n = static_cast<Pos>(a.text.size());
        if (a.insert) {
            ApplyDelete(a.pos, n);
            caret = a.pos;
        } else {
            ApplyInsert(a.pos, a.text);
            caret = a.pos + n;
        }
    }
    m_undo.MarkUndone(first);
    return caret;
}

Pos TextDocument::Redo()
{
    if (!CanRedo())
        return -1;
    const auto [first, last] = m_undo.RedoStep();
    Pos caret = -1;
    for (std::size_t i = first; i < last; ++i) {
        const UndoAction& a = m_undo.Action(i);
        const Pos n = static_cast<Pos>(a.text.size());
        if (a.insert) {
            ApplyInsert(a.pos, a.text);
            caret = a.pos + n;
        } else {
            ApplyDelete(a.pos, n);
            caret = a.pos;
        }
    }
    m_undo.MarkRedone(last);
    return caret;
}

}  // namespace tessaly::editor
