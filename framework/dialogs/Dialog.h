#pragma once
// CDialog: a dialog from a template in the module's resources, modal (with a loop of its
// own, so PreTranslateMessage sees the dialog's messages) or modeless (also as a child, for
// pages). A dialog without a parent is owned by the thread's active top-level window, which
// is disabled while the dialog runs modally. Members reach the controls through data
// exchange (DoDataExchange, UpdateData).

#include <windows.h>

#include "FwApi.h"
#include "Wnd.h"

class CDataExchange;

class FWAPI CDialog : public CWnd {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    CDialog() = default;
    explicit CDialog(UINT idTemplate, CWnd* parent = nullptr) : m_nIDTemplate(idTemplate), m_pParentWnd(parent) {}

    // Runs the dialog modally; the value given to EndDialog, or -1 when it cannot be made.
    virtual INT_PTR DoModal();
    // Makes the dialog modeless (a child when its template says so).
    bool Create(UINT idTemplate, CWnd* parent = nullptr);
    void EndDialog(int result);

    // Moves data between the members and the controls; false when a value was refused.
    bool UpdateData(bool saveAndValidate = true);
    virtual void DoDataExchange(CDataExchange* dx);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    bool PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    INT_PTR m_nModalResult = -1;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    // Creates the window from the template; true when it exists.
    bool CreateFromTemplate(UINT idTemplate, HWND parent);
    // The modal loop; returns when EndDialog was called or WM_QUIT arrived.
    void RunModalLoop();

    bool m_bModalRunning = false;
};
