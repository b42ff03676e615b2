#include "LeftView.h"

#include "FrameWnd.h"
#include "LauncherLists.h"
#include "LogClearing.h"
#include "LogViewerApp.h"
#include "SettingsSchema.h"
#include "WinLogFileFacts.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CLeftView)

namespace {
constexpr int kImageSize = 16;
constexpr int kImageGrowStep = 8;
constexpr COLORREF kTransparent = RGB(0, 255, 0);
}  // namespace

CLeftView::CLeftView() = default;

// Out of line: the clearing run is complete only here.
CLeftView::~CLeftView() = default;

bool CLeftView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |=
        TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS | TVS_SINGLEEXPAND;
    return CTreeView::PreCreateWindow(cs);
}

int CLeftView::OnCreate(CREATESTRUCTA* cs)
{
    if (CTreeView::OnCreate(cs) == -1)
        return -1;
    m_model.SetLeadBytes(AnsiLeadBytes());
    if (m_images.Create(IDB_LOG_TREE, kImageSize, kImageGrowStep, kTransparent))
        GetTreeCtrl().SetImageList(m_images, TVSIL_NORMAL);
    m_bShowSizes =
        LogViewerApp().GetProfileInt(settings::kSection, settings::kShowSize, settings::kShowSizeDefault) != 0;
    Fill();
    m_model.SetCurrentIndex(-1);
    return 0;
}

void CLeftView::OnDestroy()
{
    LogViewerApp().WriteProfileInt(settings::kSection, settings::kShowSize, m_bShowSizes ? 1 : 0);
    CTreeView::OnDestroy();
}

void CLeftView::TellOmitted()
{
    // Item data tells only so many files apart; the rest of the list is left out, and the
    // status bar says so (once the frame has one).
    if (m_model.Omitted() <= 0)
        return;
    std::string format = AfxLoadString(IDS_TOO_MANY_LOGS);
    char text[256];
    wsprintfA(text, format.c_str(), kMaxFileItems, m_model.Omitted());
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetMessageText(text);
}

bool CLeftView::HasItems()
{
    return GetTreeCtrl().GetCount() > 0;
}

void CLeftView::ToggleShowSizes()
{
    if (IsClearing())
        return;
    m_bShowSizes = !m_bShowSizes;
    Fill();
}

bool CLeftView::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg != WM_NOTIFY)
        return CTreeView::OnChildNotify(msg, wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
        case TVN_ITEMEXPANDEDA:
        case TVN_ITEMEXPANDEDW:
            OnItemExpanded(*reinterpret_cast<const NMTREEVIEWA*>(lParam));
            *result = 0;
            return true;
        case NM_DBLCLK:
            // 0 lets the tree expand or collapse a group as well.
            OnOpenSelected();
            *result = 0;
            return true;
        default:
            return CTreeView::OnChildNotify(msg, wParam, lParam, result);
    }
}

bool CLeftView::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_CONTEXTMENU) {
        *result = 0;  // the tree has no menu of its own
        return true;
    }
    return CTreeView::OnWndMsg(msg, wParam, lParam, result);
}

void CLeftView::OnItemExpanded(const NMTREEVIEWA& change)
{
    if ((change.itemNew.lParam & kGroupItemData) == 0)
        return;
    UINT state =
        static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(change.itemNew.hItem), TVIS_EXPANDED));
    int image = GroupImage((state & TVIS_EXPANDED) != 0);
    GetTreeCtrl().SetItemImage(change.itemNew.hItem, image, image);
}

bool CLeftView::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_LOG_OPEN:
            OnOpenSelected();
            return true;
        case ID_LOG_CLEAR:
            OnClear();
            return true;
        default:
            return CTreeView::HandleCommand(id, code);
    }
}

bool CLeftView::UpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
        case ID_LOG_CLEAR: {
            std::uint32_t data = 0;
            ui.Enable(!IsClearing() && SelectedFileData(data) && m_model.CanClear(data));
            return true;
        }
        case ID_LOG_OPEN:
            ui.Enable(true);
            return true;
        case ID_VIEW_LOG_SIZE:
            ui.SetCheck(m_bShowSizes ? 1 : 0);
            return true;
        default:
            return CTreeView::UpdateCommand(ui);
    }
}

bool CLeftView::SelectedFileData(std::uint32_t& data)
{
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM selected = tree.GetSelectedItem();
    if (!selected || tree.ItemHasChildren(selected))
        return false;
    data = static_cast<std::uint32_t>(tree.GetItemData(selected));
    return (data & kGroupItemData) == 0;
}

void CLeftView::OnOpenSelected()
{
    std::uint32_t data = 0;
    if (!SelectedFileData(data))
        return;
    const LogEntry* entry = m_model.EntryOf(data);
    if (!entry)
        return;
    if (!entry->exists) {
        std::string text = AfxLoadString(IDS_FILE_MISSING);
        ::MessageBoxA(GetTopLevelFrame() ? GetTopLevelFrame()->m_hWnd : m_hWnd, text.c_str(), AfxGetAppName(), MB_OK);
        return;
    }
    std::string path = entry->path;
    LogViewerApp().OpenDocumentFile(path.c_str());
    m_model.SetCurrentIndex(static_cast<int>(data));
}
