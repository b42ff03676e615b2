#pragma once
// CSizingBar: a control bar that docks on any side of its frame or floats, is sized by
// dragging its 6-pixel edge, draws a gripper with close and dock buttons, hosts one child
// window that fills it, and keeps its sizes, side and place in the settings.

#include <windows.h>

#include <string>

#include "ControlBar.h"
#include "SizingBarLayout.h"

class CDialog;

class CSizingBar : public CControlBar {
public:
    CSizingBar();

    SIZE CalcFixedLayout(bool stretch, bool horizontal) override;
    SIZE CalcDynamicLayout(int length, DWORD mode) override;
    void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;

    // The bar alone, where the settings last had it (the bottom at first).
    virtual bool Create(CFrameWnd* parent, const char* title);
    // The bar hosting `child`: a window that exists is taken in, one that does not is made
    // (identifier 1025); a child that cannot be made takes the bar with it.
    virtual bool Create(CFrameWnd* parent, CWnd* child, const char* title);
    // The bar hosting a modeless dialog made from `templateId`.
    virtual bool Create(CFrameWnd* parent, CDialog* dialog, UINT templateId, const char* title);

    COLORREF m_crHilite;
    COLORREF m_crShadow;
    SIZE m_szMin{32, 32};
    SIZE m_szHorz{200, 200};
    SIZE m_szVert{200, 200};
    SIZE m_szFloat{200, 200};
    RECT m_rcEdge{};
    RECT m_rcTracker{};
    UINT m_nDockBarID = 0;
    POINT m_ptOld{};
    BOOL m_bTracking = FALSE;
    BOOL m_bInRecalc = FALSE;
    int m_cxEdge = 6;
    RECT m_rcDockBtn{};
    RECT m_rcCloseBtn{};
    RECT m_rcGripper{};
    int m_cxGripper = 15;
    int m_cxBorder = 3;
    CWnd* m_pChild = nullptr;
    std::string m_strSection;
    std::string m_strEntry;
    int m_cyBorderFloat = 3;
    int m_cxMinFloat;
    int m_cyMinFloat;
    int m_cyCaption;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnDestroy() override;

private:
    // The side the bar is docked at now; null when it floats or is not docked yet.
    UINT CurrentDockBarId() const;
    bool IsHorizontalSide(UINT dockBarId) const;
    sizingbar::BarState ReadState() const;
    void StoreState();
    void LayoutNonClient(RECT& window);
    void SizeChildToClient();
    void LayoutGripper(int cx, int cy);
    void DrawTracker();

    LRESULT OnNcCalcSize(NCCALCSIZE_PARAMS* params);
    void OnNcPaint();
    LRESULT OnNcHitTest(POINT screen);
    BOOL OnSetCursor(UINT hit);
    void OnNcLButtonDown(UINT hit, POINT screen);
    void OnNcLButtonDblClk(UINT hit);
    void OnLButtonDown(POINT client);
    void OnLButtonDblClk();
    void OnMouseMove();
    void OnLButtonUp();
    void OnCaptureChanged(HWND gaining);
    void OnWindowPosChanged(const WINDOWPOS* pos);
    void StartTracking();
    void StopTracking();
};
