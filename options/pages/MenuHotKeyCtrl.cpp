#include "MenuHotKeyCtrl.h"

#include "OptionsPage.h"

bool CMenuHotKeyCtrl::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_KEYUP:
            OnKeyUp(static_cast<UINT>(wParam));
            return false;  // the control handles the release as usual
        default:
            return CHotKeyCtrl::OnWndMsg(msg, wParam, lParam, result);
    }
}

void CMenuHotKeyCtrl::OnKeyUp(UINT key)
{
    if (m_pPage && IsWindowEnabled() && key != VK_TAB)
        m_pPage->SetModified();
}
