#pragma once
// CMiniDockFrameWnd: the small captioned window a floating control bar sits in. It is owned
// by the bar's frame, sizes itself round the bar, asks the bar how to follow its edges and
// corners while the user sizes it, and hides the bar when its close box is pressed.

#include <windows.h>

#include "DockBar.h"
#include "FrameWnd.h"
#include "FwApi.h"

// Styles of a floating frame, in the low word of its window style.
#define MFS_4THICKFRAME 0x00000200L  // sized at the four sides only, not at the corners

class FWAPI CMiniDockFrameWnd : public CFrameWnd {
public:
    CMiniDockFrameWnd();

    // A hidden floating frame owned by `dockSite`, its top-left corner at `topLeft`.
    bool Create(CFrameWnd* dockSite, POINT topLeft, bool sizable);
    // Gives the frame the size its bar asks for, keeping its top-left corner.
    void FitToBar();
    CControlBar* Bar() const;
    void RecalcLayout(bool notify = true) override;

    CDockBar m_wndDockBar;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnClose() override;

private:
    LRESULT OnNcHitTest(LPARAM lParam);
    void OnSizing(UINT edge, RECT* proposed);
    void OnExitSizeMove();
    SIZE NonClientSize() const;
};
