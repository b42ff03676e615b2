#include "SizingBar.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "Dialog.h"
#include "DockBar.h"
#include "FrameWnd.h"
#include "FwIds.h"
#include "FwMessages.h"
#include "Gdi.h"
#include "MiniDockFrameWnd.h"
#include "SettingsSchema.h"
#include "WinApp.h"

namespace {
constexpr UINT kChildId = 1025;
constexpr DWORD kBarStyles = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

sizingbar::Side SideOf(UINT dockBarId)
{
    switch (dockBarId) {
        case AFX_IDW_DOCKBAR_TOP:
            return sizingbar::Side::Top;
        case AFX_IDW_DOCKBAR_LEFT:
            return sizingbar::Side::Left;
        case AFX_IDW_DOCKBAR_RIGHT:
            return sizingbar::Side::Right;
        default:
            return sizingbar::Side::Bottom;
    }
}

UINT DockBarIdOf(DWORD style)
{
    if (style & CBRS_ALIGN_TOP)
        return AFX_IDW_DOCKBAR_TOP;
    if (style & CBRS_ALIGN_LEFT)
        return AFX_IDW_DOCKBAR_LEFT;
    if (style & CBRS_ALIGN_RIGHT)
        return AFX_IDW_DOCKBAR_RIGHT;
    return AFX_IDW_DOCKBAR_BOTTOM;
}

RECT Offset(RECT r, int dx, int dy)
{
    ::OffsetRect(&r, dx, dy);
    return r;
}

void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    CDC surface(dc);
    const int cx = r.right - r.left;
    const int cy = r.bottom - r.top;
    surface.FillSolidRect({r.left, r.top, r.left + cx - 1, r.top + 1}, topLeft);
    surface.FillSolidRect({r.left, r.top, r.left + 1, r.top + cy - 1}, topLeft);
    surface.FillSolidRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    surface.FillSolidRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}
}  // namespace

CSizingBar::CSizingBar()
    : m_crHilite(::GetSysColor(COLOR_BTNHIGHLIGHT)), m_crShadow(::GetSysColor(COLOR_BTNSHADOW)),
      m_strSection(settings::kSection), m_strEntry(settings::kDockedBar), m_cxMinFloat(::GetSystemMetrics(SM_CXMIN)),
      m_cyMinFloat(::GetSystemMetrics(SM_CYMIN)), m_cyCaption(::GetSystemMetrics(SM_CYSMCAPTION))
{}

sizingbar::BarState CSizingBar::ReadState() const
{
    CWinApp* app = AfxGetApp();
    std::vector<std::uint8_t> bytes;
    if (app && app->GetProfileBinary(m_strSection.c_str(), m_strEntry.c_str(), bytes)) {
        // A value shorter than the record is not ours to guess at.
        if (std::optional<BarStateRecord> record = BarStateRecord::Decode(bytes))
            return sizingbar::FromRecord(*record, {m_szMin.cx, m_szMin.cy});
    }
    return sizingbar::DefaultBarState();
}

void CSizingBar::StoreState()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    sizingbar::BarState state;
    state.horz = {m_szHorz.cx, m_szHorz.cy};
    state.vert = {m_szVert.cx, m_szVert.cy};
    state.floating = {m_szFloat.cx, m_szFloat.cy};
    state.alignAndBorders = m_dwStyle;
    RECT r;
    GetWindowRect(&r);
    state.rect = {r.left, r.top, r.right, r.bottom};
    state.isFloating = IsFloating();
    const auto bytes = sizingbar::ToRecord(state).Encode();
    app->WriteProfileBinary(m_strSection.c_str(), m_strEntry.c_str(), bytes.data(), bytes.size());
}

