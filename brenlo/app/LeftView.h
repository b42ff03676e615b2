#pragma once
// CLeftView: the tree of the Launcher's logs in the left pane. It shows the groups and
// files the log tree model works out, opens the chosen log in the text view, and empties
// one log or all of them after asking.

#include <windows.h>

#include <vector>

#include "CtrlView.h"
#include "ImageList.h"
#include "LogTree.h"

class CLeftView : public CTreeView {
    DECLARE_DYNCREATE(CLeftView)
public:
    CLeftView();
    ~CLeftView() override;

    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // What the frame asks of the pane.
    void OnClearAll();
    void ToggleShowSizes();
    bool HasItems();
    bool ShowSizes() const { return m_bShowSizes; }
    // Says in the status bar how many logs were left out, when the list had more than the
    // tree can tell apart.
    void TellOmitted();

    // The model behind the items (the entries the commands work on).
    const CLogTree& Model() const { return m_model; }

protected:
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnDestroy() override;
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;

private:
    void Fill();
    // Deletes every item without sending the deletion notices through the framework.
    void DeleteAllQuietly();
    HTREEITEM InsertNode(const LogTreeNode& node, HTREEITEM parent);
    void OnItemExpanded(const NMTREEVIEWA& change);
    void OnOpenSelected();
    void OnClear();
    // The data of the selected file item, or false when none is selected or it is a group.
    bool SelectedFileData(std::uint32_t& data);
    void SetEntryText(int index, const std::string& label);
    void ShowCurrentAgain();

    CLogTree m_model;
    CImageList m_images;
    std::vector<HTREEITEM> m_entryItems;  // the item of each entry, by entry index
    bool m_bShowSizes = false;
};
