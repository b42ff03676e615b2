#pragma once
// COptionsDlg: the "Options" dialog. It keeps the page list, fills the tree from it, creates
// each page the first time it is selected and hides the one that is left, shows the page's
// name and colours in the caption header, steps through the pages with Ctrl+Tab, and runs
// OK, Apply and Cancel over the pages that exist.

#include <windows.h>

#include "CaptionHeader.h"
#include "CommonControls.h"
#include "Controls.h"
#include "Dialog.h"
#include "PageFrame.h"
#include "GrowArray.h"
#include "GrowString.h"

class COptionsPage;

// One row of the page list; its index is the page's identity (tree item data, changes,
// Ctrl+Tab order).
struct PageEntry {
    COptionsPage* page = nullptr;  // owned by DoOptions
    int parent = -1;               // the parent row, -1 for a top-level item
    HTREEITEM item = nullptr;
    CGrowString name;
    COLORREF leftColour = CLR_INVALID;  // CLR_INVALID (-1): the system default
    COLORREF rightColour = CLR_INVALID;
    BOOL changed = FALSE;
    BOOL created = FALSE;
};

class COptionsDlg : public CDialog, public IPageFrame {
public:
    COptionsDlg();
    ~COptionsDlg() override;

    int AddPage(COptionsPage* page, const char* name, int parent, COLORREF leftColour, COLORREF rightColour);
    void SelectPage(int index);
    void NextPage();
    void SetPageChanged(int index, BOOL changed) override;
    void UpdateApplyButton();

    int GetPageCount() const { return m_pages.GetSize(); }
    int GetCurrentPage() const { return m_nCurrentPage; }
    HACCEL GetAccelerators() const override { return m_hAccel; }
    CToolTipCtrl& FrameToolTip() override { return m_wndToolTip; }
    bool ToolTipsMade() const override { return m_bToolTipsMade; }
    HWND FrameWindow() const override { return m_hWnd; }

    void DoDataExchange(CDataExchange* dx) override;
    bool PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void CreateFrameToolTip();
    void MakeToolTips();
    void FillTree();
    void OnSelChanged();
    void ShowPage(int index);
    void UpdateCaptionHeader(const PageEntry& row);
    void OnApply();
    BOOL OnHelpInfo(const HELPINFO* info);

    HACCEL m_hAccel = nullptr;
    CStatic m_wndPageArea;
    CButton m_wndApply;
    CTreeCtrl m_wndTree;
    CCaptionHeader m_wndCaption;
    CToolTipCtrl m_wndToolTip;
    RECT m_rcPage{};
    int m_nCurrentPage = -1;
    CGrowArray<PageEntry> m_pages;
    bool m_bToolTipsMade = false;
};