bool CSizingBar::Create(CFrameWnd* parent, const char* title)
{
    const sizingbar::BarState state = ReadState();
    m_szHorz = {state.horz.cx, state.horz.cy};
    m_szVert = {state.vert.cx, state.vert.cy};
    m_szFloat = {state.floating.cx, state.floating.cy};
    const RECT rect{state.rect.left, state.rect.top, state.rect.right, state.rect.bottom};
    const DWORD style = state.alignAndBorders | kBarStyles;

    // A bar as high (or wide) as the frame's client area would leave nothing to edit in.
    RECT client;
    parent->GetClientRect(&client);
    if (m_szHorz.cy >= client.bottom)
        m_szHorz.cy = client.bottom / 3;
    if (m_szVert.cx >= client.right)
        m_szVert.cx = client.right / 3;

    m_dwStyle = style & 0xFFFF;
    const char* cls =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(0, cls, title, (style & ~0xFFFFu) | WS_CLIPCHILDREN, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent->m_hWnd, nullptr))
        return false;
    JoinFrame(parent);

    EnableDocking(CBRS_ALIGN_ANY);
    if (state.isFloating) {
        // The record holds the bar's own rectangle: its floating frame goes round it.
        RECT frame{0, 0, 0, 0};
        ::AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
        POINT topLeft{rect.left + frame.left, rect.top + frame.top};
        // A place off every screen (another monitor gone, damage) comes back on the frame.
        RECT screens{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
        screens.right = screens.left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 40;
        screens.bottom = screens.top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN) - 40;
        if (!::PtInRect(&screens, topLeft)) {
            RECT owner;
            parent->GetWindowRect(&owner);
            topLeft = {owner.left + 40, owner.top + 40};
        }
        parent->FloatControlBar(this, topLeft);
    } else {
        parent->DockControlBar(this, DockBarIdOf(m_dwStyle), &rect);
    }
    return true;
}

bool CSizingBar::Create(CFrameWnd* parent, CWnd* child, const char* title)
{
    if (!Create(parent, title))
        return false;
    if (child->m_hWnd) {
        ::SetParent(child->m_hWnd, m_hWnd);
    } else if (!child->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 100}, this, kChildId)) {
        DestroyWindow();
        return false;
    }
    m_pChild = child;
    SizeChildToClient();
    return true;
}

bool CSizingBar::Create(CFrameWnd* parent, CDialog* dialog, UINT templateId, const char* title)
{
    if (!Create(parent, title))
        return false;
    if (!dialog->Create(templateId, this)) {
        DestroyWindow();
        return false;
    }
    dialog->ShowWindow(SW_SHOW);
    m_pChild = dialog;
    SizeChildToClient();
    return true;
}

UINT CSizingBar::CurrentDockBarId() const
{
    if (m_pDockBar && !m_pDockBar->m_bFloating)
        return static_cast<UINT>(m_pDockBar->GetDlgCtrlID());
    return 0;
}

bool CSizingBar::IsHorizontalSide(UINT dockBarId) const
{
    return dockBarId == AFX_IDW_DOCKBAR_TOP || dockBarId == AFX_IDW_DOCKBAR_BOTTOM;
}

SIZE CSizingBar::CalcFixedLayout(bool stretch, bool)
{
    if (IsFloating())
        return m_szFloat;
    const UINT side = CurrentDockBarId();
    CFrameWnd* site = m_pDockSite;
    if (side == 0 || IsHorizontalSide(side)) {
        RECT dock{};
        if (CDockBar* top = site ? site->GetDockBar(AFX_IDW_DOCKBAR_TOP) : nullptr)
            top->GetWindowRect(&dock);
        return SIZE{stretch ? 32767 : dock.right - dock.left + 4, m_szHorz.cy};
    }
    RECT dock{};
    if (CDockBar* left = site ? site->GetDockBar(AFX_IDW_DOCKBAR_LEFT) : nullptr)
        left->GetWindowRect(&dock);
    return SIZE{m_szVert.cx, stretch ? 32767 : dock.bottom - dock.top + 4};
}

SIZE CSizingBar::CalcDynamicLayout(int length, DWORD mode)
{
    CFrameWnd* floating = IsFloating() ? GetBarFrame() : nullptr;
    if (floating)
        floating->ModifyStyle(MFS_4THICKFRAME, 0);
    if (mode & (LM_HORZDOCK | LM_VERTDOCK)) {
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (m_pDockSite)
            m_pDockSite->RecalcLayout();
        return CControlBar::CalcDynamicLayout(length, mode);
    }
    if (mode & LM_MRUWIDTH)
        return m_szFloat;
    if (mode & LM_COMMIT) {
        m_szFloat.cx = length;
        return m_szFloat;
    }
    const int hit = m_pDockContext ? m_pDockContext->m_nHitTest : HTNOWHERE;
    if (floating && (hit == HTTOPLEFT || hit == HTTOPRIGHT || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)) {
        POINT cursor;
        ::GetCursorPos(&cursor);
        RECT frame;
        floating->GetWindowRect(&frame);
        const sizingbar::Corner corner = hit == HTTOPLEFT      ? sizingbar::Corner::TopLeft
                                         : hit == HTTOPRIGHT   ? sizingbar::Corner::TopRight
                                         : hit == HTBOTTOMLEFT ? sizingbar::Corner::BottomLeft
                                                               : sizingbar::Corner::BottomRight;
        const sizingbar::CornerSizing sized =
            sizingbar::SizeAtCorner(corner, {cursor.x, cursor.y}, {frame.left, frame.top, frame.right, frame.bottom},
                                    {m_cxMinFloat, m_cyMinFloat}, m_cyCaption);
        m_szFloat = {sized.floatSize.cx, sized.floatSize.cy};
        POINT& remembered = m_pDockContext->m_ptMRUFloatPos;
        remembered = {sized.x.value_or(frame.left), sized.y.value_or(frame.top)};
        return m_szFloat;
    }
    if (mode & LM_LENGTHY) {
        m_szFloat.cy = std::max<LONG>(length, m_szMin.cy);
        return m_szFloat;
    }
    return SIZE{std::max<LONG>(length, m_szMin.cx), m_szFloat.cy};
}

