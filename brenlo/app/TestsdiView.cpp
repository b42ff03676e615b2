#include "TestsdiView.h"

#include <commdlg.h>

#include <string>
#include <string_view>
#include <vector>

#include <editor/Colors.h>
#include "FrameWnd.h"
#include "LogViewerApp.h"
#include "MainFrame.h"
#include "SettingsSchema.h"
#include "TestsdiDoc.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CTestsdiView)

namespace {
// Writers that keep their handle open are seen only by asking the open file: ten looks a
// second show a new line well within a quarter of a second, for the price of two small
// system calls each.
constexpr UINT_PTR kFollowTimer = 0x464C;
constexpr UINT kFollowTimerMs = 100;

COLORREF ColourOfLevel(LineLevel level)
{
    switch (level) {
        case LineLevel::Error:
            return RGB(192, 0, 0);
        case LineLevel::Warning:
            return RGB(176, 96, 0);
        case LineLevel::Debug:
            return RGB(128, 128, 128);
        case LineLevel::Plain:
            break;
    }
    return CLR_INVALID;
}
}  // namespace

CTestsdiView::CTestsdiView() = default;

CTestsdiView::~CTestsdiView() = default;

CTestsdiDoc* CTestsdiView::GetDocument() const
{
    return static_cast<CTestsdiDoc*>(m_pDocument);
}

CVQEdit* CTestsdiView::GetEdit()
{
    CTestsdiDoc* doc = GetDocument();
    return doc ? &doc->m_edit : nullptr;
}

bool CTestsdiView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    return CVQEditView::PreCreateWindow(cs);
}

int CTestsdiView::OnCreate(CREATESTRUCTA* cs)
{
    if (CVQEditView::OnCreate(cs) == -1)
        return -1;
    m_Colors.ReadSettings();
    m_Colors.m_bColoring = FALSE;
    if (CVQEdit* edit = GetEdit()) {
        edit->SetSyntaxColoring(FALSE);
        edit->SetReadOnly(TRUE);
    }
    m_follow = CFollowMode(
        LogViewerApp().GetProfileInt(settings::kSection, settings::kFollowEnd, settings::kFollowEndDefault) != 0);
    m_highlight = LogViewerApp().GetProfileInt(settings::kSection, settings::kHighlightLevels,
                                               settings::kHighlightLevelsDefault) != 0;
    EnableLineColors(TRUE);
    m_findMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);
    ::SetTimer(m_hWnd, kFollowTimer, kFollowTimerMs, nullptr);
    return 0;
}

void CTestsdiView::OnDestroy()
{
    ::KillTimer(m_hWnd, kFollowTimer);
    CVQEditView::OnDestroy();
}

void CTestsdiView::OnInitialUpdate()
{
    CVQEditView::OnInitialUpdate();
    CTestsdiDoc* doc = GetDocument();
    m_watching = doc && !doc->GetPathName().empty();
    ForgetLogKind();
    // The filter of the bar applies to each log shown.
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame()))
        frame->ApplyFilter();
    if (m_watching && m_follow.LogShown())
        GoToEnd();
    ShowFollowState();
}

void CTestsdiView::Filter(const char* text, bool matchCase, bool exclude, int context)
{
    if (m_filtering) {
        // A message handled while the filter runs: it runs again once this one is done.
        m_filterAgain = true;
        return;
    }
    m_filtering = true;
    SetFilter(text, matchCase ? TRUE : FALSE, exclude ? TRUE : FALSE, context);
    m_filtering = false;
    // The typing pause's timer brings no idle time: the pane is told at once.
    ShowFollowState();
    if (m_filterAgain) {
        m_filterAgain = false;
        if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame()))
            frame->ApplyFilter();
    }
}

