#pragma once
// CChildFrame: the window of one document view inside the main frame, split on demand into
// up to two rows and two columns of views of the same document; the views of a row share
// its vertical scroll bar, the views of a column its horizontal one.

#include "MDIFrameWnd.h"
#include "SplitterWnd.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    CSplitterWnd m_wndSplitter;

protected:
    bool OnCreateClient(CREATESTRUCTA* cs, CCreateContext* context) override;
};
