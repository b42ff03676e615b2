#include "SplitterWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "Document.h"
#include "FwMessages.h"
#include "Gdi.h"
#include "ModuleCalls.h"
#include "ModuleState.h"
#include "View.h"

bool CSplitterWnd::CreateStatic(CWnd* parent, int rows, int columns, DWORD style, UINT id)
{
    if (rows < 1 || columns < 1 || rows > 16 || columns > 16)
        return false;
    m_nRows = m_nMaxRows = rows;
    m_nCols = m_nMaxCols = columns;
    m_rows.assign(static_cast<std::size_t>(rows), Track{});
    m_cols.assign(static_cast<std::size_t>(columns), Track{});
    // The splitter's own window gets no scroll bars: the shared ones are controls of it.
    m_dwScrollStyle = style & (WS_VSCROLL | WS_HSCROLL);
    const char* windowClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(0, windowClass, nullptr, (style & ~(WS_VSCROLL | WS_HSCROLL)) | WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0,
                  0, parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return false;
    MatchScrollBars();
    return true;
}

void CSplitterWnd::MatchScrollBars()
{
    auto match = [this](std::vector<CWindowHandle>& bars, std::size_t count, DWORD barStyle, UINT firstId) {
        bars.resize(std::min(bars.size(), count));
        while (bars.size() < count) {
            HWND bar = ::CreateWindowExA(0, "SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | barStyle, 0, 0, 0, 0, m_hWnd,
                                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(firstId + bars.size())),
                                         AfxGetInstanceHandle(), nullptr);
            if (!bar)
                return;
            bars.emplace_back(bar);
        }
    };
    match(m_rowBars, (m_dwScrollStyle & WS_VSCROLL) ? static_cast<std::size_t>(m_nRows) : 0, SBS_VERT,
          AFX_IDW_VSCROLL_FIRST);
    match(m_columnBars, (m_dwScrollStyle & WS_HSCROLL) ? static_cast<std::size_t>(m_nCols) : 0, SBS_HORZ,
          AFX_IDW_HSCROLL_FIRST);
}

HWND CSplitterWnd::SharedScrollBar(const CWnd* pane, int bar) const
{
    if (!pane || ::GetParent(pane->m_hWnd) != m_hWnd)
        return nullptr;
    const int index = ::GetDlgCtrlID(pane->m_hWnd) - AFX_IDW_PANE_FIRST;
    if (index < 0 || index > AFX_IDW_PANE_LAST - AFX_IDW_PANE_FIRST)
        return nullptr;
    const std::size_t row = static_cast<std::size_t>(index / 16);
    const std::size_t column = static_cast<std::size_t>(index % 16);
    if (bar == SB_VERT && row < m_rowBars.size())
        return m_rowBars[row].Get();
    if (bar == SB_HORZ && column < m_columnBars.size())
        return m_columnBars[column].Get();
    return nullptr;
}

bool CSplitterWnd::ForwardScroll(UINT msg, WPARAM wParam, HWND bar)
{
    const int id = ::GetDlgCtrlID(bar);
    const bool vertical = msg == WM_VSCROLL;
    const int index = id - (vertical ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST);
    const auto& bars = vertical ? m_rowBars : m_columnBars;
    if (index < 0 || static_cast<std::size_t>(index) >= bars.size() ||
        bars[static_cast<std::size_t>(index)].Get() != bar)
        return false;
    const int across = vertical ? m_nCols : m_nRows;
    for (int i = 0; i < across; ++i) {
        if (CWnd* pane = vertical ? GetPane(index, i) : GetPane(i, index))
            pane->SendMessage(msg, wParam, reinterpret_cast<LPARAM>(bar));
    }
    return true;
}

bool CSplitterWnd::Create(CWnd* parent, int maxRows, int maxColumns, SIZE minPane, CCreateContext* context, DWORD style,
                          UINT id)
{
    if (!context || !context->m_pNewViewClass || maxRows < 1 || maxRows > 2 || maxColumns < 1 || maxColumns > 2)
        return false;
    m_bDynamic = true;
    m_sizeMin = minPane;
    m_pDynamicViewClass = context->m_pNewViewClass;
    if (!CreateStatic(parent, 1, 1, style, id))
        return false;
    m_nMaxRows = maxRows;
    m_nMaxCols = maxColumns;
    return CreateView(0, 0, m_pDynamicViewClass, SIZE{0, 0}, context);
}