void CSizingBar::OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler)
{
    CControlBar::OnUpdateCmdUI(target, disableIfNoHandler);
    if (m_pChild && m_pChild->m_hWnd)
        m_pChild->SendMessageToDescendants(WM_IDLEUPDATECMDUI, disableIfNoHandler, 0, true);
}

void CSizingBar::LayoutNonClient(RECT& window)
{
    const int cx = window.right - window.left;
    const int cy = window.bottom - window.top;
    m_dwStyle |= CBRS_BORDER_ANY;
    m_rcEdge = {};
    const int g = m_cxGripper;
    const int b = m_cxBorder;
    const int e = m_cxEdge;
    switch (CurrentDockBarId()) {
        case AFX_IDW_DOCKBAR_TOP:
            m_rcEdge = {0, cy - e, cx, cy};
            window = {window.left + g, window.top + b, window.right - b, window.bottom - e};
            m_dwStyle &= ~CBRS_BORDER_BOTTOM;
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            m_rcEdge = {0, 0, cx, e};
            window = {window.left + g, window.top + e, window.right - b, window.bottom - b};
            m_dwStyle &= ~CBRS_BORDER_TOP;
            break;
        case AFX_IDW_DOCKBAR_LEFT:
            m_rcEdge = {cx - e, 0, cx, cy};
            window = {window.left + b, window.top + g, window.right - e, window.bottom - b};
            m_dwStyle &= ~CBRS_BORDER_RIGHT;
            break;
        case AFX_IDW_DOCKBAR_RIGHT:
            m_rcEdge = {0, 0, e, cy};
            window = {window.left + e, window.top + g, window.right - b, window.bottom - b};
            m_dwStyle &= ~CBRS_BORDER_LEFT;
            break;
        default:
            break;  // floating: the floating frame's caption serves
    }
    LayoutGripper(cx, cy);
}

void CSizingBar::LayoutGripper(int cx, int cy)
{
    const UINT side = CurrentDockBarId();
    if (side == 0) {
        m_rcGripper = m_rcCloseBtn = m_rcDockBtn = {};
    } else if (IsHorizontalSide(side)) {
        m_rcGripper = {0, 40, 20, cy};
        m_rcCloseBtn = {3, 10, 15, 22};
        m_rcDockBtn = Offset(m_rcCloseBtn, 0, 13);
    } else {
        m_rcGripper = {0, 0, cx - 40, 20};
        m_rcCloseBtn = {cx - 21, 3, cx - 10, 14};
        m_rcDockBtn = Offset(m_rcCloseBtn, -13, 0);
    }
}

