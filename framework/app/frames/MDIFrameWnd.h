#pragma once
// The multi-document frame and its child frames. The main frame owns the MDI client and the
// menu without documents; a child frame shows one view of a document and brings its
// template's document menu and accelerators while it is active. The Window menu lists the
// children and offers New Window, Cascade, Tile and Arrange Icons.

#include <windows.h>

#include "FrameWnd.h"
#include "FwApi.h"

class CMDIChildWnd;

class FWAPI CMDIFrameWnd : public CFrameWnd {
public:
    HWND m_hWndMDIClient = nullptr;

    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(HWND child)
    {
        ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    }
    void MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
    void MDITile(UINT how = MDITILE_HORIZONTAL) { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, how, 0); }
    void MDIIconArrange() { ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
    void MDINext() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }

    CView* GetActiveView() const override;
    CFrameWnd* GetActiveFrame() override;
    bool OnCmdMsg(UINT id, UINT code, CCmdUI* ui) override;
    bool PreTranslateMessage(MSG* msg) override;
    // Shows the active child's document menu, or the frame's own when no child is open.
    void OnUpdateFrameMenu(HMENU alternate) override;
    void OnUpdateFrameTitle(bool addToTitle) override;
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The popup of `menu` that holds the Window commands, where the child list goes.
    static HMENU FindWindowMenu(HMENU menu);

protected:
    bool OnCreateClient(CREATESTRUCTA* cs, CCreateContext* context) override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;
    void OnIdleUpdateCmdUI() override;
    void OnDestroy() override;
    HWND LayoutPane() const override { return m_hWndMDIClient; }

    void OnWindowNew();
};

class FWAPI CMDIChildWnd : public CFrameWnd {
public:
    // Creates the child inside the application's main MDI frame (or `parent`'s).
    bool LoadFrame(UINT idResource, DWORD style = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
    void ActivateFrame(int show = -1) override;
    void OnUpdateFrameTitle(bool addToTitle) override;
    bool PreTranslateMessage(MSG* msg) override;
    bool DestroyWindow() override;
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    HMENU m_hMenuShared = nullptr;  // the template's document menu, not owned
    HACCEL m_hAccelShared = nullptr;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSetFocus(HWND oldFocus) override;
    void OnDestroy() override;
};
