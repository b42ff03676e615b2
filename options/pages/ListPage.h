#pragma once
// CListPage: a page built round one list view and a small tool bar over it (Browsers,
// Scrivel files, Hosts). It makes the tool bar, routes each button and a double click on the
// list (Edit) to its handler, tells OnListSelection which row is selected (-1 for none), and
// answers the bar's tips while the user has tips switched on.

#include <windows.h>

#include "OptionsPage.h"
#include "ToolBar.h"

class CListPage : public COptionsPage {
public:
    CListPage(UINT templateId, const char* helpTopic, UINT toolBarId, int listId);

    BOOL OnInitDialog() override;
    void OnPageShown() override;

protected:
    // The tool-bar buttons; a page overrides those its bar has. Edit is also the list's
    // double click.
    virtual void OnAdd() {}
    virtual void OnEdit() = 0;
    virtual void OnRemove() {}
    virtual void OnMove(bool /*up*/) {}
    virtual void OnFind() {}
    virtual void OnRescan() {}
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
