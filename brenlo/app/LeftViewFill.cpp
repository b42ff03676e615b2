// The fill of the tree pane: the model works out the items, and the tree control is given
// exactly them, in display order.
//
// Under Wine every message to a framework window looks its object up in the window's
// properties, which Wine answers through its server. A fill of tens of thousands of logs
// would spend most of its time there, so the fill talks to the tree control's own procedure
// directly, and the deletion notices of a rebuild (one per item, sent to the splitter) are
// answered before they reach the framework: the pane keeps nothing per item to free.
#include "LeftView.h"

#include "LauncherLists.h"
#include "LogViewerApp.h"
#include "WinLogFileFacts.h"

namespace {

// While it lives, the tree's deletion notices are answered at the tree's parent window
// without the framework; every other message goes on to the parent's procedure.
class CQuietDeletion {
public:
    CQuietDeletion(HWND tree) : m_parent(::GetParent(tree))
    {
        s_tree = tree;
        s_parentProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(m_parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ParentProc)));
    }
    ~CQuietDeletion()
    {
        if (s_parentProc)
            ::SetWindowLongPtrA(m_parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_parentProc));
        s_parentProc = nullptr;
        s_tree = nullptr;
    }
    CQuietDeletion(const CQuietDeletion&) = delete;
    CQuietDeletion& operator=(const CQuietDeletion&) = delete;

private:
    static LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == s_tree && (header->code == TVN_DELETEITEMA || header->code == TVN_DELETEITEMW))
                return 0;
        }
        return ::CallWindowProcA(s_parentProc, wnd, msg, wParam, lParam);
    }

    // One fill runs at a time, on the pane's thread.
    static inline HWND s_tree = nullptr;
    static inline WNDPROC s_parentProc = nullptr;
    HWND m_parent;
};

}  // namespace

void CLeftView::Fill()
{
    SetRedraw(false);
    DeleteAllQuietly();
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

void CLeftView::DeleteAllQuietly()
{
    if (DefWindowProc(TVM_GETCOUNT, 0, 0) == 0)
        return;
    CQuietDeletion quiet(m_hWnd);
    DefWindowProc(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

HTREEITEM CLeftView::InsertNode(const LogTreeNode& node, HTREEITEM parent)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(node.label.c_str());
    insert.item.iImage = node.image;
    insert.item.iSelectedImage = node.image;
    insert.item.lParam = static_cast<LPARAM>(node.data);
    auto item = reinterpret_cast<HTREEITEM>(DefWindowProc(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item && !node.IsGroup() && node.data < m_entryItems.size())
        m_entryItems[node.data] = item;
    return item;
}
