#pragma once
// CWnd: a window object. One static window procedure finds the object of a window and calls
// its virtual WindowProc; each class handles its messages in one switch of named handlers
// (OnWndMsg). Notifications of child controls are offered to the child's own object first.

#include <windows.h>

#include <string>

#include "CmdTarget.h"
#include "FwApi.h"

class CFrameWnd;
struct CModuleState;

// A window class of the framework with these traits; registered once per process.
FWAPI const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                      HICON icon = nullptr);
// The window procedure of every framework window.
FWAPI LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A message box with the application's name as caption, owned by the active window.
FWAPI int AfxMessageBox(const char* text, UINT type = MB_OK);
FWAPI int AfxMessageBox(UINT stringId, UINT type = MB_OK);
// A string resource of the current module (or of the framework's defaults); empty if none.
FWAPI std::string AfxLoadString(UINT id);

class FWAPI CWnd : public CCmdTarget {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    HWND m_hWnd = nullptr;

    CWnd() = default;
    explicit CWnd(HWND attached) : m_hWnd(attached) {}  // a non-owning view of a window
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object attached to `hwnd` by creation or subclassing, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Creation. A null class name takes the framework's plain window class.
    virtual bool PreCreateWindow(CREATESTRUCTA& cs);
    bool CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int cx,
                  int cy, HWND parent, HMENU menuOrId, void* param = nullptr);
    // A child window; classes that wrap a control of their own (an ActiveX control) make it
    // here.
    virtual bool Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, void* param = nullptr);
    virtual bool DestroyWindow();

    // Attaching a window made elsewhere (a control of a dialog template) to this object.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Messages.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The default handling of the message being handled now.
    LRESULT Default();
    virtual bool PreTranslateMessage(MSG* msg);
    // A notification of this control's parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*,
    // WM_DRAWITEM, ...) offered to the control's own object; true when it handled it.
    virtual bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Offers `msg` to the objects of the window it is for and its parents, up to the
    // top-level window; true when one of them consumed it.
    static bool WalkPreTranslateTree(MSG* msg);
    void SendMessageToDescendants(UINT msg, WPARAM wParam, LPARAM lParam, bool deep = true);

    // Frames.
    virtual bool IsFrameWnd() const { return false; }
    virtual bool IsView() const { return false; }
    virtual bool IsSplitter() const { return false; }
    virtual bool IsControlBar() const { return false; }
    // The scroll bar control that stands in for this window's own bar (SB_VERT or SB_HORZ),
    // or null when the window scrolls with its own.
    virtual HWND GetScrollBarCtrl(int bar) const { return (void)bar, nullptr; }
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;

    // Thin wrappers.
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    bool EnableWindow(bool enable = true) { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    bool ShowWindow(int show) { return ::ShowWindow(m_hWnd, show) != FALSE; }
    void MoveWindow(int x, int y, int cx, int cy, bool repaint = true) { ::MoveWindow(m_hWnd, x, y, cx, cy, repaint); }
    void MoveWindow(const RECT& r, bool repaint = true)
    {
        MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
    }
    bool SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags) != FALSE;
    }
    void GetClientRect(RECT* r) const { ::GetClientRect(m_hWnd, r); }
    void GetWindowRect(RECT* r) const { ::GetWindowRect(m_hWnd, r); }
    void ScreenToClient(RECT* r) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(r), 2); }
    void ClientToScreen(RECT* r) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(r), 2); }
    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    std::string GetWindowText() const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    std::string GetDlgItemText(int id) const;
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, msg, wParam, lParam);
    }
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, msg, wParam, lParam) != FALSE;
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT ms) { return ::SetTimer(m_hWnd, id, ms, nullptr); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    void SetFont(HFONT font, bool redraw = true) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    void DragAcceptFiles(bool accept = true);
    void CenterWindow(HWND alternateOwner = nullptr);
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    bool IsZoomed() const { return ::IsZoomed(m_hWnd) != FALSE; }
    void SetRedraw(bool redraw = true) { SendMessage(WM_SETREDRAW, redraw); }

protected:
    // Called once the window is gone; frames and views delete themselves here.
    virtual void PostNcDestroy();
    // Called when a window made elsewhere is attached (SubclassWindow), before its messages
    // reach this object: controls adjust their styles and make their helpers here.
    virtual void PreSubclassWindow();

    // Named handlers of the common messages; each default runs the default handling.
    virtual int OnCreate(CREATESTRUCTA* cs);
    virtual void OnDestroy();
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(HDC dc);
    virtual void OnClose();
    virtual void OnTimer(UINT_PTR id);
    virtual void OnSetFocus(HWND oldFocus);
    // A command or control notification; FALSE lets the default handling run.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg);
    virtual void OnDrawItem(int id, DRAWITEMSTRUCT* item);
    virtual void OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu);
    virtual void OnDropFiles(HDROP drop);

    WNDPROC m_pfnSuper = nullptr;  // the window's own procedure when subclassed
    // The module whose code made the window: its messages are handled in that module's
    // state, whichever module's loop dispatched them.
    CModuleState* m_pModuleState = nullptr;

private:
    friend class CWndAccess;  // the window procedure and the creation hook
    static void ForgetWindowObject(HWND hwnd);
    void Attach(HWND hwnd);
    void HookWindowProc();
    void AfterNcDestroy();
    static bool ReflectToChild(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool m_bOwnsWindow = false;  // created by this object, so destroyed with it
};
