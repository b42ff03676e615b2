// Clear and Clear all of the tree pane: the question, the logs cut to zero bytes, the
// items' new texts, what could not be cleared, and the shown log read again.
#include "LeftView.h"

#include <cstdio>

#include "FrameWnd.h"
#include "LogClearing.h"
#include "LogViewerApp.h"
#include "resource.h"

namespace {
HWND Owner(CWnd& pane)
{
    CFrameWnd* frame = pane.GetTopLevelFrame();
    return frame ? frame->m_hWnd : pane.m_hWnd;
}

bool AskYes(CWnd& pane, const std::string& question, UINT captionId)
{
    std::string caption = AfxLoadString(captionId);
    return ::MessageBoxA(Owner(pane), question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TellFailure(CWnd& pane, const std::string& text)
{
    if (!text.empty())
        ::MessageBoxA(Owner(pane), text.c_str(), AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
}
}  // namespace

void CLeftView::OnClear()
{
    std::uint32_t data = 0;
    if (!SelectedFileData(data) || !m_model.CanClear(data))
        return;
    const LogEntry* entry = m_model.EntryOf(data);
    std::string format = AfxLoadString(IDS_CLEAR_QUESTION);
    std::string question(format.size() + entry->path.size() + 1, '\0');
    int length = std::snprintf(question.data(), question.size(), format.c_str(), entry->path.c_str());
    question.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    if (!AskYes(*this, question, IDS_CLEAR_CAPTION))
        return;
    LogClearResult result = ClearLogEntry(m_model, static_cast<int>(data));
    if (result.Cleared())
        SetEntryText(result.index, result.label);
    TellFailure(*this, ClearFailureText(result));
    if (result.Cleared())
        ShowCurrentAgain();
}

void CLeftView::OnClearAll()
{
    if (!AskYes(*this, AfxLoadString(IDS_CLEAR_ALL_QUESTION), IDS_CLEAR_ALL_CAPTION))
        return;
    std::vector<LogClearResult> results = ClearAllLogEntries(m_model);
    for (const LogClearResult& result : results) {
        if (result.Cleared())
            SetEntryText(result.index, result.label);
    }
    TellFailure(*this, ClearAllFailureText(results));
    ShowCurrentAgain();
}

void CLeftView::SetEntryText(int index, const std::string& label)
{
    if (index >= 0 && static_cast<std::size_t>(index) < m_entryItems.size() && m_entryItems[index])
        GetTreeCtrl().SetItemText(m_entryItems[index], label.c_str());
}

void CLeftView::ShowCurrentAgain()
{
    // The shown log is read again from disk, so a cleared log shows empty.
    const LogEntry* current = m_model.EntryOf(static_cast<std::uint32_t>(m_model.CurrentIndex()));
    if (m_model.CurrentIndex() < 0 || !current)
        return;
    std::string path = current->path;
    LogViewerApp().OpenDocumentFile(path.c_str());
}