LRESULT CSizingBar::OnNcCalcSize(NCCALCSIZE_PARAMS* params)
{
    LayoutNonClient(params->rgrc[0]);
    if (params->rgrc[0].right < params->rgrc[0].left)
        params->rgrc[0].right = params->rgrc[0].left;
    if (params->rgrc[0].bottom < params->rgrc[0].top)
        params->rgrc[0].bottom = params->rgrc[0].top;
    if (m_bInRecalc && m_pChild && m_pChild->m_hWnd) {
        const RECT& client = params->rgrc[0];
        ::SetWindowPos(m_pChild->m_hWnd, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

void CSizingBar::OnNcPaint()
{
    CWindowDC dc(m_hWnd);
    RECT window;
    GetWindowRect(&window);
    const int cx = window.right - window.left;
    const int cy = window.bottom - window.top;
    RECT client;
    GetClientRect(&client);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::OffsetRect(&client, -window.left, -window.top);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);

    // The base bar's border: an etched line on each side that keeps its border bit.
    dc.FillSolidRect({0, 0, cx, cy}, ::GetSysColor(COLOR_BTNFACE));
    if (m_dwStyle & CBRS_BORDER_TOP)
        dc.FillSolidRect({0, 0, cx, 1}, m_crShadow);
    if (m_dwStyle & CBRS_BORDER_LEFT)
        dc.FillSolidRect({0, 0, 1, cy}, m_crShadow);
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        dc.FillSolidRect({cx - 1, 0, cx, cy}, m_crShadow);
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        dc.FillSolidRect({0, cy - 1, cx, cy}, m_crShadow);
    if (!::IsRectEmpty(&m_rcEdge))
        Draw3dRect(dc, m_rcEdge, m_crHilite, m_crShadow);

    const UINT side = CurrentDockBarId();
    if (side == 0)
        return;
    if (IsHorizontalSide(side)) {
        for (int x : {6, 10})
            Draw3dRect(dc, {x, 38, x + 3, cy - 10}, m_crHilite, m_crShadow);
    } else {
        for (int y : {6, 10})
            Draw3dRect(dc, {10, y, cx - 38, y + 3}, m_crHilite, m_crShadow);
    }
    RECT close = m_rcCloseBtn;
    RECT dock = m_rcDockBtn;
    ::DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    ::DrawFrameControl(dc, &dock, DFC_CAPTION, DFCS_CAPTIONMAX);
}

LRESULT CSizingBar::OnNcHitTest(POINT screen)
{
    if (CurrentDockBarId() == 0)
        return Default();
    RECT window;
    GetWindowRect(&window);
    const POINT at{screen.x - window.left, screen.y - window.top};
    if (::PtInRect(&m_rcCloseBtn, at))
        return HTSYSMENU;
    if (::PtInRect(&m_rcDockBtn, at))
        return HTMINBUTTON;
    if (::PtInRect(&m_rcGripper, at))
        return HTCAPTION;
    if (::PtInRect(&m_rcEdge, at))
        return HTSIZE;
    return Default();
}

BOOL CSizingBar::OnSetCursor(UINT hit)
{
    if (hit != HTSIZE)
        return FALSE;
    const bool across = IsHorizontalSide(CurrentDockBarId());
    ::SetCursor(::LoadCursorA(nullptr, across ? IDC_SIZENS : IDC_SIZEWE));
    return TRUE;
}

void CSizingBar::OnNcLButtonDown(UINT hit, POINT screen)
{
    if (CurrentDockBarId() == 0)
        return;
    switch (hit) {
        case HTSYSMENU:
            if (m_pDockSite)
                m_pDockSite->ShowControlBar(this, false);
            break;
        case HTMINBUTTON:
            m_pDockContext->ToggleDocking();
            break;
        case HTCAPTION:
            m_pDockContext->StartDrag(screen);
            break;
        case HTSIZE:
            StartTracking();
            break;
        default:
            break;
    }
}

void CSizingBar::OnNcLButtonDblClk(UINT hit)
{
    if (CurrentDockBarId() != 0 && hit == HTCAPTION)
        m_pDockContext->ToggleDocking();
}

void CSizingBar::OnLButtonDown(POINT client)
{
    POINT screen = client;
    ::ClientToScreen(m_hWnd, &screen);
    m_pDockContext->StartDrag(screen);
}

void CSizingBar::OnLButtonDblClk()
{
    m_pDockContext->ToggleDocking();
}

// The tracker is drawn on the frame's window surface, in its window coordinates.
void CSizingBar::DrawTracker()
{
    if (!m_pDockSite)
        return;
    const HWND site = m_pDockSite->m_hWnd;
    HDC locked = ::GetDCEx(site, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    CWindowReleasedDC dc(site, locked ? locked : ::GetWindowDC(site));
    CBrush brush;
    brush.Attach(AfxCreateHalftoneBrush());
    CSelectObject select(dc, brush);
    RECT r = m_rcTracker;
    ::InflateRect(&r, -1, -1);
    ::PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATINVERT);
}

void CSizingBar::StartTracking()
{
    if (!m_pDockSite)
        return;
    ::SetCapture(m_hWnd);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ::LockWindowUpdate(m_pDockSite->m_hWnd);
    m_bTracking = TRUE;
    RECT window;
    GetWindowRect(&window);
    RECT frame;
    m_pDockSite->GetWindowRect(&frame);
    m_rcTracker = Offset(m_rcEdge, window.left - frame.left, window.top - frame.top);
    if (!IsHorizontalSide(CurrentDockBarId()))
        m_rcTracker.bottom -= 4;
    m_ptOld = {(m_rcTracker.left + m_rcTracker.right) / 2, (m_rcTracker.top + m_rcTracker.bottom) / 2};
    DrawTracker();
}

void CSizingBar::StopTracking()
{
    DrawTracker();
    ::LockWindowUpdate(nullptr);
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CSizingBar::OnMouseMove()
{
    if (!m_bTracking || !m_pDockSite)
        return;
    POINT cursor;
    ::GetCursorPos(&cursor);
    RECT frame;
    m_pDockSite->GetWindowRect(&frame);
    cursor = {cursor.x - frame.left, cursor.y - frame.top};
    const bool horizontal = IsHorizontalSide(CurrentDockBarId());
    const int centre =
        horizontal ? (m_rcTracker.top + m_rcTracker.bottom) / 2 : (m_rcTracker.left + m_rcTracker.right) / 2;
    const int moved = (horizontal ? cursor.y : cursor.x) - centre;
    if (moved == 0)
        return;
    DrawTracker();
    m_rcTracker = horizontal ? Offset(m_rcTracker, 0, moved) : Offset(m_rcTracker, moved, 0);
    DrawTracker();
}

void CSizingBar::OnLButtonUp()
{
    if (!m_bTracking)
        return;
    StopTracking();
    const UINT side = CurrentDockBarId();
    const bool horizontal = IsHorizontalSide(side);
    const POINT centre{(m_rcTracker.left + m_rcTracker.right) / 2, (m_rcTracker.top + m_rcTracker.bottom) / 2};
    RECT frame;
    m_pDockSite->GetWindowRect(&frame);
    if (horizontal) {
        m_szHorz.cy = sizingbar::DraggedSize(SideOf(side), m_szHorz.cy, m_ptOld.y, centre.y, m_szMin.cy,
                                             frame.bottom - frame.top);
    } else {
        m_szVert.cx = sizingbar::DraggedSize(SideOf(side), m_szVert.cx, m_ptOld.x, centre.x, m_szMin.cx,
                                             frame.right - frame.left);
    }
    m_pDockSite->RecalcLayout();
}

void CSizingBar::OnCaptureChanged(HWND gaining)
{
    // Another window took the mouse: the drag ends and the size stays.
    if (m_bTracking && gaining != m_hWnd) {
        DrawTracker();
        ::LockWindowUpdate(nullptr);
        m_bTracking = FALSE;
    }
}

void CSizingBar::SizeChildToClient()
{
    m_bInRecalc = TRUE;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bInRecalc = FALSE;
}

void CSizingBar::OnWindowPosChanged(const WINDOWPOS* pos)
{
    if (!m_hWnd || !m_pChild || !m_pChild->m_hWnd)
        return;
    const UINT side = CurrentDockBarId();
    const bool moved = side != m_nDockBarID;
    const bool sized = (pos->flags & SWP_NOSIZE) == 0;
    const bool unlaid = (m_dwStyle & CBRS_BORDER_ANY) == CBRS_BORDER_ANY;
    if (m_bInRecalc || !(moved || sized || unlaid))
        return;
    m_nDockBarID = side;
    SizeChildToClient();
}

void CSizingBar::OnDestroy()
{
    StoreState();
    CControlBar::OnDestroy();
}

bool CSizingBar::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_NCCALCSIZE:
            *result = OnNcCalcSize(reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
            return true;
        case WM_NCPAINT:
            OnNcPaint();
            *result = 0;
            return true;
        case WM_NCHITTEST:
            *result = OnNcHitTest(at);
            return true;
        case WM_SETCURSOR:
            if (!OnSetCursor(LOWORD(lParam)))
                return CControlBar::OnWndMsg(msg, wParam, lParam, result);
            *result = TRUE;
            return true;
        case WM_NCLBUTTONDOWN:
            if (CurrentDockBarId() == 0)
                return CControlBar::OnWndMsg(msg, wParam, lParam, result);
            OnNcLButtonDown(static_cast<UINT>(wParam), at);
            *result = 0;
            return true;
        case WM_NCLBUTTONDBLCLK:
            if (CurrentDockBarId() == 0)
                return CControlBar::OnWndMsg(msg, wParam, lParam, result);
            OnNcLButtonDblClk(static_cast<UINT>(wParam));
            *result = 0;
            return true;
        case WM_LBUTTONDOWN:
            OnLButtonDown(at);
            *result = 0;
            return true;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk();
            *result = 0;
            return true;
        case WM_MOUSEMOVE:
            OnMouseMove();
            *result = 0;
            return true;
        case WM_LBUTTONUP:
            OnLButtonUp();
            *result = 0;
            return true;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            *result = 0;
            return true;
        case WM_WINDOWPOSCHANGED:
            *result = Default();
            OnWindowPosChanged(reinterpret_cast<const WINDOWPOS*>(lParam));
            return true;
        default:
            return CControlBar::OnWndMsg(msg, wParam, lParam, result);
    }
}
