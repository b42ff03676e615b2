#include "FindDialog.h"

#include <algorithm>
#include <cstring>

namespace tessaly::editor {

namespace {
constexpr int kGap = 8;  // between the dialog and what it keeps clear of

RECT WorkAreaAround(const RECT& area) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

void MoveTo(HWND dialog, int left, int top) {
    ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

FindDialog::FindDialog() : message_(::RegisterWindowMessageA(FINDMSGSTRINGA)) {}

FindDialog::~FindDialog() { Close(); }

void FindDialog::Close() {
    if (dialog_ && ::IsWindow(dialog_)) ::DestroyWindow(dialog_);
    dialog_ = nullptr;
}

void FindDialog::Show(HWND owner, bool replace, const std::string& initial) {
    if (dialog_ && ::IsWindow(dialog_) && replace == replaceMode_) {
        if (!initial.empty()) ::SetDlgItemTextA(dialog_, 1152 /* edt1: the text to find */, initial.c_str());
        ::SetActiveWindow(dialog_);
        return;
    }
    Close();
    if (!initial.empty()) {
        std::strncpy(what_, initial.c_str(), sizeof what_ - 1);
        what_[sizeof what_ - 1] = '\0';
    }
    fr_ = {};
    fr_.lStructSize = sizeof fr_;
    fr_.hwndOwner = owner;
    fr_.lpstrFindWhat = what_;
    fr_.wFindWhatLen = sizeof what_;
    fr_.lpstrReplaceWith = with_;
    fr_.wReplaceWithLen = sizeof with_;
    fr_.Flags = FR_DOWN | (last_.matchCase ? FR_MATCHCASE : 0) | (last_.wholeWord ? FR_WHOLEWORD : 0);
    replaceMode_ = replace;
    dialog_ = replace ? ::ReplaceTextA(&fr_) : ::FindTextA(&fr_);
    if (!dialog_) return;
    PlaceAtLowerRight(owner);
    if (shown_) shown_(dialog_);
}

void FindDialog::PlaceAtLowerRight(HWND owner) {
    RECT box{};
    RECT over{};
    if (!::GetWindowRect(dialog_, &box) || !::GetWindowRect(owner, &over)) return;
    const RECT work = WorkAreaAround(over);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int left = std::clamp<int>(over.right - width - kGap, work.left, std::max(work.left, work.right - width));
    const int top = std::clamp<int>(over.bottom - height - kGap, work.top, std::max(work.top, work.bottom - height));
    MoveTo(dialog_, left, top);
}

void FindDialog::KeepOff(const RECT& area) {
    RECT box{};
    RECT overlap{};
    if (!IsOpen() || !::GetWindowRect(dialog_, &box) || !::IntersectRect(&overlap, &box, &area)) return;
    const RECT work = WorkAreaAround(area);
    const int height = box.bottom - box.top;
    if (area.bottom + kGap + height <= work.bottom) MoveTo(dialog_, box.left, area.bottom + kGap);
    else if (area.top - kGap - height >= work.top) MoveTo(dialog_, box.left, area.top - kGap - height);
}

FindDialog::Request FindDialog::Decode(LPARAM lParam) {
    const auto* fr = reinterpret_cast<const FINDREPLACEA*>(lParam);
    Request request;
    if (!fr) return request;
    if (fr->Flags & FR_DIALOGTERM) {
        dialog_ = nullptr;
        request.kind = Request::Kind::Closed;
        return request;
    }
    request.options.what = fr->lpstrFindWhat ? fr->lpstrFindWhat : "";
    request.options.matchCase = (fr->Flags & FR_MATCHCASE) != 0;
    request.options.wholeWord = (fr->Flags & FR_WHOLEWORD) != 0;
    // The replace dialog has no direction: it always searches down.
    request.options.down = replaceMode_ || (fr->Flags & FR_DOWN) != 0;
    if (fr->lpstrReplaceWith) request.replaceWith = fr->lpstrReplaceWith;
    if (fr->Flags & FR_REPLACEALL) request.kind = Request::Kind::ReplaceAll;
    else if (fr->Flags & FR_REPLACE) request.kind = Request::Kind::Replace;
    else if (fr->Flags & FR_FINDNEXT) request.kind = Request::Kind::FindNext;
    if (request.kind != Request::Kind::None) last_ = request.options;
    return request;
}

}  // namespace tessaly::editor
