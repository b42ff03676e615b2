#pragma once
// CHostDlg: the "Host and project" dialog of the Hosts and projects page: whether the host
// and its project are offered in the Launcher's menu, and the project file, found
// automatically or named by hand (the path box is offered only when not automatic).

#include <windows.h>

#include <string>

#include "CommonControls.h"
#include "Dialog.h"

class CHostDlg : public CDialog {
public:
    CHostDlg();

    BOOL m_bTips = FALSE;
    std::string m_strHostName;
    std::string m_strFolder;  // "..." starts here while no path is set
    CWnd m_wndPath;
    CWnd m_wndBrowse;
    std::string m_strPath;
    int m_bHost = 1;
    int m_bProject = 1;
    int m_bAutomatic = 1;

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG* msg) override;

protected:
    bool HandleCommand(UINT id, UINT code) override;

private:
    void EnablePath();
    void OnBrowse();

    CToolTipCtrl m_wndToolTip;
};
