// The main frame's help: the documentation bar with the server's manual, and the help file.
// Without the browser control (a system that lacks it, or refuses to make it) the page
// opens in the system's web browser instead of being dropped.
#include "HtmlHelpLoader.h"
#include "KeywordHelp.h"
#include "MainFrm.h"
#include "OpenUrl.h"
#include "ScrivelHelp.h"
#include "ScrivelTexts.h"
#include "SettingsSchema.h"
#include "StatusTexts.h"
#include "WinApp.h"
#include "resource.h"

#include <algorithm>

bool CMainFrame::CreateDocBar()
{
    if (m_wndDocBar.m_hWnd)
        return true;
    return m_wndDocBar.Create(this, &m_wndBrowser, texts::kDocBarTitle);
}

void CMainFrame::NavigateDocBar(const std::string& url)
{
    if (!CreateDocBar()) {
        OpenUrl(url.c_str());
        return;
    }
    if (!m_wndDocBar.IsVisible())
        ShowControlBar(&m_wndDocBar, true);
    m_wndBrowser.Navigate(url.c_str());
}

void CMainFrame::ToggleDocBar()
{
    if (m_wndDocBar.m_hWnd) {
        ShowControlBar(&m_wndDocBar, !m_wndDocBar.IsVisible());
        return;
    }
    // The folder as stored, slashes and all.
    const std::string folder = AfxGetApp()->GetProfileString(settings::kSection, settings::kApachePath, "");
    ShowManualPage(keywordhelp::IndexPage(folder, ServerManual()), folder);
}

// The news comes after the bar is made, which takes a while the first time, so that it is
// shown for its whole time.
void CMainFrame::ShowManualPage(const keywordhelp::ManualPage& page, const std::string& serverFolder)
{
    NavigateDocBar(page.url);
    if (!page.online)
        return;
    std::string folder = serverFolder;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    ShowError(WithPath(texts::kManualNotFound, folder).c_str());
}

void CMainFrame::HideDocBar()
{
    if (m_wndDocBar.m_hWnd && m_wndDocBar.IsVisible())
        ShowControlBar(&m_wndDocBar, false);
}

void CMainFrame::OnHelpTopic()
{
    const std::string topic = HelpFilePath() + texts::kHelpTopic;
    CallHtmlHelp(nullptr, topic.c_str(), kHtmlHelpDisplayTopic, 0);
}

bool CMainFrame::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_VIEW_APACHE_DOC:
            ToggleDocBar();
            return true;
        case ID_HIDE_APACHE_DOC:
            HideDocBar();
            return true;
        case ID_HELP_FINDER:
            if (m_bHelpFile)
                OnHelpTopic();
            return true;
        default:
            return CMDIFrameWnd::HandleCommand(id, code);
    }
}
