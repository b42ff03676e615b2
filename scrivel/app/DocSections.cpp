#include "DocSections.h"

CDocSections::CDocSections(CVQEdit& edit) : m_edit(edit)
{
    m_watching = m_edit.AddWatcher(this) != FALSE;
}

CDocSections::~CDocSections()
{
    if (m_watching)
        m_edit.RemoveWatcher(this);
}

std::vector<conf::OpenSection> CDocSections::EnclosingAt(int line)
{
    // Without the changes told, each question reads the text again.
    if (m_stale || !m_watching) {
        m_index.Rebuild(*this);
        m_stale = false;
    }
    return m_index.EnclosingAt(line);
}

// Called from the editor component: nothing may leave it.
void CDocSections::OnTextChanged(int firstLine, int linesRemoved, int linesAdded)
{
    if (m_stale)
        return;
    try {
        if (firstLine < 0)
            m_stale = true;
        else
            m_index.OnLinesChanged(*this, firstLine, linesRemoved, linesAdded);
    } catch (...) {
        m_stale = true;
    }
}

int CDocSections::LineCount() const
{
    return m_edit.GetLineCount();
}

void CDocSections::ReadHead(int line, std::string& text) const
{
    m_edit.GetLineText(line, text, kHeadRoom);
}
