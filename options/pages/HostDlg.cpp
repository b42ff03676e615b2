#include "HostDlg.h"

#include <algorithm>

#include "CommonDialogs.h"
#include "DataExchange.h"
#include "DialogTips.h"
#include "resource.h"

namespace {
constexpr char kAllFilesFilter[] = "All files (*.*)|*.*||";
constexpr int kTipIds[] = {
    IDC_BROWSE_PROJECT, IDC_PROJECT_PATH, IDC_SHOW_HOST, IDC_SHOW_PROJECT, IDC_AUTO_PROJECT, IDOK, IDCANCEL};
}  // namespace

CHostDlg::CHostDlg() : CDialog(IDD_HOST_DIALOG) {}

void CHostDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_PROJECT_PATH, m_wndPath);
    DDX_Control(dx, IDC_BROWSE_PROJECT, m_wndBrowse);
    DDX_Text(dx, IDC_PROJECT_PATH, m_strPath);
    DDX_Check(dx, IDC_SHOW_HOST, m_bHost);
    DDX_Check(dx, IDC_SHOW_PROJECT, m_bProject);
    DDX_Check(dx, IDC_AUTO_PROJECT, m_bAutomatic);
}

BOOL CHostDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnablePath();
    SetWindowText(("Edit \"" + m_strHostName + "\"").c_str());
    if (m_bTips)
        CreateDialogTips(m_wndToolTip, this, kTipIds);
    return TRUE;
}

bool CHostDlg::PreTranslateMessage(MSG* msg)
{
    if (m_bTips && m_wndToolTip.IsWindow())
        m_wndToolTip.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

bool CHostDlg::HandleCommand(UINT id, UINT code)
{
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_AUTO_PROJECT:
                UpdateData(true);
                EnablePath();
                return true;
            case IDC_BROWSE_PROJECT:
                OnBrowse();
                return true;
            default:
                break;
        }
    }
    return CDialog::HandleCommand(id, code);
}

void CHostDlg::EnablePath()
{
    m_wndPath.EnableWindow(!m_bAutomatic);
    m_wndBrowse.EnableWindow(!m_bAutomatic);
}

void CHostDlg::OnBrowse()
{
    // Without a path the dialog opens in the host's folder. The current folder alone does
    // not do it: the open dialog prefers the folder it last showed to the program.
    const bool inHostFolder = m_strPath.empty() && !m_strFolder.empty();
    if (inHostFolder)
        ::SetCurrentDirectoryA(m_strFolder.c_str());
    CFileDialog dialog(true, nullptr, m_strPath.c_str(), OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       kAllFilesFilter, this);
    if (inHostFolder)
        dialog.m_ofn.lpstrInitialDir = m_strFolder.c_str();
    if (dialog.DoModal() != IDOK)
        return;
    m_strPath = dialog.GetPathName();
    std::replace(m_strPath.begin(), m_strPath.end(), '/', '\\');
    SetDlgItemText(IDC_PROJECT_PATH, m_strPath.c_str());
}
