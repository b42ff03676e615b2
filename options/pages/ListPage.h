#pragma once
// CListPage: a page built round one list view and a small tool bar over it (Browsers,
// Scrivel files, Hosts). It makes the tool bar, routes the bar's buttons and a double click
// on the list (Edit) to OnListCommand, tells OnListSelection which row is selected (-1 for
// none), and answers the bar's tips while the user has tips switched on.

#include <windows.h>

#include "OptionsPage.h"
#include "ToolBar.h"

class CListPage : public COptionsPage {
public:
    CListPage(UINT templateId, const char* helpTopic, UINT toolBarId, int listId);

    BOOL OnInitDialog() override;
    void OnPageShown() override;

protected:
    // A tool-bar button or the list's double click (ID_LIST_EDIT); false for an id the page
    // does not have.
    virtual bool OnListCommand(UINT id) = 0;
    // The row the user selected, or -1 once nothing is.
    virtual void OnListSelection(int row) = 0;
    // A tool-bar button's tip, asked each time it shows; false leaves it unanswered.
    virtual bool OnToolTipText(NMHDR* header);

    bool HandleCommand(UINT id, UINT code) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    void EnableToolButton(UINT command, bool enable);
    bool TipsOn() const { return m_bTips != FALSE; }

private:
    void OnItemChanged(const NMLISTVIEW* change);

    const UINT m_nToolBarId;
    const int m_nListId;
    CToolBar m_wndToolBar;
    BOOL m_bTips = TRUE;
};
