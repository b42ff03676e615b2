#include "FindDialog.h"

#include <algorithm>
#include <cstring>

namespace tessaly::editor {

namespace {
constexpr int kGap = 8;  // between the dialog and what it keeps clear of

RECT WorkAreaAround(const RECT& area)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

void MoveTo(HWND dialog, int left, int top)
{
    ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

FindDialog::FindDialog() : m_message(::RegisterWindowMessageA(FINDMSGSTRINGA)) {}

FindDialog::~FindDialog()
{
    Close();
}

void FindDialog::Close()
{
    if (m_dialog && ::IsWindow(m_dialog))
        ::DestroyWindow(m_dialog);
    m_dialog = nullptr;
}

void FindDialog::Show(HWND owner, bool replace, const std::string& initial)
{
    if (m_dialog && ::IsWindow(m_dialog) && replace == m_replaceMode) {
        if (!initial.empty())
            ::SetDlgItemTextA(m_dialog, 1152 /* edt1: the text to find */, initial.c_str());
        ::SetActiveWindow(m_dialog);
        return;
    }
    Close();
    if (!initial.empty()) {
        std::strncpy(m_what, initial.c_str(), sizeof m_what - 1);
        m_what[sizeof m_what - 1] = '\0';
    }
    m_fr = {};
    m_fr.lStructSize = sizeof m_fr;
    m_fr.hwndOwner = owner;
    m_fr.lpstrFindWhat = m_what;
    m_fr.wFindWhatLen = sizeof m_what;
    m_fr.lpstrReplaceWith = m_with;
    m_fr.wReplaceWithLen = sizeof m_with;
    m_fr.Flags = FR_DOWN | (m_last.matchCase ? FR_MATCHCASE : 0) | (m_last.wholeWord ? FR_WHOLEWORD : 0);
    m_replaceMode = replace;
    m_dialog = replace ? ::ReplaceTextA(&m_fr) : ::FindTextA(&m_fr);
    if (!m_dialog)
        return;
    PlaceAtLowerRight(owner);
    if (m_shown)
        m_shown(m_dialog);
}

void FindDialog::PlaceAtLowerRight(HWND owner)
{
    RECT box{};
    RECT over{};
    if (!::GetWindowRect(m_dialog, &box) || !::GetWindowRect(owner, &over))
        return;
    const RECT work = WorkAreaAround(over);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int left = std::clamp<int>(over.right - width - kGap, work.left, std::max(work.left, work.right - width));
    const int top = std::clamp<int>(over.bottom - height - kGap, work.top, std::max(work.top, work.bottom - height));
    MoveTo(m_dialog, left, top);
}

void FindDialog::KeepOff(const RECT& area)
{
    RECT box{};
    RECT overlap{};
    if (!IsOpen() || !::GetWindowRect(m_dialog, &box) || !::IntersectRect(&overlap, &box, &area))
        return;
    const RECT work = WorkAreaAround(area);
    const int height = box.bottom - box.top;
    if (area.bottom + kGap + height <= work.bottom)
        MoveTo(m_dialog, box.left, area.bottom + kGap);
    else if (area.top - kGap - height >= work.top)
        MoveTo(m_dialog, box.left, area.top - kGap - height);
}

FindDialog::Request FindDialog::Decode(LPARAM lParam)
{
    const auto* fr = reinterpret_cast<const FINDREPLACEA*>(lParam);
    Request request;
    if (!fr)
        return request;
    if (fr->Flags & FR_DIALOGTERM) {
        m_dialog = nullptr;
        request.kind = Request::Kind::Closed;
        return request;
    }
    request.options.what = fr->lpstrFindWhat ? fr->lpstrFindWhat : "";
    request.options.matchCase = (fr->Flags & FR_MATCHCASE) != 0;
    request.options.wholeWord = (fr->Flags & FR_WHOLEWORD) != 0;
    // The replace dialog has no direction: it always searches down.
    request.options.down = m_replaceMode || (fr->Flags & FR_DOWN) != 0;
    if (fr->lpstrReplaceWith)
        request.replaceWith = fr->lpstrReplaceWith;
    if (fr->Flags & FR_REPLACEALL)
        request.kind = Request::Kind::ReplaceAll;
    else if (fr->Flags & FR_REPLACE)
        request.kind = Request::Kind::Replace;
    else if (fr->Flags & FR_FINDNEXT)
        request.kind = Request::Kind::FindNext;
    if (request.kind != Request::Kind::None)
        m_last = request.options;
    return request;
}

}  // namespace tessaly::editor
