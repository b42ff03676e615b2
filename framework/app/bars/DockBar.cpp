#include "DockBar.h"

#include <algorithm>

#include "FrameWnd.h"
#include "FwIds.h"
#include "FwMessages.h"
#include "ModuleCalls.h"

CDockBar::~CDockBar()
{
    for (CControlBar* bar : m_bars)
        bar->m_pDockBar = nullptr;
}

bool CDockBar::Create(CWnd* parent, DWORD alignStyle, UINT id)
{
    m_dwStyle = alignStyle & CBRS_ALIGN_ANY;
    const char* cls =
        AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(0, cls, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0,
                  parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return false;
    JoinFrame(parent);
    return true;
}

int CDockBar::VisibleBarCount() const
{
    return static_cast<int>(std::count_if(m_bars.begin(), m_bars.end(),
                                          [](CControlBar* bar) { return (bar->GetStyle() & WS_VISIBLE) != 0; }));
}

void CDockBar::DockControlBar(CControlBar* bar, const RECT* where)
{
    if (bar->m_pDockBar && bar->m_pDockBar != this)
        bar->m_pDockBar->RemoveControlBar(bar);
    m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), bar), m_bars.end());

    // The row whose middle lies beyond the drop point's comes after it.
    auto at = m_bars.end();
    if (where && !m_bFloating) {
        const LONG drop = IsHorizontal() ? (where->top + where->bottom) / 2 : (where->left + where->right) / 2;
        at = std::find_if(m_bars.begin(), m_bars.end(), [&](CControlBar* other) {
            RECT r;
            other->GetWindowRect(&r);
            return drop < (IsHorizontal() ? (r.top + r.bottom) / 2 : (r.left + r.right) / 2);
        });
    }
    m_bars.insert(at, bar);

    if (bar->GetParent() != m_hWnd)
        ::SetParent(bar->m_hWnd, m_hWnd);
    bar->m_pDockBar = this;
    DWORD style = bar->GetBarStyle();
    if (m_bFloating)
        style |= CBRS_FLOATING;
    else
        style = (style & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY);
    bar->SetBarStyle(style);
}

void CDockBar::RemoveControlBar(CControlBar* bar)
{
    auto found = std::find(m_bars.begin(), m_bars.end(), bar);
    if (found == m_bars.end())
        return;
    m_bars.erase(found);
    bar->m_pDockBar = nullptr;
    // A floating frame left empty goes, once the message it may be handling is done.
    if (m_bFloating && m_bars.empty() && m_hWnd) {
        HWND frame = GetParent();
        ::ShowWindow(frame, SW_HIDE);
        ::PostMessageA(frame, WM_FLOATINGFRAMEEMPTY, 0, 0);
    }
}

SIZE CDockBar::CalcFixedLayout(bool stretch, bool horizontal)
{
    SIZE size{0, 0};
    for (CControlBar* bar : m_bars) {
        if ((bar->GetStyle() & WS_VISIBLE) == 0)
            continue;
        if (m_bFloating) {
            SIZE one = AfxGuarded(bar)->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
            size.cx = std::max(size.cx, one.cx);
            size.cy += one.cy;
        } else if (horizontal) {
            size.cy += AfxGuarded(bar)->CalcFixedLayout(false, true).cy;
        } else {
            size.cx += AfxGuarded(bar)->CalcFixedLayout(false, false).cx;
        }
    }
    if (!m_bFloating) {
        if (horizontal)
            size.cx = stretch ? 32767 : 0;
        else
            size.cy = stretch ? 32767 : 0;
    }
    return size;
}

void CDockBar::Layout(RECT& remaining, HDWP& positions)
{
    if (m_bFloating)
        return;  // its floating frame places it
    RECT before = remaining;
    CControlBar::Layout(remaining, positions);
    // What the side took: the strip between the remaining area before and after.
    int cx = before.right - before.left;
    int cy = before.bottom - before.top;
    if (IsHorizontal())
        cy -= remaining.bottom - remaining.top;
    else
        cx -= remaining.right - remaining.left;
    ArrangeBars(cx, cy);
}

void CDockBar::ArrangeBars(int cx, int cy)
{
    int offset = 0;
    for (CControlBar* bar : m_bars) {
        if ((bar->GetStyle() & WS_VISIBLE) == 0)
            continue;
        RECT place;
        if (m_bFloating) {
            SIZE size = AfxGuarded(bar)->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
            place = {0, offset, size.cx, offset + size.cy};
            offset += size.cy;
        } else if (IsHorizontal()) {
            int height = AfxGuarded(bar)->CalcFixedLayout(false, true).cy;
            place = {0, offset, cx, offset + height};
            offset += height;
        } else {
            int width = AfxGuarded(bar)->CalcFixedLayout(false, false).cx;
            place = {offset, 0, offset + width, cy};
            offset += width;
        }
        ::SetWindowPos(bar->m_hWnd, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CDockBar::OnDestroy()
{
    for (CControlBar* bar : m_bars)
        bar->m_pDockBar = nullptr;
    m_bars.clear();
    CControlBar::OnDestroy();
}
