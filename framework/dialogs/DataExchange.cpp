#include "DataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "Wnd.h"

HWND CDataExchange::PrepareCtrl(int id)
{
    if (m_bFailed)
        return nullptr;  // a refused value skips the rest of the exchange
    m_idLastControl = id;
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
}

void CDataExchange::Fail(const char* message)
{
    m_bFailed = true;
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
    if (control) {
        ::SetFocus(control);
        ::SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND button = dx->PrepareCtrl(id);
    if (!button)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(button, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(button, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    HWND button = dx->PrepareCtrl(id);
    if (!button)
        return;
    if (dx->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if (dx->m_bSaveAndValidate) {
            if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
        button = ::GetWindow(button, GW_HWNDNEXT);
    } while (button && !(::GetWindowLongPtrA(button, GWL_STYLE) & WS_GROUP));
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = CWnd(control).GetWindowText();
    else
        ::SetWindowTextA(control, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (!dx->m_bSaveAndValidate) {
        ::SetWindowTextA(control, std::to_string(value).c_str());
        return;
    }
    std::string text = CWnd(control).GetWindowText();
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(start, &end, 10);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == start || !end || *end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) {
        dx->Fail("Please enter an integer.");
        return;
    }
    value = static_cast<int>(parsed);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value)
{
    int signedValue = static_cast<int>(value);
    DDX_Text(dx, id, signedValue);
    if (dx->m_bFailed || !dx->m_bSaveAndValidate)
        return;
    if (signedValue < 0) {
        dx->Fail("Please enter a positive integer.");
        return;
    }
    value = static_cast<UINT>(signedValue);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    HWND item = dx->PrepareCtrl(id);
    if (item)
        control.SubclassWindow(item);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum)
{
    if (dx->m_bFailed || !dx->m_bSaveAndValidate)
        return;
    if (value < minimum || value > maximum) {
        char message[96];
        std::snprintf(message, sizeof(message), "Please enter an integer between %d and %d.", minimum, maximum);
        dx->Fail(message);
    }
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maximum)
{
    HWND control = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, dx->m_idLastControl);
    if (!dx->m_bSaveAndValidate) {
        if (control)
            ::SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(maximum), 0);
        return;
    }
    if (static_cast<int>(value.size()) > maximum) {
        char message[96];
        std::snprintf(message, sizeof(message), "Enter no more than %d characters.", maximum);
        dx->Fail(message);
    }
}
