#include "ListPage.h"

#include <commctrl.h>

#include "GeneralFlags.h"
#include "PageHost.h"
#include "PageToolBar.h"
#include "resource.h"

CListPage::CListPage(UINT templateId, const char* helpTopic, UINT toolBarId, int listId)
    : COptionsPage(templateId, helpTopic), m_nToolBarId(toolBarId), m_nListId(listId)
{}

BOOL CListPage::OnInitDialog()
{
    COptionsPage::OnInitDialog();
    CreatePageToolBar(m_wndToolBar, this, m_nToolBarId);
    return TRUE;
}

void CListPage::OnPageShown()
{
    // The Other page may have switched tips since the page was last shown.
    m_bTips = general::Has(pagehost::ReadGeneral(), general::kShowTooltips);
}

bool CListPage::OnToolTipText(NMHDR* header)
{
    return AnswerToolTipText(header, TipsOn()) != FALSE;
}

void CListPage::EnableToolButton(UINT command, bool enable)
{
    ::EnableToolButton(m_wndToolBar, command, enable);
}

bool CListPage::HandleCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED)
        return COptionsPage::HandleCommand(id, code);
    switch (id) {
        case ID_LIST_ADD:
            OnAdd();
            return true;
        case ID_LIST_EDIT:
            OnEdit();
            return true;
        case ID_LIST_REMOVE:
            OnRemove();
            return true;
        case ID_LIST_UP:
        case ID_LIST_DOWN:
            OnMove(id == ID_LIST_UP);
            return true;
        case ID_LIST_FIND:
            OnFind();
            return true;
        case ID_LIST_RESCAN:
            OnRescan();
            return true;
        default:
            return COptionsPage::HandleCommand(id, code);
    }
}

void CListPage::OnItemChanged(const NMLISTVIEW* change)
{
    if (!(change->uChanged & LVIF_STATE) || change->uNewState == change->uOldState)
        return;
    if (change->uNewState == 0)
        OnListSelection(-1);
    else if (change->uNewState == (LVIS_SELECTED | LVIS_FOCUSED))
        OnListSelection(change->iItem);
}

BOOL CListPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) {
        if (!OnToolTipText(header))
            return COptionsPage::OnNotify(wParam, lParam, result);
        *result = 0;
        return TRUE;
    }
    if (header->idFrom != static_cast<UINT_PTR>(m_nListId))
        return COptionsPage::OnNotify(wParam, lParam, result);
    switch (header->code) {
        case NM_DBLCLK:
            OnEdit();
            *result = 0;
            return TRUE;
        case LVN_ITEMCHANGED:
            OnItemChanged(reinterpret_cast<NMLISTVIEW*>(lParam));
            *result = 0;
            return TRUE;
        default:
            return COptionsPage::OnNotify(wParam, lParam, result);
    }
}
