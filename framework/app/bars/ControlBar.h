#pragma once
// CControlBar: a bar along an edge of a frame (toolbar, rebar, status bar). The frame lays
// its bars out in order, each taking its strip from the remaining client area; the rest
// goes to the view or the MDI client. A bar that allows docking moves between the frame's
// dock bars (one per side) and floating frames of its own.

#include <windows.h>

#include <memory>

#include "DockContext.h"
#include "FwApi.h"
#include "Wnd.h"

// Alignment and border bits of a bar's style.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_SIZE_DYNAMIC 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_FIXED 0x0004L
#define CBRS_FLOATING 0x0001L
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Modes of CalcDynamicLayout.
#define LM_STRETCH 0x01   // stretch to the frame's width or height
#define LM_HORZ 0x02      // horizontal rather than vertical
#define LM_MRUWIDTH 0x04  // the most recently used width
#define LM_HORZDOCK 0x08  // the size docked at the top or bottom
#define LM_VERTDOCK 0x10  // the size docked at the left or right
#define LM_LENGTHY 0x20   // the length is a height, not a width
#define LM_COMMIT 0x40    // remember the length as the most recently used width

class CDockBar;
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
    // The size the bar takes for a length and LM_ modes: docked, floating, or while its
    // floating frame is sized. The default answers the fixed layout.
    virtual SIZE CalcDynamicLayout(int length, DWORD mode);
    // Updates the states of the bar's commands through the frame's routing.
    virtual void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler);
    // A bar that holds other bars (a rebar) shows or hides one of them; false if not held.
    virtual bool ShowChildBar(CControlBar* child, bool show);
    bool IsControlBar() const override { return true; }

    // Lets the bar dock on the sides named by CBRS_ALIGN_ bits (0: it stays where it is) and
    // float; dragging and toggling go through its dock context.
    void EnableDocking(DWORD alignStyle);
    bool IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    // The frame that lays the bar out: its own frame, or the floating frame that holds it.
    CFrameWnd* GetBarFrame() const;

    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;  // the dock bar that holds the bar, if any
    std::unique_ptr<CDockContext> m_pDockContext;
    DWORD m_dwDockStyle = 0;  // the sides the bar may dock on

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Attaches the bar to its frame's layout; call once the window exists.
    void JoinFrame(CWnd* parent);
    CFrameWnd* DockSite() const;
    void OnDestroy() override;

    DWORD m_dwStyle = 0;  // CBRS_ bits
};
