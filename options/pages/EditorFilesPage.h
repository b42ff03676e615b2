#pragma once
// CEditorFilesPage: the files Scrivel opens at start, edited in a list with a small tool bar
// (Add, Edit, Remove, Up, Down), and the restart of the server after Scrivel changes the
// configuration. The list is written whole on Apply; on a first run its defaults are
// written at once.

#include <windows.h>

#include <string>

#include "EditorFileList.h"
#include "ListPage.h"
#include "resource.h"

class CEditorFilesPage : public CListPage {
public:
    CEditorFilesPage();

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnPageShown() override;
    void OnFrameOK(BOOL changed) override;
    void Apply() override;

protected:
    bool HandleCommand(UINT id, UINT code) override;
    void OnListSelection(int row) override;
    void OnAdd() override;
    void OnEdit() override;
    void OnRemove() override;
    void OnMove(bool up) override;
    bool OnToolTipText(NMHDR* header) override;

private:
    void SetUpList();
    void LoadFiles();
    // The file-list part of Apply; false when the key could not be made (the box was shown).
    bool WriteFiles();

    void FillList();
    void SelectRow(int row);
    int SelectedRow() const;
    void UpdateButtons(int row);
    // The Open dialog; true with the chosen path (backslashes only) on OK.
    bool ChooseFile(const std::string& initial, std::string& chosen);

    void OnDefault();

    HWND List() const { return GetDlgItem(IDC_FILE_LIST); }

    editorfiles::CFileList m_files;
    int m_nRestart = 1;
    // The first-run defaults were written while the window was made, before the frame
    // counted the page as created: the page marks itself changed again once shown.
    bool m_bDefaultsWritten = false;
};
