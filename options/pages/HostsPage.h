#pragma once
// CHostsPage: which of the Launcher's virtual hosts, and which project file of each, the
// Launcher's menu offers, the extensions by which projects are found, and the menu's three
// switches. The caller's host list is read when the page is made; edits stay in the page's
// records until OK or Apply rewrite HostsOpt and tell the Launcher.

#include <windows.h>

#include <string>
#include <vector>

#include "CommonControls.h"
#include "GrowArray.h"
#include "GrowString.h"
#include "ImageList.h"
#include "LauncherLists.h"
#include "ListPage.h"

struct HostRecord {
    CGrowString name;
    CGrowString projectPath;  // empty: no project
    CGrowString folder;
    BOOL showProject = TRUE;
    BOOL showHost = TRUE;
    BOOL automatic = TRUE;
    int icon = 1;  // image of the project; 1 is the blank one
};

class CHostsPage : public CListPage {
public:
    CHostsPage();

    const HostList* m_pHostList = nullptr;  // the caller's list, read only, valid during the call

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnPageShown() override;
    void OnFrameOK(BOOL changed) override;
    void Apply() override;

protected:
    bool HandleCommand(UINT id, UINT code) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnListSelection(int row) override;
    void OnEdit() override;
    void OnRescan() override;

private:
    void MakeImageList();
    void LoadHosts(const std::string& extensions);
    void FillList();
    void RefreshRow(int row);
    void OnSortClicked();
    void Save();
    void OnListClick(const NMITEMACTIVATE* click);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
    void PaintIcon(HDC dc, int row, int column);
    HostRecord* RecordOfRow(int row);
    RECT IconRect(int row, int column) const;

    CListCtrl m_wndList;
    CWnd m_wndExtensions;
    int m_bOpenProject = 0;
    int m_bViewHost = 1;
    int m_bSort = 1;
    std::string m_strExtensions;  // as last loaded or saved
    CImageList m_images;          // the list shares it (LVS_SHAREIMAGELISTS): one owner
    CGrowArray<HostRecord> m_records;
};
