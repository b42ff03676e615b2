#include "ChildFrm.h"

IMPLEMENT_DYNCREATE(CChildFrame)

bool CChildFrame::OnCreateClient(CREATESTRUCTA*, CCreateContext* context)
{
    return m_wndSplitter.Create(this, 2, 2, SIZE{10, 10}, context, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
}
