#include "DockContext.h"

#include <algorithm>

#include "ControlBar.h"
#include "DockBar.h"
#include "FrameWnd.h"
#include "FwIds.h"
#include "Gdi.h"
#include "MiniDockFrameWnd.h"
#include "ModuleCalls.h"

namespace {
// How close to a side of the docking area the cursor must come for the bar to dock there.
constexpr int kDockZone = 24;
constexpr int kOutline = 3;

// The outline of the place a dragged bar goes to, inverted on the screen so that drawing
// it twice leaves the screen as it was.
class CDragOutline {
public:
    CDragOutline() : m_dc(nullptr) { m_brush.Attach(AfxCreateHalftoneBrush()); }
    ~CDragOutline() { Erase(); }
    CDragOutline(const CDragOutline&) = delete;
    CDragOutline& operator=(const CDragOutline&) = delete;

    void MoveTo(const RECT& r)
    {
        if (m_shown && ::EqualRect(&r, &m_rect))
            return;
        Erase();
        m_rect = r;
        Invert();
        m_shown = true;
    }
    void Erase()
    {
        if (m_shown)
            Invert();
        m_shown = false;
    }

private:
    void Invert()
    {
        CSelectObject brush(m_dc, m_brush);
        const RECT& r = m_rect;
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        ::PatBlt(m_dc, r.left, r.top, w, kOutline, PATINVERT);
        ::PatBlt(m_dc, r.left, r.bottom - kOutline, w, kOutline, PATINVERT);
        ::PatBlt(m_dc, r.left, r.top + kOutline, kOutline, h - 2 * kOutline, PATINVERT);
        ::PatBlt(m_dc, r.right - kOutline, r.top + kOutline, kOutline, h - 2 * kOutline, PATINVERT);
    }
    CClientDC m_dc;
    CBrush m_brush;
    RECT m_rect{};
    bool m_shown = false;
};

bool Contains(const RECT& r, POINT p)
{
    return ::PtInRect(&r, p) != FALSE;
}
}  // namespace

CDockBar* CDockContext::DockBarAt(POINT screen) const
{
    CFrameWnd* site = m_pBar->m_pDockSite;
    if (!site || !m_pBar->m_dwDockStyle)
        return nullptr;
    const RECT area = site->DockingArea();
    struct Zone {
        UINT id;
        RECT strip;
    };
    const Zone zones[] = {
        {AFX_IDW_DOCKBAR_TOP, {area.left, area.top, area.right, area.top + kDockZone}},
        {AFX_IDW_DOCKBAR_BOTTOM, {area.left, area.bottom - kDockZone, area.right, area.bottom}},
        {AFX_IDW_DOCKBAR_LEFT, {area.left, area.top, area.left + kDockZone, area.bottom}},
        {AFX_IDW_DOCKBAR_RIGHT, {area.right - kDockZone, area.top, area.right, area.bottom}},
    };
    // Over a side's own bars first, then near a side.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Zone& zone : zones) {
            CDockBar* dock = site->GetDockBar(zone.id);
            if (!dock || (dock->GetBarStyle() & m_pBar->m_dwDockStyle) == 0)
                continue;
            RECT own;
            dock->GetWindowRect(&own);
            if (pass == 0 ? Contains(own, screen) : Contains(zone.strip, screen))
                return dock;
        }
    }
    return nullptr;
}

RECT CDockContext::FloatingRect(POINT topLeft) const
{
    SIZE size = AfxGuarded(m_pBar)->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    RECT r{0, 0, size.cx, size.cy};
    ::AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    return RECT{topLeft.x, topLeft.y, topLeft.x + r.right - r.left, topLeft.y + r.bottom - r.top};
}

RECT CDockContext::DockedRect(CDockBar* dock, POINT cursor) const
{
    const RECT area = m_pBar->m_pDockSite->DockingArea();
    const bool horizontal = dock->IsHorizontal();
    SIZE size = AfxGuarded(m_pBar)->CalcFixedLayout(false, horizontal);
    // A bar that would fill the frame is shown a third of it deep.
    const int across = horizontal ? std::min<int>(size.cy, (area.bottom - area.top) / 3)
                                  : std::min<int>(size.cx, (area.right - area.left) / 3);
    const UINT id = static_cast<UINT>(dock->GetDlgCtrlID());
    RECT own;
    dock->GetWindowRect(&own);
    (void)cursor;
    switch (id) {
        case AFX_IDW_DOCKBAR_TOP:
            return {area.left, own.bottom, area.right, own.bottom + across};
        case AFX_IDW_DOCKBAR_BOTTOM:
            return {area.left, own.top - across, area.right, own.top};
        case AFX_IDW_DOCKBAR_LEFT:
            return {own.right, own.top, own.right + across, own.bottom};
        default:
            return {own.left - across, own.top, own.left, own.bottom};
    }
}

void CDockContext::StartDrag(POINT start)
{
    CFrameWnd* site = m_pBar->m_pDockSite;
    if (!site || !m_pBar->m_hWnd)
        return;
    RECT barRect;
    CWnd* moving = m_pBar->IsFloating() ? static_cast<CWnd*>(m_pBar->GetBarFrame()) : m_pBar;
    moving->GetWindowRect(&barRect);
    const POINT grip{start.x - barRect.left, start.y - barRect.top};

    CDockBar* target = nullptr;
    RECT place{};
    CDragOutline outline;
    auto follow = [&](POINT cursor) {
        target = ::GetKeyState(VK_CONTROL) < 0 ? nullptr : DockBarAt(cursor);
        place = target ? DockedRect(target, cursor) : FloatingRect({cursor.x - grip.x, cursor.y - grip.y});
        outline.MoveTo(place);
    };

    ::SetCapture(m_pBar->m_hWnd);
    follow(start);
    bool accepted = false;
    for (bool done = false; !done;) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (::GetCapture() != m_pBar->m_hWnd)
            break;
        switch (msg.message) {
            case WM_MOUSEMOVE:
                follow(msg.pt);
                break;
            case WM_LBUTTONUP:
                follow(msg.pt);
                accepted = true;
                done = true;
                break;
            case WM_RBUTTONDOWN:
                done = true;
                break;
            case WM_KEYDOWN:
            case WM_KEYUP:
                if (msg.wParam == VK_ESCAPE) {
                    done = true;
                } else if (msg.wParam == VK_CONTROL) {
                    POINT cursor;
                    ::GetCursorPos(&cursor);
                    follow(cursor);
                }
                break;
            default:
                ::DispatchMessageA(&msg);
        }
    }
    outline.Erase();
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    if (!accepted)
        return;
    if (target)
        site->DockControlBar(m_pBar, static_cast<UINT>(target->GetDlgCtrlID()), &place);
    else
        site->FloatControlBar(m_pBar, {place.left, place.top});
}

void CDockContext::ToggleDocking()
{
    CFrameWnd* site = m_pBar->m_pDockSite;
    if (!site || !m_pBar->m_hWnd)
        return;
    if (m_pBar->IsFloating()) {
        site->DockControlBar(m_pBar, m_uMRUDockID);
        return;
    }
    POINT topLeft = m_ptMRUFloatPos;
    if (topLeft.x == -1 && topLeft.y == -1) {
        RECT r;
        m_pBar->GetWindowRect(&r);
        topLeft = {r.left + 20, r.top - 20};
    }
    site->FloatControlBar(m_pBar, topLeft);
}
