#pragma once
// IPageFrame: what a page needs of the dialog that shows it (the Options dialog): marking the
// page changed, the frame's tooltip and keys, and the frame's window.

#include <windows.h>

#include "CommonControls.h"

class IPageFrame {
public:
    virtual void SetPageChanged(int index, BOOL changed) = 0;
    virtual CToolTipCtrl& FrameToolTip() = 0;
    virtual bool ToolTipsMade() const = 0;
    virtual HACCEL GetAccelerators() const = 0;
    virtual HWND FrameWindow() const = 0;

protected:
    ~IPageFrame() = default;
};
