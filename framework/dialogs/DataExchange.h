#pragma once
// Data exchange between a dialog's members and its controls: check boxes, radio groups,
// texts and integers in both directions, and binding a control to its wrapper. A value the
// user typed that cannot be taken is reported, its control gets the focus, and the
// exchange fails without touching the member.

#include <windows.h>

#include <string>

#include "FwApi.h"

class CWnd;

class FWAPI CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    bool m_bSaveAndValidate;  // true: controls to members
    CWnd* m_pDlgWnd;
    bool m_bFailed = false;  // a value was refused; later exchanges are skipped
    int m_idLastControl = 0;

    // The control to exchange with; null once the exchange has failed or when it is missing.
    HWND PrepareCtrl(int id);
    // Reports `message`, puts the focus on the last control and fails the exchange.
    void Fail(const char* message);
};

FWAPI void DDX_Check(CDataExchange* dx, int id, int& value);
// `id` is the first button of a group (up to the next control with WS_GROUP); the value is
// the index of the checked button, -1 for none.
FWAPI void DDX_Radio(CDataExchange* dx, int id, int& value);
FWAPI void DDX_Text(CDataExchange* dx, int id, std::string& value);
FWAPI void DDX_Text(CDataExchange* dx, int id, int& value);
FWAPI void DDX_Text(CDataExchange* dx, int id, UINT& value);
// Attaches the control to `control` the first time (subclassing it).
FWAPI void DDX_Control(CDataExchange* dx, int id, CWnd& control);
FWAPI void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum);
FWAPI void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maximum);
