#pragma once
// Thin wrappers of the standard controls; each method sends the message it is named after.
// A wrapper either creates its control (and destroys it with itself) or is attached to a
// control of a dialog template (DDX_Control, SubclassDlgItem).

#include <windows.h>

#include <string>

#include "FwApi.h"
#include "Wnd.h"

// Creates a control of a system class as a child of `parent`.
FWAPI bool AfxCreateControl(CWnd& control, const char* className, const char* text, DWORD style, const RECT& rect,
                            CWnd* parent, UINT id, DWORD exStyle = 0);

// A static text, icon or picture.
class FWAPI CStatic : public CWnd {
public:
    bool Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF)
    {
        return AfxCreateControl(*this, "STATIC", text, style, rect, parent, id);
    }
    HICON SetIcon(HICON icon)
    {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
};

// A push button, check box or radio button.
class FWAPI CButton : public CWnd {
public:
    bool Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return AfxCreateControl(*this, "BUTTON", text, style, rect, parent, id);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(bool highlight) { SendMessage(BM_SETSTATE, highlight); }
    void SetButtonStyle(UINT style, bool redraw = true) { SendMessage(BM_SETSTYLE, style, redraw); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
};

// A single- or multi-line edit control.
class FWAPI CEdit : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return AfxCreateControl(*this, "EDIT", "", style, rect, parent, id, WS_EX_CLIENTEDGE);
    }
    void LimitText(int maximum = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maximum)); }
    void SetSel(int start, int end, bool noScroll = false)
    {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const
    {
        DWORD s = 0, e = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = static_cast<int>(s);
        end = static_cast<int>(e);
    }
    void ReplaceSel(const char* text, bool canUndo = false)
    {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    bool SetReadOnly(bool readOnly = true) { return SendMessage(EM_SETREADONLY, readOnly) != 0; }
    bool GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
    void SetModify(bool modified = true) { SendMessage(EM_SETMODIFY, modified); }
    bool Undo() { return SendMessage(EM_UNDO) != 0; }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
};

// A combo box with or without an edit field.
class FWAPI CComboBox : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return AfxCreateControl(*this, "COMBOBOX", "", style, rect, parent, id);
    }
    int AddString(const char* text)
    {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int InsertString(int index, const char* text)
    {
        return static_cast<int>(
            SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
    }
    int DeleteString(int index) { return static_cast<int>(SendMessage(CB_DELETESTRING, static_cast<WPARAM>(index))); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    std::string GetLBText(int index) const;
    int FindStringExact(int startAfter, const char* text) const
    {
        return static_cast<int>(
            SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
    }
    int SelectString(int startAfter, const char* text)
    {
        return static_cast<int>(
            SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
    }
    int SetItemData(int index, DWORD_PTR data)
    {
        return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
    }
    DWORD_PTR GetItemData(int index) const
    {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    void LimitText(int maximum) { SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(maximum)); }
    void ShowDropDown(bool show = true) { SendMessage(CB_SHOWDROPDOWN, show); }
};
