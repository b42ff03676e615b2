// The frame's side of docking: its dock bars, and moving bars between them and floating
// frames.
#include <algorithm>

#include "ControlBar.h"
#include "DockBar.h"
#include "DockContext.h"
#include "FrameWnd.h"
#include "FwIds.h"
#include "MiniDockFrameWnd.h"
#include "ModuleCalls.h"

namespace {
struct DockSide {
    DWORD align;
    UINT id;
};
// The order in which sides are laid out and chosen: top and bottom span the frame.
constexpr DockSide kSides[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
};

BOOL CALLBACK CollectFloating(HWND hwnd, LPARAM param)
{
    auto* found = reinterpret_cast<std::pair<HWND, std::vector<CFrameWnd*>*>*>(param);
    if (::GetWindow(hwnd, GW_OWNER) != found->first)
        return TRUE;
    if (auto* frame = dynamic_cast<CMiniDockFrameWnd*>(CWnd::FromHandlePermanent(hwnd)))
        found->second->push_back(frame);
    return TRUE;
}
}  // namespace

void CFrameWnd::EnableDocking(DWORD alignStyle)
{
    for (const DockSide& side : kSides) {
        if ((alignStyle & side.align) == 0 || GetDockBar(side.id))
            continue;
        auto dock = std::make_unique<CDockBar>();
        if (!dock->Create(this, side.align, side.id))
            continue;
        m_dockBars.push_back(std::move(dock));
    }
    AfxGuarded(this)->RecalcLayout(true);
}

CDockBar* CFrameWnd::GetDockBar(UINT dockBarId) const
{
    for (const auto& dock : m_dockBars) {
        if (dock->m_hWnd && static_cast<UINT>(dock->GetDlgCtrlID()) == dockBarId)
            return dock.get();
    }
    return nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, const RECT* where)
{
    CDockBar* dock = dockBarId ? GetDockBar(dockBarId) : nullptr;
    for (const DockSide& side : kSides) {
        if (!dock && (bar->m_dwDockStyle & side.align))
            dock = GetDockBar(side.id);
    }
    if (!dock || !bar->m_hWnd)
        return;
    CDockBar* previous = bar->m_pDockBar;
    CFrameWnd* previousFrame = previous && previous->m_bFloating ? previous->GetParentFrame() : nullptr;
    if (previousFrame) {
        RECT r;
        previousFrame->GetWindowRect(&r);
        if (bar->m_pDockContext)
            bar->m_pDockContext->m_ptMRUFloatPos = {r.left, r.top};
    }
    dock->DockControlBar(bar, where);
    if (bar->m_pDockContext)
        bar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(dock->GetDlgCtrlID());
    AfxGuarded(this)->RecalcLayout(true);
    bar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CFrameWnd::FloatControlBar(CControlBar* bar, POINT topLeft)
{
    if (!bar->m_hWnd)
        return;
    CDockBar* previous = bar->m_pDockBar;
    CFrameWnd* previousFrame = previous && previous->m_bFloating ? previous->GetParentFrame() : nullptr;
    if (previousFrame) {
        // Already floating: only the place changes.
        previousFrame->SetWindowPos(nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        auto* floating = new CMiniDockFrameWnd;
        if (!floating->Create(this, topLeft, (bar->GetBarStyle() & CBRS_SIZE_DYNAMIC) != 0)) {
            if (!floating->m_hWnd)
                delete floating;
            else
                AfxGuarded(floating)->DestroyWindow();
            return;
        }
        if (previous && bar->m_pDockContext)
            bar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(previous->GetDlgCtrlID());
        floating->SetWindowText(bar->GetWindowText().c_str());
        floating->m_wndDockBar.DockControlBar(bar);
        floating->FitToBar();
        if (bar->GetStyle() & WS_VISIBLE)
            floating->ShowWindow(SW_SHOWNA);
        AfxGuarded(this)->RecalcLayout(true);
    }
    if (bar->m_pDockContext)
        bar->m_pDockContext->m_ptMRUFloatPos = topLeft;
    bar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

std::vector<CFrameWnd*> CFrameWnd::FloatingFrames() const
{
    std::vector<CFrameWnd*> frames;
    if (m_dockBars.empty() || !m_hWnd)
        return frames;
    std::pair<HWND, std::vector<CFrameWnd*>*> found{m_hWnd, &frames};
    ::EnumThreadWindows(::GetWindowThreadProcessId(m_hWnd, nullptr), CollectFloating, reinterpret_cast<LPARAM>(&found));
    return frames;
}

RECT CFrameWnd::DockingArea() const
{
    RECT area = m_rectBorder;
    for (const auto& dock : m_dockBars) {
        RECT r;
        dock->GetWindowRect(&r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        area.left = std::min(area.left, r.left);
        area.top = std::min(area.top, r.top);
        area.right = std::max(area.right, r.right);
        area.bottom = std::max(area.bottom, r.bottom);
    }
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}
