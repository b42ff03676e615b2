// Clear and Clear all of the tree pane: the question, the logs cut to zero bytes, the
// items' new texts, what could not be cleared, and the shown log read again.
#include "LeftView.h"

#include <cstdio>
#include <memory>

#include "FrameWnd.h"
#include "LogClearing.h"
#include "LogViewerApp.h"
#include "resource.h"

namespace {
// Far from the ids the tree control gives its own timers.
constexpr UINT_PTR kClearRetryTimer = 0x4C43;

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
    if (IsClearing() || !SelectedFileData(data) || !m_model.CanClear(data))
        return;
    const LogEntry* entry = m_model.EntryOf(data);
    std::string format = AfxLoadString(IDS_CLEAR_QUESTION);
    std::string question(format.size() + entry->path.size() + 1, '\0');
    int length = std::snprintf(question.data(), question.size(), format.c_str(), entry->path.c_str());
    question.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    if (!AskYes(*this, question, IDS_CLEAR_CAPTION))
        return;
    StartClearing({static_cast<int>(data)}, false);
}

void CLeftView::OnClearAll()
{
    if (IsClearing() || !AskYes(*this, AfxLoadString(IDS_CLEAR_ALL_QUESTION), IDS_CLEAR_ALL_CAPTION))
        return;
    StartClearing(m_model.ClearAllTargets(), true);
}

void CLeftView::StartClearing(const std::vector<int>& indices, bool all)
{
    m_clearing = std::make_unique<CLogClearRun>(m_model, indices);
    m_bClearingAll = all;
    // A busy log is tried again from the timer, so the window paints and answers meanwhile.
    if (m_clearing->MustRetry() && SetTimer(kClearRetryTimer, m_clearing->PauseMs()))
        return;
    FinishClearing();
}

void CLeftView::OnTimer(UINT_PTR id)
{
    if (id != kClearRetryTimer) {
        CTreeView::OnTimer(id);
        return;
    }
    if (!m_clearing) {
        KillTimer(kClearRetryTimer);
        return;
    }
    m_clearing->RetryBusy();
    if (!m_clearing->MustRetry()) {
        KillTimer(kClearRetryTimer);
        FinishClearing();
    }
}

void CLeftView::FinishClearing()
{
    std::unique_ptr<CLogClearRun> run = std::move(m_clearing);
    if (!run)
        return;
    run->MarkCleared(m_model);
    const std::vector<LogClearResult>& results = run->Results();
    bool anyCleared = false;
    for (const LogClearResult& result : results) {
        if (result.Cleared()) {
            SetEntryText(result.index, result.label);
            anyCleared = true;
        }
    }
    if (m_bClearingAll) {
        TellFailure(*this, ClearAllFailureText(results));
        ShowCurrentAgain();
    } else if (!results.empty()) {
        TellFailure(*this, ClearFailureText(results.front()));
        if (anyCleared)
            ShowCurrentAgain();
    }
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

void CLeftView::ShowCurrentSize(std::uint64_t size)
{
    const int index = m_model.CurrentIndex();
    const LogEntry* current = m_model.EntryOf(static_cast<std::uint32_t>(index));
    if (!m_bShowSizes || index < 0 || !current || current->size == static_cast<std::int64_t>(size))
        return;
    const std::string before = current->label;
    const std::string label = m_model.SetEntrySize(index, size);
    if (label != before)
        SetEntryText(index, label);
}
