// The main frame's creation, bars, stored placement and command states.
#include "MainFrm.h"

#include "FwIds.h"
#include "KeywordHelp.h"
#include "LauncherLink.h"
#include "DocChecks.h"
#include "ScrivelHelp.h"
#include "ScrivelDoc.h"
#include "ScrivelView.h"
#include "SettingsSchema.h"
#include "resource.h"

namespace {
constexpr COLORREF kInfoBack = RGB(0, 0, 192);
constexpr COLORREF kErrorBack = RGB(192, 0, 0);
constexpr COLORREF kFlashText = RGB(255, 255, 255);
constexpr UINT kFlashMs = 3000;

// The Windows 9x family from version 4.1 on keeps other programs from taking the foreground.
bool NeedsForegroundFix()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!::GetVersionExA(&version))
        return false;
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
           (version.dwMajorVersion > 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion > 0));
}
}  // namespace

int CMainFrame::OnCreate(CREATESTRUCTA* cs)
{
    m_bForegroundFix = NeedsForegroundFix() ? 1 : 0;
    if (CMDIFrameWnd::OnCreate(cs) == -1)
        return -1;
    if (!CreateBars())
        return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    ApplyStoredPlacement();
    m_bHelpFile = HelpFileExists() ? 1 : 0;
    return 0;
}

bool CMainFrame::CreateBars()
{
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_OVR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return false;
    if (!m_wndReBar.Create(this, RBS_BANDBORDERS) ||
        !m_wndReBar.AddBar(&m_wndToolBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP))
        return false;
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 4))
        return false;
    RecalcLayout();
    return true;
}

// The frame is still hidden here: the stored rectangle is taken now, the stored show
// command when the application shows the frame.
void CMainFrame::ApplyStoredPlacement()
{
    std::optional<WINDOWPLACEMENT> stored = LoadPlacement(settings::kSection, settings::kScrivelWindow);
    if (!stored)
        return;
    m_nStoredShowCmd = static_cast<int>(stored->showCmd);
    stored->showCmd = SW_HIDE;
    ::SetWindowPlacement(m_hWnd, &*stored);
}

int CMainFrame::StartupShowCommand(int requested) const
{
    const bool plainRequest = requested == SW_SHOWNORMAL || requested == SW_SHOWDEFAULT || requested == SW_SHOW;
    if (plainRequest && m_nStoredShowCmd == SW_SHOWMAXIMIZED)
        return SW_SHOWMAXIMIZED;
    return requested;
}

void CMainFrame::OnDestroy()
{
    // A minimised frame keeps the placement stored before.
    if (!IsIconic())
        StorePlacement(settings::kSection, settings::kScrivelWindow);
    CMDIFrameWnd::OnDestroy();
}

bool CMainFrame::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_LAUNCHER_NOTIFY) {
        *result = OnLauncherNotify(wParam);
        return true;
    }
    if (msg == kPortsChecked) {
        OnPortsChecked(wParam);
        *result = 0;
        return true;
    }
    if (msg == kChecksAnswered) {
        CDocChecks::OnAnswer(static_cast<int>(wParam));
        *result = 0;
        return true;
    }
    if (msg == WM_ENTERMENULOOP)
        m_bInMenu = true;
    else if (msg == WM_EXITMENULOOP)
        m_bInMenu = false;
    return CMDIFrameWnd::OnWndMsg(msg, wParam, lParam, result);
}

bool CMainFrame::UpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
        case ID_VIEW_APACHE_DOC:
            ui.Enable(true);
            ui.SetCheck(m_wndDocBar.m_hWnd && m_wndDocBar.IsVisible() ? 1 : 0);
            return true;
        case ID_HIDE_APACHE_DOC:
            ui.Enable(true);
            return true;
        // Answered by the active view; without one there is no word to look up.
        case ID_HELP_KEYWORD:
            ui.SetText(keywordhelp::MenuText("", false).c_str());
            ui.Enable(false);
            return true;
        case ID_HELP_FINDER:
            ui.Enable(m_bHelpFile != 0);
            return true;
        default:
            return CMDIFrameWnd::UpdateCommand(ui);
    }
}

// After each burst of input: the caret may have moved to another directive. The text is
// shown only when it changed, so a prompt the toolbar shows stays.
void CMainFrame::OnIdleUpdateCmdUI()
{
    CMDIFrameWnd::OnIdleUpdateCmdUI();
    auto* view = dynamic_cast<CScrivelView*>(GetActiveView());
    if (view && view->GetDocument())
        view->GetDocument()->m_sections.Prepare();
    // A problem at the caret says more than the directive's syntax.
    std::string syntax = view ? view->CaretProblemText() : std::string();
    if (view && syntax.empty())
        syntax = view->CaretSyntaxLine();
    if (syntax == m_strCaretSyntax)
        return;
    m_strCaretSyntax = std::move(syntax);
    if (!m_bInMenu)
        SetMessageText(static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
}

void CMainFrame::GetMessageString(UINT id, std::string& text) const
{
    if (id == AFX_IDS_IDLEMESSAGE && !m_strCaretSyntax.empty()) {
        text = m_strCaretSyntax;
        return;
    }
    CMDIFrameWnd::GetMessageString(id, text);
}

void CMainFrame::ShowInfo(const char* text)
{
    m_wndStatusBar.FlashMessage(text, kInfoBack, kFlashText, kFlashMs);
}

void CMainFrame::ShowError(const char* text)
{
    m_wndStatusBar.FlashMessage(text, kErrorBack, kFlashText, kFlashMs);
}