bool CSplitterWnd::CreateView(int row, int column, const CRuntimeClass* viewClass, SIZE initial,
                              CCreateContext* context)
{
    if (row < 0 || row >= m_nRows || column < 0 || column >= m_nCols || GetPane(row, column))
        return false;
    CCreateContext local;
    if (context)
        local = *context;
    local.m_pNewViewClass = viewClass;
    CObject* object = viewClass ? viewClass->CreateObject() : nullptr;
    if (!object)
        return false;
    auto* view = static_cast<CWnd*>(object);
    if (!view->CreateEx(WS_EX_CLIENTEDGE, nullptr, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, initial.cx, initial.cy, m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IdFromRowCol(row, column))), &local))
        return false;
    if (m_cols[static_cast<std::size_t>(column)].current == 0)
        m_cols[static_cast<std::size_t>(column)].current = initial.cx;
    if (m_rows[static_cast<std::size_t>(row)].current == 0)
        m_rows[static_cast<std::size_t>(row)].current = initial.cy;
    return true;
}

CWnd* CSplitterWnd::GetPane(int row, int column) const
{
    return FromHandlePermanent(GetDlgItem(IdFromRowCol(row, column)));
}

std::vector<CWnd*> CSplitterWnd::Panes() const
{
    std::vector<CWnd*> panes;
    for (int row = 0; row < m_nRows; ++row) {
        for (int column = 0; column < m_nCols; ++column) {
            if (CWnd* pane = GetPane(row, column))
                panes.push_back(pane);
        }
    }
    return panes;
}

void CSplitterWnd::GetColumnInfo(int column, int& current, int& minimum) const
{
    current = 0;
    minimum = 0;
    if (CWnd* pane = GetPane(0, column)) {
        RECT r;
        pane->GetWindowRect(&r);
        current = r.right - r.left;
    }
    if (column >= 0 && column < m_nCols)
        minimum = m_cols[static_cast<std::size_t>(column)].minimum;
}

void CSplitterWnd::SetColumnInfo(int column, int ideal, int minimum)
{
    if (column < 0 || column >= m_nCols)
        return;
    m_cols[static_cast<std::size_t>(column)] = Track{ideal, minimum};
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const
{
    current = 0;
    minimum = 0;
    if (CWnd* pane = GetPane(row, 0)) {
        RECT r;
        pane->GetWindowRect(&r);
        current = r.bottom - r.top;
    }
    if (row >= 0 && row < m_nRows)
        minimum = m_rows[static_cast<std::size_t>(row)].minimum;
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_rows[static_cast<std::size_t>(row)] = Track{ideal, minimum};
}

RECT CSplitterWnd::PaneArea() const
{
    RECT area;
    GetClientRect(&area);
    if (m_bDynamic && m_nRows < m_nMaxRows)
        area.top += kSplitBox;
    if (m_bDynamic && m_nCols < m_nMaxCols)
        area.left += kSplitBox;
    if (!m_rowBars.empty())
        area.right = std::max(area.left, area.right - ::GetSystemMetrics(SM_CXVSCROLL));
    if (!m_columnBars.empty())
        area.bottom = std::max(area.top, area.bottom - ::GetSystemMetrics(SM_CYHSCROLL));
    return area;
}

namespace {
// Start and size of each track along one axis; the last track takes what is left.
std::vector<std::pair<int, int>> Spread(int start, int end, const std::vector<int>& wanted)
{
    std::vector<std::pair<int, int>> tracks;
    int at = start;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        bool last = i + 1 == wanted.size();
        int size = last ? end - at : std::min(std::max(wanted[i], 0), std::max(end - at - CSplitterWnd::kBar, 0));
        tracks.emplace_back(at, std::max(size, 0));
        at += size + CSplitterWnd::kBar;
    }
    return tracks;
}
}  // namespace

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd)
        return;
    RECT area = PaneArea();
    std::vector<int> heights, widths;
    for (const Track& track : m_rows)
        heights.push_back(track.current);
    for (const Track& track : m_cols)
        widths.push_back(track.current);
    auto rows = Spread(area.top, area.bottom, heights);
    auto columns = Spread(area.left, area.right, widths);
    for (int row = 0; row < m_nRows; ++row) {
        for (int column = 0; column < m_nCols; ++column) {
            if (CWnd* pane = GetPane(row, column)) {
                pane->MoveWindow(
                    columns[static_cast<std::size_t>(column)].first, rows[static_cast<std::size_t>(row)].first,
                    columns[static_cast<std::size_t>(column)].second, rows[static_cast<std::size_t>(row)].second);
            }
        }
    }
    for (std::size_t row = 0; row < m_rowBars.size() && row < rows.size(); ++row)
        ::MoveWindow(m_rowBars[row].Get(), area.right, rows[row].first, ::GetSystemMetrics(SM_CXVSCROLL),
                     rows[row].second, TRUE);
    for (std::size_t column = 0; column < m_columnBars.size() && column < columns.size(); ++column)
        ::MoveWindow(m_columnBars[column].Get(), columns[column].first, area.bottom, columns[column].second,
                     ::GetSystemMetrics(SM_CYHSCROLL), TRUE);
    Invalidate();
}

