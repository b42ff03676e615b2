#pragma once
// CChildFrame: the window of one document view inside the main frame, split on demand into
// up to two rows and two columns of views of the same document.

#include "MDIFrameWnd.h"
#include "SplitterWnd.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    CSplitterWnd m_wndSplitter;

protected:
    bool OnCreateClient(CREATESTRUCTA* cs, CCreateContext* context) override;
};
