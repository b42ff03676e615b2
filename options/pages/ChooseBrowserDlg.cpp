#include "ChooseBrowserDlg.h"

#include "BrowserRecords.h"
#include "CommonDialogs.h"
#include "DataExchange.h"
#include "DialogTips.h"
#include "resource.h"

namespace {
constexpr char kExecutablesFilter[] = "Executables (*.exe;*.com)|*.exe;*.com|All Files (*.*)|*.*||";
constexpr int kTipIds[] = {
    IDC_BROWSE_BROWSER, IDC_BROWSER_LABEL, IDC_BROWSER_PATH, IDC_USE_DDE, IDC_DDE_SERVICE, IDOK, IDCANCEL};
}  // namespace

CChooseBrowserDlg::CChooseBrowserDlg() : CDialog(IDD_CHOOSE_BROWSER) {}

void CChooseBrowserDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IDC_BROWSER_LABEL, m_strLabel);
    DDX_Text(dx, IDC_BROWSER_PATH, m_strPath);
    DDX_Text(dx, IDC_DDE_SERVICE, m_strService);
    int useDde = m_bUseDde ? 1 : 0;
    DDX_Check(dx, IDC_USE_DDE, useDde);
    m_bUseDde = useDde != 0;
}

BOOL CChooseBrowserDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableService();
    if (m_bTooltips)
        CreateDialogTips(m_wndToolTip, this, kTipIds);
    return TRUE;
}

bool CChooseBrowserDlg::PreTranslateMessage(MSG* msg)
{
    if (m_bTooltips && m_wndToolTip.IsWindow())
        m_wndToolTip.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

bool CChooseBrowserDlg::HandleCommand(UINT id, UINT code)
{
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_USE_DDE:
                OnUseDde();
                return true;
            case IDC_BROWSE_BROWSER:
                OnBrowse();
                return true;
            default:
                break;
        }
    }
    return CDialog::HandleCommand(id, code);
}

void CChooseBrowserDlg::OnUseDde()
{
    UpdateData(true);
    EnableService();
}

void CChooseBrowserDlg::OnBrowse()
{
    UpdateData(true);
    CFileDialog dialog(true, nullptr, m_strPath.c_str(), OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       kExecutablesFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    const browsers::ChosenFile chosen =
        browsers::DescribeChosenFile(dialog.GetPathName(), m_strService, m_bUseDde != FALSE);
    m_strPath = chosen.path;
    m_strLabel = chosen.label;
    m_strService = chosen.service;
    m_bUseDde = chosen.useDde;
    UpdateData(false);
    EnableService();
}

void CChooseBrowserDlg::EnableService()
{
    ::EnableWindow(GetDlgItem(IDC_DDE_SERVICE), m_bUseDde);
    ::EnableWindow(GetDlgItem(IDC_SERVICE_LABEL), m_bUseDde);
}
