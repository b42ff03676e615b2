#include "CmdTarget.h"
#include "ModuleCalls.h"

bool CCmdTarget::OnCmdMsg(UINT id, UINT code, CCmdUI* ui)
{
    return ui ? AfxGuarded(this)->UpdateCommand(*ui) : AfxGuarded(this)->HandleCommand(id, code);
}

bool CCmdTarget::HandleCommand(UINT, UINT)
{
    return false;
}

bool CCmdTarget::UpdateCommand(CCmdUI&)
{
    return false;
}

void CCmdUI::Enable(bool on)
{
    if (m_hMenu)
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int check)
{
    if (m_hMenu)
        ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(bool on)
{
    SetCheck(on ? 1 : 0);
}

void CCmdUI::SetText(const char* text)
{
    if (!m_hMenu)
        return;
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text);
    ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &info);
}

bool CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler)
{
    m_bEnableChanged = false;
    bool handled = target && AfxGuarded(target)->OnCmdMsg(m_nID, 0, this);
    if (!handled && disableIfNoHandler && !m_bEnableChanged)
        Enable(false);
    return handled;
}

void CCmdStateQuery::Enable(bool on)
{
    m_bEnabled = on;
    m_bEnableChanged = true;
}

void CCmdStateQuery::SetCheck(int check)
{
    m_nCheck = check;
}

void CCmdStateQuery::SetRadio(bool on)
{
    m_nCheck = on ? 1 : 0;
}
