#include "ControlBar.h"

#include "DockBar.h"
#include "DockContext.h"
#include "FrameWnd.h"
#include "FwMessages.h"
#include "ModuleCalls.h"

CControlBar::~CControlBar()
{
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
}

void CControlBar::EnableDocking(DWORD alignStyle)
{
    m_dwDockStyle = alignStyle & CBRS_ALIGN_ANY;
    if (!m_pDockContext)
        m_pDockContext = std::make_unique<CDockContext>(this);
}

CFrameWnd* CControlBar::GetBarFrame() const
{
    if (m_pDockBar && m_pDockBar->m_bFloating)
        return m_pDockBar->GetParentFrame();
    return DockSite();
}

SIZE CControlBar::CalcDynamicLayout(int, DWORD mode)
{
    return AfxGuarded(this)->CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZ) != 0);
}

void CControlBar::JoinFrame(CWnd* parent)
{
    if (parent && AfxGuarded(parent)->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(parent);
        m_pDockSite->AddControlBar(this);
    }
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    if (m_pDockSite) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

SIZE CControlBar::CalcFixedLayout(bool, bool horizontal)
{
    RECT r;
    GetWindowRect(&r);
    return horizontal ? SIZE{32767, r.bottom - r.top} : SIZE{r.right - r.left, 32767};
}

CFrameWnd* CControlBar::DockSite() const
{
    return m_pDockSite ? m_pDockSite : GetParentFrame();
}

bool CControlBar::ShowChildBar(CControlBar*, bool)
{
    return false;
}

void CControlBar::Layout(RECT& remaining, HDWP& positions)
{
    // A bar inside another bar (a toolbar in a rebar) is placed by that bar.
    if (!IsVisible() || !m_pDockSite || GetParent() != m_pDockSite->m_hWnd)
        return;
    RECT place = remaining;
    if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) {
        SIZE size = AfxGuarded(this)->CalcFixedLayout(true, true);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            place.bottom = place.top + size.cy;
            remaining.top = place.bottom;
        } else {
            place.top = place.bottom - size.cy;
            remaining.bottom = place.top;
        }
    } else if (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) {
        SIZE size = AfxGuarded(this)->CalcFixedLayout(true, false);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            place.right = place.left + size.cx;
            remaining.left = place.right;
        } else {
            place.left = place.right - size.cx;
            remaining.right = place.left;
        }
    } else {
        return;
    }
    positions = ::DeferWindowPos(positions, m_hWnd, nullptr, place.left, place.top, place.right - place.left,
                                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, bool) {}

bool CControlBar::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_IDLEUPDATECMDUI:
            if (IsVisible()) {
                if (CFrameWnd* target = DockSite())
                    AfxGuarded(this)->OnUpdateCmdUI(target, wParam != 0);
            }
            *result = 0;
            return true;
        // Commands and notifications of a bar's children go to its frame, once the child's own
        // object has had them.
        case WM_COMMAND:
        case WM_NOTIFY: {
            HWND from = msg == WM_COMMAND ? reinterpret_cast<HWND>(lParam) : reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
            CWnd* child = FromHandlePermanent(from);
            if (child && child != this && AfxGuarded(child)->OnChildNotify(msg, wParam, lParam, result))
                return true;
            CFrameWnd* frame = DockSite();
            if (!frame)
                return false;
            *result = frame->SendMessage(msg, wParam, lParam);
            return true;
        }
        default:
            return CWnd::OnWndMsg(msg, wParam, lParam, result);
    }
}
