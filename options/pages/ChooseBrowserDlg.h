#pragma once
// CChooseBrowserDlg: the "Choose browser" dialog of the Browsers page: a browser's path,
// label and DDE service. "..." fills them from the chosen file; the service is offered only
// while "Use DDE" is ticked. Nothing is validated.

#include <windows.h>

#include <string>

#include "CommonControls.h"
#include "Dialog.h"

class CChooseBrowserDlg : public CDialog {
public:
    CChooseBrowserDlg();

    BOOL m_bTooltips = FALSE;  // set by the page before the dialog runs
    std::string m_strLabel;
    std::string m_strPath;
    std::string m_strService;
    BOOL m_bUseDde = FALSE;

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG* msg) override;

protected:
    bool HandleCommand(UINT id, UINT code) override;

private:
    void OnUseDde();
    void OnBrowse();
    void EnableService();

    CToolTipCtrl m_wndToolTip;
};
