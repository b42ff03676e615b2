#pragma once
// CControlBar: a bar along an edge of a frame (toolbar, rebar, status bar). The frame lays
// its bars out in order, each taking its strip from the remaining client area; the rest
// goes to the view or the MDI client. Docking bars later take part the same way.

#include <windows.h>

#include "FwApi.h"
#include "Wnd.h"

// Alignment and border bits of a bar's style.
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_TOOLTIPS       0x0010L
#define CBRS_FLYBY          0x0020L
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_SIZE_DYNAMIC   0x0080L
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_FIXED     0x0004L
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

class CFrameWnd;

class FWAPI CControlBar : public CWnd {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    CControlBar() = default;
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD style) { m_dwStyle = style; }
    bool IsVisible() const { return m_hWnd && IsWindowVisible(); }

    // Takes the bar's strip from `remaining` (client coordinates of the frame) and moves the
    // bar there; a hidden bar takes nothing.
    virtual void Layout(RECT& remaining, HDWP& positions);
    // The bar's height (top or bottom) or width (left or right) for the given extent.
    virtual SIZE CalcFixedLayout(bool stretch, bool horizontal);
    // Updates the states of the bar's commands through the frame's routing.
    virtual void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler);
    // A bar that holds other bars (a rebar) shows or hides one of them; false if not held.
    virtual bool ShowChildBar(CControlBar* child, bool show);
    bool IsControlBar() const override { return true; }

    CFrameWnd* m_pDockSite = nullptr;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Attaches the bar to its frame's layout; call once the window exists.
    void JoinFrame(CWnd* parent);
    CFrameWnd* DockSite() const;
    void OnDestroy() override;

    DWORD m_dwStyle = 0;  // CBRS_ bits
};
