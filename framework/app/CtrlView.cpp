#include "CtrlView.h"

bool CCtrlView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszClass = m_strClass.c_str();
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnPaint()
{
    Default();
}

BOOL CCtrlView::OnEraseBkgnd(HDC)
{
    return static_cast<BOOL>(Default());
}

CTreeView::CTreeView() : CCtrlView(WC_TREEVIEWA, TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS) {}

CTreeView::~CTreeView()
{
    m_tree.m_hWnd = nullptr;
}

CTreeCtrl& CTreeView::GetTreeCtrl()
{
    m_tree.m_hWnd = m_hWnd;
    return m_tree;
}
