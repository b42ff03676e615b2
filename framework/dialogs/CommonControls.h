#pragma once
// Thin wrappers of the common controls the tools use: list view, tree view, tooltip,
// hot-key and up-down controls. Each method sends the message it is named after.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "Controls.h"
#include "FwApi.h"

// A list view (report view with columns, as the tools use it).
class FWAPI CListCtrl : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return AfxCreateControl(*this, WC_LISTVIEWA, "", style, rect, parent, id, WS_EX_CLIENTEDGE);
    }
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1);
    int InsertItem(int index, const char* text, int image = -1);
    bool SetItemText(int index, int subItem, const char* text);
    std::string GetItemText(int index, int subItem) const;
    bool DeleteItem(int index) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int GetNextItem(int start, UINT flags) const
    {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags));
    }
    UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    bool SetItemState(int index, UINT state, UINT mask);
    UINT GetItemState(int index, UINT mask) const
    {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
    }
    bool SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    DWORD SetExtendedStyle(DWORD style)
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    // Without LVS_SHAREIMAGELISTS the list destroys `images` with itself: a list whose
    // images have an owner of their own needs that style.
    HIMAGELIST SetImageList(HIMAGELIST images, int which)
    {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images)));
    }
    bool SetColumnWidth(int column, int width)
    {
        return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width) != 0;
    }
    bool EnsureVisible(int index, bool partialOK)
    {
        return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOK) != 0;
    }
};

// A tree view.
class FWAPI CTreeCtrl : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return AfxCreateControl(*this, WC_TREEVIEWA, "", style, rect, parent, id, WS_EX_CLIENTEDGE);
    }
    HTREEITEM InsertItem(const char* text, int image = 0, int selectedImage = 0, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST, LPARAM data = 0);
    bool DeleteItem(HTREEITEM item) { return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    bool DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const
    {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    bool SelectItem(HTREEITEM item)
    {
        return SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
    }
    bool Expand(HTREEITEM item, UINT code)
    {
        return SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0;
    }
    bool EnsureVisible(HTREEITEM item)
    {
        return SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)) != 0;
    }
    UINT GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
    std::string GetItemText(HTREEITEM item) const;
    bool SetItemText(HTREEITEM item, const char* text);
    LPARAM GetItemData(HTREEITEM item) const;
    bool SetItemData(HTREEITEM item, LPARAM data);
    bool SetItemImage(HTREEITEM item, int image, int selectedImage);
    bool ItemHasChildren(HTREEITEM item) const { return GetChildItem(item) != nullptr; }
    HIMAGELIST SetImageList(HIMAGELIST images, int which = TVSIL_NORMAL)
    {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images)));
    }
};

// A tooltip control; tools are windows of its owner, their texts given or asked for.
class FWAPI CToolTipCtrl : public CWnd {
public:
    bool Create(CWnd* owner, DWORD style = 0);
    // Adds `tool` (a window) with `text`; LPSTR_TEXTCALLBACKA asks the owner for it.
    bool AddTool(HWND tool, const char* text);
    // Adds a rectangle of `window` as tool `id`. Without TTF_SUBCLASS in `flags` the owner
    // relays the mouse messages itself (RelayEvent).
    bool AddTool(HWND window, UINT_PTR id, const RECT& rect, const char* text, UINT flags = TTF_SUBCLASS);
    void DelTool(HWND tool);
    void UpdateTipText(const char* text, HWND window, UINT_PTR id = 0);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void Activate(bool activate) { SendMessage(TTM_ACTIVATE, activate); }
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
};

// A hot-key control: a virtual key with modifier flags (HOTKEYF_SHIFT, _CONTROL, _ALT).
class FWAPI CHotKeyCtrl : public CWnd {
public:
    void SetHotKey(WORD virtualKey, WORD modifiers) { SendMessage(HKM_SETHOTKEY, MAKEWORD(virtualKey, modifiers)); }
    void GetHotKey(WORD& virtualKey, WORD& modifiers) const
    {
        WORD key = LOWORD(SendMessage(HKM_GETHOTKEY));
        virtualKey = LOBYTE(key);
        modifiers = HIBYTE(key);
    }
    void SetRules(WORD invalid, WORD replacement) { SendMessage(HKM_SETRULES, invalid, MAKELPARAM(replacement, 0)); }
};

// An up-down control, usually with an edit control as its buddy.
class FWAPI CSpinButtonCtrl : public CWnd {
public:
    void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    void GetRange32(int& lower, int& upper) const
    {
        SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    }
    int SetPos32(int position) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, position)); }
    int GetPos32() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
    HWND SetBuddy(HWND buddy)
    {
        return reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)));
    }
    HWND GetBuddy() const { return reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)); }
};
