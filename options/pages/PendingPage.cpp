#include "PendingPage.h"

BOOL CPendingPage::OnInitDialog()
{
    COptionsPage::OnInitDialog();
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ::EnableWindow(child, FALSE);
    return TRUE;
}