CSplitterWnd::Hit CSplitterWnd::HitTest(POINT at) const
{
    RECT client;
    GetClientRect(&client);
    RECT area = PaneArea();
    if (m_bDynamic && m_nRows < m_nMaxRows && at.y < area.top && at.x >= area.left)
        return Hit::RowBox;
    if (m_bDynamic && m_nCols < m_nMaxCols && at.x < area.left && at.y >= area.top)
        return Hit::ColumnBox;
    if (m_nRows > 1) {
        CWnd* top = GetPane(0, 0);
        RECT r;
        top->GetWindowRect(&r);
        ScreenToClient(&r);
        if (at.y >= r.bottom && at.y < r.bottom + kBar)
            return Hit::RowBar;
    }
    if (m_nCols > 1) {
        CWnd* left = GetPane(0, 0);
        RECT r;
        left->GetWindowRect(&r);
        ScreenToClient(&r);
        if (at.x >= r.right && at.x < r.right + kBar)
            return Hit::ColumnBar;
    }
    return Hit::None;
}

void CSplitterWnd::OnMouseDown(POINT at)
{
    m_tracking = HitTest(at);
    if (m_tracking == Hit::None)
        return;
    m_trackStart = at;
    int minimum = 0;
    if (m_tracking == Hit::RowBar)
        GetRowInfo(0, m_trackSize, minimum);
    else if (m_tracking == Hit::ColumnBar)
        GetColumnInfo(0, m_trackSize, minimum);
    ::SetCapture(m_hWnd);
}

void CSplitterWnd::OnMouseUp(POINT at)
{
    Hit tracking = m_tracking;
    m_tracking = Hit::None;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    RECT area = PaneArea();
    switch (tracking) {
        case Hit::RowBox:
            if (at.y - area.top >= m_sizeMin.cy && area.bottom - at.y >= m_sizeMin.cy)
                AfxGuarded(this)->SplitRow(at.y - area.top);
            break;
        case Hit::ColumnBox:
            if (at.x - area.left >= m_sizeMin.cx && area.right - at.x >= m_sizeMin.cx)
                AfxGuarded(this)->SplitColumn(at.x - area.left);
            break;
        case Hit::RowBar:
            if (m_bDynamic && at.y - area.top < m_sizeMin.cy)
                AfxGuarded(this)->DeleteRow(0);
            else if (m_bDynamic && area.bottom - at.y < m_sizeMin.cy)
                AfxGuarded(this)->DeleteRow(1);
            else {
                m_rows[0].current = std::max<int>(m_trackSize + at.y - m_trackStart.y, m_rows[0].minimum);
                RecalcLayout();
            }
            break;
        case Hit::ColumnBar:
            if (m_bDynamic && at.x - area.left < m_sizeMin.cx)
                AfxGuarded(this)->DeleteColumn(0);
            else if (m_bDynamic && area.right - at.x < m_sizeMin.cx)
                AfxGuarded(this)->DeleteColumn(1);
            else {
                m_cols[0].current = std::max<int>(m_trackSize + at.x - m_trackStart.x, m_cols[0].minimum);
                RecalcLayout();
            }
            break;
        case Hit::None:
            break;
    }
}

