#include "View.h"

#include "Document.h"
#include "FrameWnd.h"
#include "FwMessages.h"
#include "Gdi.h"
#include "ModuleCalls.h"
#include "PreviewWnd.h"
#include "PrintInfo.h"
#include "SplitterWnd.h"

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

HWND CView::GetScrollBarCtrl(int bar) const
{
    CWnd* parent = FromHandlePermanent(::GetParent(m_hWnd));
    if (parent && AfxGuarded(parent)->IsSplitter())
        return static_cast<CSplitterWnd*>(parent)->SharedScrollBar(this, bar);
    return CWnd::GetScrollBarCtrl(bar);
}

bool CView::OnCmdMsg(UINT id, UINT code, CCmdUI* ui)
{
    if (CWnd::OnCmdMsg(id, code, ui))
        return true;
    return m_pDocument && AfxGuarded(m_pDocument)->OnCmdMsg(id, code, ui);
}

bool CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    cs.style |= WS_CLIPSIBLINGS;
    return true;
}

int CView::OnCreate(CREATESTRUCTA* cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

bool CView::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_INITIALUPDATE:
            AfxGuarded(this)->OnInitialUpdate();
            return true;
        case WM_MOUSEACTIVATE: {
            *result = Default();
            if (*result == MA_NOACTIVATE || *result == MA_NOACTIVATEANDEAT)
                return true;
            if (CFrameWnd* frame = GetParentFrame())
                AfxGuarded(frame)->SetActiveView(this, true);
            return true;
        }
        default:
            return CWnd::OnWndMsg(msg, wParam, lParam, result);
    }
}

void CView::OnPaint()
{
    CPaintDC dc(m_hWnd);
    AfxGuarded(this)->OnPrepareDC(&dc, nullptr);
    AfxGuarded(this)->OnDraw(&dc);
}

void CView::OnDestroy()
{
    if (m_pPreviewWnd)
        m_pPreviewWnd->OnViewGone();
    if (CFrameWnd* frame = GetParentFrame()) {
        if (AfxGuarded(frame)->GetActiveView() == this)
            AfxGuarded(frame)->SetActiveView(nullptr, false);
    }
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnInitialUpdate()
{
    AfxGuarded(this)->OnUpdate(nullptr, 0);
}

void CView::OnUpdate(CView*, LPARAM)
{
    Invalidate();
}

void CView::OnDraw(CDC*) {}

void CView::OnActivateView(bool activate, CView* activated, CView*)
{
    if (activate && activated == this && ::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus()))
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

bool CView::OnPreparePrinting(CPrintInfo*)
{
    return true;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    if (info)
        dc->m_bPrinting = true;
}

void CView::OnPrint(CDC* dc, CPrintInfo*)
{
    AfxGuarded(this)->OnDraw(dc);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
