#pragma once
// CBrowsersPage: the web browsers the Launcher offers, with their DDE settings, in list
// order, and which one is the default. Entries change in memory only until OK or Apply,
// which rewrite Browser1, Browser2, ... and "DefBrowser" and tell the Launcher.

#include <windows.h>

#include "CommonControls.h"
#include "GrowArray.h"
#include "GrowString.h"
#include "ImageList.h"
#include "ListPage.h"

struct BrowserEntry {
    CGrowString label;    // shown in the list and in the Launcher's menu
    CGrowString path;     // the browser's executable
    CGrowString service;  // DDE service, may be empty
    BOOL useDde = FALSE;
};

class CBrowsersPage : public CListPage {
public:
    CBrowsersPage();

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnFrameOK(BOOL changed) override;
    void Apply() override;

protected:
    void OnListSelection(int row) override;
    void OnAdd() override;
    void OnEdit() override;
    void OnRemove() override;
    void OnMove(bool up) override;
    void OnFind() override;
    void OnTimer(UINT_PTR id) override;

private:
    void LoadEntries();
    void FillList();
    void UpdateButtons(int index);
    bool RunChooseDialog(BrowserEntry& entry);
    void SelectRow(int index);
    void Save();

    CWnd m_wndPicture;
    CListCtrl m_wndList;
    int m_nAnimation = 2;
    HICON m_hAnimation[3] = {};  // 1092, 1091, 1093: shared resource icons
    UINT_PTR m_nTimer = 0;
    CImageList m_images;  // the list shares it (LVS_SHAREIMAGELISTS): one owner
    int m_nDefault = -1;
    CGrowArray<BrowserEntry> m_entries;
};
