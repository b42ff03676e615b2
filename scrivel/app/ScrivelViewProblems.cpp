// The view's share of the checks: the problems of its document underlined, the one at the
// caret for the status bar, F8 and Shift+F8 from one to the next, and a tip over each.
#include <windows.h>

#include <commctrl.h>

#include "MainFrm.h"
#include "ScrivelApp.h"
#include "ScrivelDoc.h"
#include "ScrivelTexts.h"
#include "ScrivelView.h"

namespace {

const check::Problem* ProblemAt(const std::vector<check::Problem>& problems, int line, int column)
{
    const check::Problem* onLine = nullptr;
    for (const check::Problem& p : problems) {
        if (p.line != line)
            continue;
        if (column >= p.start && column <= p.end)
            return &p;
        onLine = onLine ? onLine : &p;
    }
    return onLine;
}

}  // namespace

const std::vector<check::Problem>& CScrivelView::Problems() const
{
    static const std::vector<check::Problem> kNone;
    const CScrivelDoc* doc = GetDocument();
    return doc && ScrivelApp().m_bCheckAsYouType ? doc->m_checks.Problems() : kNone;
}

void CScrivelView::OnInitialUpdate()
{
    CVQEditView::OnInitialUpdate();
    ShowProblems();
}

void CScrivelView::OnUpdate(CView* sender, LPARAM hint)
{
    if (hint == kHintProblems) {
        ShowProblems();
        return;
    }
    CVQEditView::OnUpdate(sender, hint);
}

void CScrivelView::ShowProblems()
{
    m_problemMarks.clear();
    for (const check::Problem& p : Problems())
        m_problemMarks.push_back(
            {p.line, p.start, p.end, p.severity == check::Severity::kWarning ? VQ_MARK_WARNING : VQ_MARK_ERROR});
    SetMarks(m_problemMarks.data(), static_cast<int>(m_problemMarks.size()));
    HideProblemTip();
}

std::string CScrivelView::CaretProblemText()
{
    const check::Problem* p = ProblemAt(Problems(), CaretLine(), CaretColumn());
    return p ? p->message : std::string();
}

void CScrivelView::GoToProblem(bool forward)
{
    const std::vector<check::Problem>& problems = Problems();
    CMainFrame* frame = ScrivelApp().MainFrame();
    if (problems.empty()) {
        if (frame)
            frame->ShowInfo(texts::kNoProblems);
        return;
    }
    const int line = CaretLine();
    const int column = CaretColumn();
    auto after = [&](const check::Problem& p) { return p.line > line || (p.line == line && p.start > column); };
    auto before = [&](const check::Problem& p) { return p.line < line || (p.line == line && p.start < column); };
    const check::Problem* target = nullptr;
    if (forward) {
        const auto next = std::find_if(problems.begin(), problems.end(), after);
        target = next != problems.end() ? &*next : &problems.front();
    } else {
        const auto previous = std::find_if(problems.rbegin(), problems.rend(), before);
        target = previous != problems.rend() ? &*previous : &problems.back();
    }
    const LRESULT lineStart = SendMessage(EM_LINEINDEX, static_cast<WPARAM>(target->line), 0);
    if (lineStart < 0)
        return;
    const WPARAM at = static_cast<WPARAM>(lineStart + target->start);
    SendMessage(EM_SETSEL, at, static_cast<LPARAM>(at));
    SendMessage(EM_SCROLLCARET, 0, 0);  // the status bar shows its message once idle
}

// The tip follows the mouse over the marks: shown at the pointer with the message of the
// mark under it, hidden off the marks, when the mouse leaves the window and as soon as the
// user does anything else here. A window opened over the view sends it no mouse message, so
// without that the tip would stay over the new window (where a click would land on it).
bool CScrivelView::OnProblemTipMessage(UINT msg, LPARAM lParam)
{
    switch (msg) {
        case WM_MOUSELEAVE:
        case WM_KILLFOCUS:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MOUSEWHEEL:
        case WM_VSCROLL:
        case WM_HSCROLL:
            HideProblemTip();
            return false;
        default:
            break;
    }
    if (msg != WM_MOUSEMOVE)
        return false;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&track);
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const VQMark* mark = MarkAtPoint(point);
    const check::Problem* problem = nullptr;
    if (mark) {
        for (const check::Problem& p : Problems()) {
            if (p.line == mark->line && p.start == mark->start && p.end == mark->end)
                problem = &p;
        }
    }
    if (!problem) {
        HideProblemTip();
        return false;
    }
    if (!m_problemTip) {
        m_problemTip.Reset(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX,
                                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd,
                                             nullptr, nullptr, nullptr));
        if (!m_problemTip)
            return false;
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        // Transparent: a click on the tip reaches the window under it.
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND | TTF_TRANSPARENT;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
        tool.lpszText = const_cast<char*>("");
        ::SendMessageA(m_problemTip.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        ::SendMessageA(m_problemTip.Get(), TTM_SETMAXTIPWIDTH, 0, 600);
    }
    if (m_strTipShown != problem->message) {
        m_strTipShown = problem->message;
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
        tool.lpszText = m_strTipShown.data();
        ::SendMessageA(m_problemTip.Get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::SendMessageA(m_problemTip.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x + 12, screen.y + 20));
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    ::SendMessageA(m_problemTip.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    return false;
}

void CScrivelView::HideProblemTip()
{
    if (!m_problemTip || m_strTipShown.empty())
        return;
    m_strTipShown.clear();
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    ::SendMessageA(m_problemTip.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}
