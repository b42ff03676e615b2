#pragma once
// CLeftView: the tree of the Launcher's logs in the left pane. It shows the groups and
// files the log tree model works out, opens the chosen log in the text view, and empties
// one log or all of them after asking.

#include <windows.h>

#include <memory>
#include <vector>

#include "CtrlView.h"
#include "ImageList.h"
#include "LogTree.h"

class CLogClearRun;

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
    // True while a Clear or Clear all waits for busy logs; the tree is not rebuilt then.
    bool IsClearing() const { return m_clearing != nullptr; }
    // Says in the status bar how many logs were left out, when the list had more than the
    // tree can tell apart.
    void TellOmitted();
    // The log shown has this size now: its label says so when sizes are shown.
    void ShowCurrentSize(std::uint64_t size);

    // The model behind the items (the entries the commands work on).
    const CLogTree& Model() const { return m_model; }

protected:
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnDestroy() override;
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;
    void OnTimer(UINT_PTR id) override;

private:
    void Fill();
    HTREEITEM InsertNode(const LogTreeNode& node, HTREEITEM parent);
    void OnItemExpanded(const NMTREEVIEWA& change);
    void OnOpenSelected();
    void OnClear();
    // Clears the entries; busy logs are tried again from a timer, and the run ends in
    // FinishClearing.
    void StartClearing(const std::vector<int>& indices, bool all);
    void FinishClearing();
    // The data of the selected file item, or false when none is selected or it is a group.
    bool SelectedFileData(std::uint32_t& data);
    void SetEntryText(int index, const std::string& label);
    void ShowCurrentAgain();

    CLogTree m_model;
    CImageList m_images;
    std::vector<HTREEITEM> m_entryItems;  // the item of each entry, by entry index
    bool m_bShowSizes = false;
    std::unique_ptr<CLogClearRun> m_clearing;  // the Clear or Clear all waiting for busy logs
    bool m_bClearingAll = false;
};