CFrameWnd* CSplitterWnd::ParentFrame() const
{
    return GetParentFrame();
}

bool CSplitterWnd::SplitRow(int height)
{
    if (!m_bDynamic || m_nRows >= m_nMaxRows)
        return false;
    auto* first = static_cast<CView*>(GetPane(0, 0));
    CCreateContext context;
    context.m_pCurrentDoc = first ? first->GetDocument() : nullptr;
    m_rows.insert(m_rows.begin(), Track{height, 0});
    m_rows[1] = Track{};
    ++m_nRows;
    MatchScrollBars();
    for (int column = 0; column < m_nCols; ++column) {
        if (!CreateView(1, column, m_pDynamicViewClass, SIZE{0, 0}, &context))
            continue;
        GetPane(1, column)->SendMessage(WM_INITIALUPDATE);
    }
    RecalcLayout();
    return true;
}

bool CSplitterWnd::SplitColumn(int width)
{
    if (!m_bDynamic || m_nCols >= m_nMaxCols)
        return false;
    auto* first = static_cast<CView*>(GetPane(0, 0));
    CCreateContext context;
    context.m_pCurrentDoc = first ? first->GetDocument() : nullptr;
    m_cols.insert(m_cols.begin(), Track{width, 0});
    m_cols[1] = Track{};
    ++m_nCols;
    MatchScrollBars();
    for (int row = 0; row < m_nRows; ++row) {
        if (!CreateView(row, 1, m_pDynamicViewClass, SIZE{0, 0}, &context))
            continue;
        GetPane(row, 1)->SendMessage(WM_INITIALUPDATE);
    }
    RecalcLayout();
    return true;
}

void CSplitterWnd::RenumberPanes()
{
    // Panes keep their order; their ids follow their new row and column.
    std::vector<std::pair<HWND, int>> panes;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        int id = ::GetDlgCtrlID(child) - AFX_IDW_PANE_FIRST;
        if (id >= 0 && id < 256)
            panes.emplace_back(child, id);
    }
    std::sort(panes.begin(), panes.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    std::vector<int> rowsSeen, columnsSeen;
    for (const auto& pane : panes) {
        if (std::find(rowsSeen.begin(), rowsSeen.end(), pane.second / 16) == rowsSeen.end())
            rowsSeen.push_back(pane.second / 16);
        if (std::find(columnsSeen.begin(), columnsSeen.end(), pane.second % 16) == columnsSeen.end())
            columnsSeen.push_back(pane.second % 16);
    }
    std::sort(columnsSeen.begin(), columnsSeen.end());
    for (const auto& pane : panes) {
        int row = static_cast<int>(std::find(rowsSeen.begin(), rowsSeen.end(), pane.second / 16) - rowsSeen.begin());
        int column =
            static_cast<int>(std::find(columnsSeen.begin(), columnsSeen.end(), pane.second % 16) - columnsSeen.begin());
        ::SetWindowLongPtrA(pane.first, GWLP_ID, IdFromRowCol(row, column));
    }
}

void CSplitterWnd::DeleteRow(int row)
{
    if (m_nRows <= 1 || row < 0 || row >= m_nRows)
        return;
    CFrameWnd* frame = ParentFrame();
    for (int column = 0; column < m_nCols; ++column) {
        if (CWnd* pane = GetPane(row, column))
            AfxGuarded(pane)->DestroyWindow();
    }
    m_rows.erase(m_rows.begin() + row);
    m_rows[0].current = 0;
    --m_nRows;
    RenumberPanes();
    MatchScrollBars();
    if (frame && !AfxGuarded(frame)->GetActiveView() && GetPane(0, 0) && AfxGuarded(GetPane(0, 0))->IsView())
        AfxGuarded(frame)->SetActiveView(static_cast<CView*>(GetPane(0, 0)), true);
    RecalcLayout();
}