ViewPaneFacts CTestsdiView::PaneFacts()
{
    ViewPaneFacts facts;
    facts.following = m_follow.Following();
    if (CVQEdit* edit = GetEdit(); edit && edit->IsFiltered()) {
        facts.filtered = true;
        facts.shownLines = edit->GetShownLineCount();
        facts.wholeLines = edit->GetWholeLineCount();
        facts.stopped = edit->IsFilterStopped() != FALSE;
    }
    return facts;
}

void CTestsdiView::ShowLineInLog()
{
    ClearFilter();
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame()))
        frame->m_wndFilterBar.ClearText();
    m_follow.Leave();
    ShowFollowState();
}

void CTestsdiView::OnHighlightLevels()
{
    m_highlight = !m_highlight;
    LogViewerApp().WriteProfileInt(settings::kSection, settings::kHighlightLevels, m_highlight ? 1 : 0);
    Invalidate(FALSE);
}

void CTestsdiView::ForgetLogKind()
{
    m_kindSample = 0;
    m_kindLinesSeen = -1;
}

LogKind CTestsdiView::KindOfLog()
{
    CVQEdit* edit = GetEdit();
    if (!edit || m_kindSample >= kLogKindSampleLines)
        return m_kind;
    const LONGLONG lines = edit->GetWholeLineCount();
    if (lines == m_kindLinesSeen)
        return m_kind;
    m_kindLinesSeen = lines;
    std::vector<std::string> texts;
    std::string line;
    for (LONGLONG i = 0; i < lines && static_cast<int>(texts.size()) < kLogKindSampleLines; ++i) {
        if (edit->GetWholeLine(i, line, static_cast<int>(kClassifyLineBytes)) && !line.empty())
            texts.push_back(line);
    }
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    const LogKind kind = DetectLogKind(views);
    m_kindSample = static_cast<int>(texts.size());
    // Told from more lines, the kind may change: the lines painted before take their colours.
    if (kind != m_kind)
        Invalidate(FALSE);
    m_kind = kind;
    return m_kind;
}

COLORREF CTestsdiView::GetLineTextColor(const char* text, int length)
{
    if (!m_highlight || !text || length <= 0)
        return CLR_INVALID;
    const LogKind kind = KindOfLog();
    if (kind == LogKind::Neither)
        return CLR_INVALID;
    return ColourOfLevel(ClassifyLine(kind, std::string_view(text, static_cast<std::size_t>(length))));
}

void CTestsdiView::ApplyEditorSettings()
{
    CVQEdit* edit = GetEdit();
    if (!edit)
        return;
    edit->Refresh();
    m_Colors.m_bColoring = FALSE;
    edit->SetSyntaxColoring(FALSE);
    InitView();
    UpdateEditor();
}

void CTestsdiView::OnGoUp()
{
    TopOfFile(TRUE);
    m_follow.Leave();
    ShowFollowState();
}

void CTestsdiView::OnGoDown()
{
    GoToEnd();
    m_follow.WentToEnd();
    ShowFollowState();
}

void CTestsdiView::GoToEnd()
{
    // Where BottomOfFile and BeginningOfLine end, without going through the end of the
    // last line: a line of gigabytes would be measured for its columns on the way.
    StartOfLastLine();
}

void CTestsdiView::OnFollowEnd()
{
    if (m_follow.Toggle())
        GoToEnd();
    LogViewerApp().WriteProfileInt(settings::kSection, settings::kFollowEnd, m_follow.Chosen() ? 1 : 0);
    ShowFollowState();
}

void CTestsdiView::ShowsCopy()
{
    m_watching = false;
    m_follow.Leave();
    ShowFollowState();
}

void CTestsdiView::ShowFollowState()
{
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame()))
        frame->ShowViewPane();
}

void CTestsdiView::Tell(UINT textId)
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetMessageText(textId);
}

