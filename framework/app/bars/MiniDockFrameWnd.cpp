#include "MiniDockFrameWnd.h"

#include <windowsx.h>

#include "DockContext.h"
#include "FwIds.h"
#include "FwMessages.h"
#include "ModuleCalls.h"

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(true) {}

bool CMiniDockFrameWnd::Create(CFrameWnd* dockSite, POINT topLeft, bool sizable)
{
    const DWORD style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | MFS_4THICKFRAME | (sizable ? WS_THICKFRAME : WS_BORDER);
    const char* cls =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(WS_EX_TOOLWINDOW, cls, "", style, topLeft.x, topLeft.y, 100, 100, dockSite->m_hWnd, nullptr))
        return false;
    return m_wndDockBar.Create(this, 0, AFX_IDW_DOCKBAR_FLOAT);
}

CControlBar* CMiniDockFrameWnd::Bar() const
{
    return m_wndDockBar.Bars().empty() ? nullptr : m_wndDockBar.Bars().front();
}

SIZE CMiniDockFrameWnd::NonClientSize() const
{
    RECT window;
    RECT client;
    GetWindowRect(&window);
    GetClientRect(&client);
    return SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
}

void CMiniDockFrameWnd::FitToBar()
{
    if (!m_wndDockBar.m_hWnd)
        return;
    SIZE size = m_wndDockBar.CalcFixedLayout(false, true);
    SIZE frame = NonClientSize();
    SetWindowPos(nullptr, 0, 0, size.cx + frame.cx, size.cy + frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    AfxGuarded(this)->RecalcLayout(true);
}

void CMiniDockFrameWnd::RecalcLayout(bool)
{
    if (!m_wndDockBar.m_hWnd)
        return;
    RECT client;
    GetClientRect(&client);
    m_wndDockBar.SetWindowPos(nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndDockBar.ArrangeBars(client.right, client.bottom);
}

void CMiniDockFrameWnd::OnClose()
{
    if (CControlBar* bar = Bar(); bar && bar->m_pDockSite)
        bar->m_pDockSite->ShowControlBar(bar, false);
    else
        ShowWindow(SW_HIDE);
}

LRESULT CMiniDockFrameWnd::OnNcHitTest(LPARAM lParam)
{
    LRESULT hit = AfxGuarded(this)->DefWindowProc(WM_NCHITTEST, 0, lParam);
    if (GetStyle() & MFS_4THICKFRAME) {
        switch (hit) {
            case HTTOPLEFT:
            case HTTOPRIGHT:
                return HTTOP;
            case HTBOTTOMLEFT:
            case HTBOTTOMRIGHT:
                return HTBOTTOM;
            default:
                break;
        }
    }
    return hit;
}

// The bar decides the size: a side gives it a width or a height, a corner lets it follow
// the cursor and say where the frame's corner goes.
void CMiniDockFrameWnd::OnSizing(UINT edge, RECT* proposed)
{
    CControlBar* bar = Bar();
    if (!bar)
        return;
    CDockContext* context = bar->m_pDockContext.get();
    const SIZE frame = NonClientSize();
    RECT current;
    GetWindowRect(&current);
    POINT topLeft{current.left, current.top};
    SIZE size;
    int corner = HTNOWHERE;
    switch (edge) {
        case WMSZ_TOPLEFT:
            corner = HTTOPLEFT;
            break;
        case WMSZ_TOPRIGHT:
            corner = HTTOPRIGHT;
            break;
        case WMSZ_BOTTOMLEFT:
            corner = HTBOTTOMLEFT;
            break;
        case WMSZ_BOTTOMRIGHT:
            corner = HTBOTTOMRIGHT;
            break;
        default:
            break;
    }
    if (corner != HTNOWHERE && context) {
        context->m_nHitTest = corner;
        size = AfxGuarded(bar)->CalcDynamicLayout(0, LM_HORZ);
        if (corner == HTTOPLEFT || corner == HTBOTTOMLEFT)
            topLeft.x = context->m_ptMRUFloatPos.x;
        if (corner == HTTOPLEFT || corner == HTTOPRIGHT)
            topLeft.y = context->m_ptMRUFloatPos.y;
    } else if (edge == WMSZ_LEFT || edge == WMSZ_RIGHT) {
        size = AfxGuarded(bar)->CalcDynamicLayout(proposed->right - proposed->left - frame.cx, LM_HORZ);
        if (edge == WMSZ_LEFT)
            topLeft.x = current.right - (size.cx + frame.cx);
    } else {
        size = AfxGuarded(bar)->CalcDynamicLayout(proposed->bottom - proposed->top - frame.cy, LM_HORZ | LM_LENGTHY);
        if (edge == WMSZ_TOP)
            topLeft.y = current.bottom - (size.cy + frame.cy);
    }
    *proposed = {topLeft.x, topLeft.y, topLeft.x + size.cx + frame.cx, topLeft.y + size.cy + frame.cy};
}

void CMiniDockFrameWnd::OnExitSizeMove()
{
    CControlBar* bar = Bar();
    if (!bar)
        return;
    RECT window;
    GetWindowRect(&window);
    if (CDockContext* context = bar->m_pDockContext.get()) {
        context->m_nHitTest = HTNOWHERE;
        context->m_ptMRUFloatPos = {window.left, window.top};
    }
    RECT client;
    GetClientRect(&client);
    AfxGuarded(bar)->CalcDynamicLayout(client.right, LM_HORZ | LM_COMMIT);
    AfxGuarded(this)->RecalcLayout(true);
}

bool CMiniDockFrameWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_FLOATINGFRAMEEMPTY:
            if (!Bar())
                AfxGuarded(this)->DestroyWindow();
            *result = 0;
            return true;
        case WM_NCHITTEST:
            *result = OnNcHitTest(lParam);
            return true;
        case WM_SIZING:
            OnSizing(static_cast<UINT>(wParam), reinterpret_cast<RECT*>(lParam));
            *result = TRUE;
            return true;
        case WM_EXITSIZEMOVE:
            OnExitSizeMove();
            *result = 0;
            return true;
        // The caption moves the bar the way the bar's own gripper does: onto a side or
        // elsewhere; a double click docks it again.
        case WM_NCLBUTTONDOWN:
            if (wParam == HTCAPTION) {
                CControlBar* bar = Bar();
                if (bar && bar->m_pDockContext) {
                    ::SetActiveWindow(m_hWnd);
                    bar->m_pDockContext->StartDrag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                    *result = 0;
                    return true;
                }
            }
            return CFrameWnd::OnWndMsg(msg, wParam, lParam, result);
        case WM_NCLBUTTONDBLCLK:
            if (wParam == HTCAPTION) {
                CControlBar* bar = Bar();
                if (bar && bar->m_pDockContext) {
                    bar->m_pDockContext->ToggleDocking();
                    *result = 0;
                    return true;
                }
            }
            return CFrameWnd::OnWndMsg(msg, wParam, lParam, result);
        default:
            return CFrameWnd::OnWndMsg(msg, wParam, lParam, result);
    }
}
