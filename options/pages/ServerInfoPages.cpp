#include "ServerInfoPages.h"

#include "PageHost.h"
#include "DataExchange.h"
#include "ServerTexts.h"

CServerOutputPage::CServerOutputPage(UINT templateId, const char* helpTopic, settings::CommandLine which, int outputId)
    : COptionsPage(templateId, helpTopic), m_which(which), m_nOutputId(outputId)
{}

BOOL CServerOutputPage::OnInitDialog()
{
    COptionsPage::OnInitDialog();
    // The stored switch, not what the Command lines page holds unsaved.
    const std::string text = pagehost::RunServerCommand(pagehost::Settings().ReadCommandLine(m_which));
    SetDlgItemText(m_nOutputId, text.c_str());
    return TRUE;
}

CServerInfoPage::CServerInfoPage()
    : CServerOutputPage(IDD_PAGE_SERVER_INFO, "opt_8.htm", settings::CommandLine::Version, IDC_SERVER_VERSION)
{}

void CServerInfoPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_SERVER_LINK, m_wndLink);
}

BOOL CServerInfoPage::OnInitDialog()
{
    CServerOutputPage::OnInitDialog();
    m_wndLink.SetAddress(servertexts::kServerHomePage);
    return TRUE;
}