void CSplitterWnd::DeleteColumn(int column)
{
    if (m_nCols <= 1 || column < 0 || column >= m_nCols)
        return;
    CFrameWnd* frame = ParentFrame();
    for (int row = 0; row < m_nRows; ++row) {
        if (CWnd* pane = GetPane(row, column))
            AfxGuarded(pane)->DestroyWindow();
    }
    m_cols.erase(m_cols.begin() + column);
    m_cols[0].current = 0;
    --m_nCols;
    RenumberPanes();
    MatchScrollBars();
    if (frame && !AfxGuarded(frame)->GetActiveView() && GetPane(0, 0) && AfxGuarded(GetPane(0, 0))->IsView())
        AfxGuarded(frame)->SetActiveView(static_cast<CView*>(GetPane(0, 0)), true);
    RecalcLayout();
}

void CSplitterWnd::ActivateNext(bool previous)
{
    CFrameWnd* frame = ParentFrame();
    std::vector<CWnd*> panes = Panes();
    if (!frame || panes.size() < 2)
        return;
    CWnd* active = AfxGuarded(frame)->GetActiveView();
    auto found = std::find(panes.begin(), panes.end(), active);
    std::size_t index = found == panes.end() ? 0 : static_cast<std::size_t>(found - panes.begin());
    index = previous ? (index + panes.size() - 1) % panes.size() : (index + 1) % panes.size();
    if (AfxGuarded(panes[index])->IsView())
        AfxGuarded(frame)->SetActiveView(static_cast<CView*>(panes[index]), true);
    else
        panes[index]->SetFocus();
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client;
    GetClientRect(&client);
    RECT area = PaneArea();
    if (area.top > client.top) {
        RECT box{area.left, client.top, client.right, area.top};
        ::DrawEdge(dc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    if (area.left > client.left) {
        RECT box{client.left, area.top, area.left, client.bottom};
        ::DrawEdge(dc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
}

bool CSplitterWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_SETCURSOR: {
            POINT at;
            ::GetCursorPos(&at);
            ::ScreenToClient(m_hWnd, &at);
            Hit hit = HitTest(at);
            if (reinterpret_cast<HWND>(wParam) != m_hWnd || hit == Hit::None)
                return false;
            bool vertical = hit == Hit::RowBox || hit == Hit::RowBar;
            ::SetCursor(::LoadCursor(nullptr, vertical ? IDC_SIZENS : IDC_SIZEWE));
            *result = TRUE;
            return true;
        }
        case WM_VSCROLL:
        case WM_HSCROLL:
            if (lParam && ForwardScroll(msg, wParam, reinterpret_cast<HWND>(lParam))) {
                *result = 0;
                return true;
            }
            return CWnd::OnWndMsg(msg, wParam, lParam, result);
        case WM_LBUTTONDOWN:
            OnMouseDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            *result = 0;
            return true;
        case WM_LBUTTONUP:
            if (m_tracking != Hit::None)
                OnMouseUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            *result = 0;
            return true;
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
            if (msg == WM_CANCELMODE && ::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            m_tracking = Hit::None;
            return false;
        // The panes' commands and notifications: their own objects first, then the frame.
        case WM_COMMAND:
        case WM_NOTIFY: {
            HWND from = msg == WM_COMMAND ? reinterpret_cast<HWND>(lParam) : reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
            CWnd* child = FromHandlePermanent(from);
            if (child && AfxGuarded(child)->OnChildNotify(msg, wParam, lParam, result))
                return true;
            *result = ::SendMessageA(GetParent(), msg, wParam, lParam);
            return true;
        }
        default:
            return CWnd::OnWndMsg(msg, wParam, lParam, result);
    }
}
