#include "CommonControls.h"
#include "Controls.h"
#include "ImageList.h"
#include "ModuleState.h"

bool AfxCreateControl(CWnd& control, const char* className, const char* text, DWORD style, const RECT& rect,
                      CWnd* parent, UINT id, DWORD exStyle)
{
    return control.CreateEx(exStyle, className, text, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

std::string CComboBox::GetLBText(int index) const
{
    LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width)
{
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM | (width >= 0 ? LVCF_WIDTH : 0);
    info.fmt = format;
    info.cx = width;
    info.pszText = const_cast<char*>(heading);
    info.iSubItem = column;
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::InsertItem(int index, const char* text, int image)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int index, int subItem, const char* text)
{
    LVITEMA item{};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    return SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string CListCtrl::GetItemText(int index, int subItem) const
{
    char text[1024] = {};
    LVITEMA item{};
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    LRESULT length = SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

bool CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<DWORD_PTR>(item.lParam);
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after,
                                LPARAM data)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::string CTreeCtrl::GetItemText(HTREEITEM handle) const
{
    char text[1024] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = handle;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

bool CTreeCtrl::SetItemText(HTREEITEM handle, const char* text)
{
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = handle;
    item.pszText = const_cast<char*>(text);
    return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM handle) const
{
    TVITEMA item{};
    item.mask = TVIF_PARAM;
    item.hItem = handle;
    SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

bool CTreeCtrl::SetItemData(HTREEITEM handle, LPARAM data)
{
    TVITEMA item{};
    item.mask = TVIF_PARAM;
    item.hItem = handle;
    item.lParam = data;
    return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CTreeCtrl::SetItemImage(HTREEITEM handle, int image, int selectedImage)
{
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = handle;
    item.iImage = image;
    item.iSelectedImage = selectedImage;
    return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CToolTipCtrl::Create(CWnd* owner, DWORD style)
{
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | style, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner ? owner->m_hWnd : nullptr, nullptr))
        return false;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

namespace {
TOOLINFOA ToolInfo(HWND owner, UINT flags, UINT_PTR id, const char* text)
{
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = flags;
    info.hwnd = owner;
    info.uId = id;
    info.lpszText = const_cast<char*>(text);
    return info;
}
}  // namespace

bool CToolTipCtrl::AddTool(HWND tool, const char* text)
{
    TOOLINFOA info = ToolInfo(::GetParent(tool), TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(tool), text);
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

bool CToolTipCtrl::AddTool(HWND window, UINT_PTR id, const RECT& rect, const char* text, UINT flags)
{
    TOOLINFOA info = ToolInfo(window, flags, id, text);
    info.rect = rect;
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolTipCtrl::DelTool(HWND tool)
{
    TOOLINFOA info = ToolInfo(::GetParent(tool), TTF_IDISHWND, reinterpret_cast<UINT_PTR>(tool), nullptr);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(const char* text, HWND window, UINT_PTR id)
{
    TOOLINFOA info = ToolInfo(window ? window : nullptr, 0, id, text);
    if (id == 0 && window) {
        info.hwnd = ::GetParent(window);
        info.uId = reinterpret_cast<UINT_PTR>(window);
        info.uFlags = TTF_IDISHWND;
    }
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

bool CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

bool CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF transparent)
{
    DeleteImageList();
    m_hImageList = ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(bitmapId), cx, grow, transparent,
                                        IMAGE_BITMAP, LR_CREATEDIBSECTION);
    return m_hImageList != nullptr;
}

int CImageList::Add(HBITMAP bitmap, COLORREF transparent)
{
    return ImageList_AddMasked(m_hImageList, bitmap, transparent);
}

bool CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return false;
    ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return true;
}