void CTestsdiView::LookAtLog()
{
    CVQEdit* edit = GetEdit();
    if (!m_watching || !edit)
        return;
    // Not while a question, a copy being saved or a search has the frame disabled: what they
    // work on stays as it was when they began.
    CWnd* top = GetTopLevelFrame();
    if (top && !::IsWindowEnabled(top->m_hWnd))
        return;
    const int change = edit->FollowFile();
    switch (change) {
        case VQ_FILE_UNCHANGED:
            return;
        case VQ_FILE_GONE:
            Tell(IDS_LOG_GONE);
            return;
        case VQ_FILE_CUT_SHORT:
            Tell(IDS_LOG_CUT_SHORT);
            ForgetLogKind();
            break;
        case VQ_FILE_REPLACED:
            Tell(IDS_LOG_REPLACED);
            m_follow.LogShown();  // a new log: followed as an opened one is
            ForgetLogKind();
            break;
        case VQ_FILE_BACK:
            Tell(IDS_LOG_BACK);
            m_follow.LogShown();
            ForgetLogKind();
            break;
        default:
            break;
    }
    if (m_follow.Following())
        GoToEnd();
    ShowFollowState();
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame()))
        frame->ShownLogResized(static_cast<std::uint64_t>(edit->GetLength()));
}

void CTestsdiView::CheckStillAtEnd()
{
    if (m_follow.Following() && !IsAtEnd()) {
        m_follow.Leave();
        ShowFollowState();
    }
}

bool CTestsdiView::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_TIMER && wParam == kFollowTimer) {
        LookAtLog();
        // While a filter runs the frame does no idle work: "N of M lines" follows it here.
        if (CVQEdit* edit = GetEdit(); edit && edit->IsFilterRunning())
            ShowFollowState();
        *result = 0;
        return true;
    }
    // A double click on a line of a filtered log shows it in the whole log (the click
    // before it has put the caret there).
    if (msg == WM_LBUTTONDBLCLK) {
        if (CVQEdit* edit = GetEdit(); edit && edit->IsFiltered()) {
            ShowLineInLog();
            *result = 0;
            return true;
        }
    }
    // F, as in other log viewers: the text takes no typing.
    if (msg == WM_CHAR && (wParam == 'f' || wParam == 'F')) {
        OnFollowEnd();
        *result = 0;
        return true;
    }
    const bool handled = CVQEditView::OnWndMsg(msg, wParam, lParam, result);
    switch (msg) {
        case WM_KEYDOWN:
        case WM_MOUSEWHEEL:
        case WM_VSCROLL:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            CheckStillAtEnd();
            break;
        case WM_MOUSEMOVE:
            if (wParam & MK_LBUTTON)
                CheckStillAtEnd();
            break;
        default:
            if (msg == m_findMessage && m_findMessage != 0)
                CheckStillAtEnd();
            break;
    }
    return handled;
}

bool CTestsdiView::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_GO_UP:
            OnGoUp();
            return true;
        case ID_GO_DOWN:
            OnGoDown();
            return true;
        case ID_FOLLOW_END:
            OnFollowEnd();
            return true;
        case ID_VIEW_HIGHLIGHT:
            OnHighlightLevels();
            return true;
        case ID_LOG_OPEN:
            // Enter: the tree opens the log chosen; here a filtered line is shown in the log.
            if (CVQEdit* edit = GetEdit(); edit && edit->IsFiltered()) {
                ShowLineInLog();
                return true;
            }
            return false;
        default: {
            const bool handled = CVQEditView::HandleCommand(id, code);
            if (id == ID_VQ_FIND_NEXT)
                CheckStillAtEnd();
            return handled;
        }
    }
}

bool CTestsdiView::UpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
        case ID_GO_UP:
        case ID_GO_DOWN:
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_PREVIEW:
            ui.Enable(true);
            return true;
        case ID_FOLLOW_END:
            ui.Enable(true);
            ui.SetCheck(m_follow.Following() ? 1 : 0);
            return true;
        case ID_VIEW_HIGHLIGHT:
            ui.Enable(true);
            ui.SetCheck(m_highlight ? 1 : 0);
            return true;
        default:
            return CVQEditView::UpdateCommand(ui);
    }
}
