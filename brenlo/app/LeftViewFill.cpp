// The fill of the tree pane: the model works out the items, and the tree control is given
// exactly them, in display order.
#include "LeftView.h"

#include "LauncherLists.h"
#include "LogViewerApp.h"
#include "WinLogFileFacts.h"

void CLeftView::Fill()
{
    SetRedraw(false);
    GetTreeCtrl().DeleteAllItems();
    CWinLogFileFacts facts;
    m_model.Fill(CLogListView(CurrentLogList()), facts, m_bShowSizes);
    m_entryItems.assign(m_model.Entries().size(), nullptr);
    // The whole top level first, then the groups' children: the control checks a new item's
    // parent by searching its items from the oldest, so parents made first are found at once.
    std::vector<HTREEITEM> topItems;
    topItems.reserve(m_model.Items().size());
    for (const LogTreeNode& node : m_model.Items())
        topItems.push_back(InsertNode(node, TVI_ROOT));
    for (std::size_t i = 0; i < topItems.size(); ++i)
        for (const LogTreeNode& child : m_model.Items()[i].children)
            InsertNode(child, topItems[i]);
    SetRedraw(true);
    Invalidate();
    TellOmitted();
}

HTREEITEM CLeftView::InsertNode(const LogTreeNode& node, HTREEITEM parent)
{
    HTREEITEM item = GetTreeCtrl().InsertItem(node.label.c_str(), node.image, node.image, parent, TVI_LAST,
                                              static_cast<LPARAM>(node.data));
    if (item && !node.IsGroup() && node.data < m_entryItems.size())
        m_entryItems[node.data] = item;
    return item;
}
