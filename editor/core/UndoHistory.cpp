#include "UndoHistory.h"

#include "CharClass.h"

namespace tessaly::editor {

namespace {

bool HasLineEnd(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

void UndoHistory::Clear()
{
    m_actions.clear();
    m_current = 0;
    m_savePoint = 0;
    m_groupDepth = 0;
    m_groupHasAction = false;
    m_mergeBroken = false;
}

void UndoHistory::BeginGroup()
{
    if (m_groupDepth++ == 0)
        m_groupHasAction = false;
}

void UndoHistory::EndGroup()
{
    if (m_groupDepth > 0 && --m_groupDepth == 0)
        m_mergeBroken = true;
}

bool UndoHistory::TryMerge(bool insert, Pos pos, std::string_view text, UndoMerge merge)
{
    if (merge == UndoMerge::None || m_mergeBroken || m_current == 0)
        return false;
    // Undo must be able to stop exactly at the saved text.
    if (m_savePoint == static_cast<std::ptrdiff_t>(m_current))
        return false;
    UndoAction& prev = m_actions[m_current - 1];
    if (prev.merge != merge || prev.insert != insert || HasLineEnd(text) || HasLineEnd(prev.text))
        return false;
    switch (merge) {
        case UndoMerge::Typing: {
            if (pos != prev.pos + static_cast<Pos>(prev.text.size()))
                return false;
            // A word and the blanks after it form one step; the next word starts another.
            const bool newWord =
                !text.empty() && IsWordByte(text.front()) && !prev.text.empty() && !IsWordByte(prev.text.back());
            if (newWord)
                return false;
            prev.text.append(text);
            return true;
        }
        case UndoMerge::DeleteBack:
            if (pos + static_cast<Pos>(text.size()) != prev.pos)
                return false;
            prev.text.insert(0, text);
            prev.pos = pos;
            return true;
        case UndoMerge::DeleteForward:
            if (pos != prev.pos)
                return false;
            prev.text.append(text);
            return true;
        case UndoMerge::None:
            break;
    }
    return false;
}

void UndoHistory::Record(bool insert, Pos pos, std::string_view text, UndoMerge merge)
{
    if (m_current < m_actions.size()) {
        // New edits after undo drop what could have been redone.
        m_actions.resize(m_current);
        if (m_savePoint > static_cast<std::ptrdiff_t>(m_current))
            m_savePoint = -1;
    }
    if (m_groupDepth == 0 && TryMerge(insert, pos, text, merge))
        return;
    UndoAction action;
    action.insert = insert;
    action.pos = pos;
    action.text.assign(text);
    action.merge = m_groupDepth > 0 ? UndoMerge::None : merge;
    action.stepStart = m_groupDepth == 0 || !m_groupHasAction;
    if (m_groupDepth > 0)
        m_groupHasAction = true;
    m_actions.push_back(std::move(action));
    m_current = m_actions.size();
    m_mergeBroken = m_groupDepth > 0;
}

std::pair<std::size_t, std::size_t> UndoHistory::UndoStep() const
{
    std::size_t first = m_current;
    while (first > 0) {
        --first;
        if (m_actions[first].stepStart)
            break;
    }
    return {first, m_current};
}

std::pair<std::size_t, std::size_t> UndoHistory::RedoStep() const
{
    std::size_t last = m_current;
    if (last < m_actions.size())
        ++last;
    while (last < m_actions.size() && !m_actions[last].stepStart)
        ++last;
    return {m_current, last};
}

}  // namespace tessaly::editor
