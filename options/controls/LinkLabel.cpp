#include "LinkLabel.h"

#include <windowsx.h>

#include "ModuleState.h"
#include "OpenUrl.h"

namespace {
constexpr UINT_PTR kTipTool = 1;
}

void CLinkLabel::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);  // without it the static ignores the mouse and reports no clicks

    std::string text = GetWindowText();
    if (m_strAddress.empty())
        m_strAddress = text;
    if (text.empty())
        SetWindowText(m_strAddress.c_str());

    MakeLinkFont();
    if (!m_hCursor)
        m_hCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nCursorId));

    if (m_toolTip.Create(this)) {
        RECT client{};
        GetClientRect(&client);
        m_toolTip.AddTool(m_hWnd, kTipTool, client, m_strAddress.c_str(), 0);
    }
    CStatic::PreSubclassWindow();
}

void CLinkLabel::MakeLinkFont()
{
    HFONT current = GetFont();
    LOGFONTA description{};
    if (!::GetObjectA(current ? static_cast<HGDIOBJ>(current) : ::GetStockObject(SYSTEM_FONT), sizeof(description),
                      &description))
        return;
    description.lfUnderline = TRUE;
    if (m_fontLink.CreateFontIndirect(description))
        SetFont(m_fontLink, true);
}

void CLinkLabel::SetAddress(const char* address)
{
    m_strAddress = address ? address : "";
    if (m_hWnd && m_toolTip.m_hWnd)
        m_toolTip.UpdateTipText(m_strAddress.c_str(), m_hWnd, kTipTool);
}

void CLinkLabel::SetVisited(bool visited)
{
    m_bVisited = visited ? TRUE : FALSE;
    if (m_hWnd)
        Redraw();
}

bool CLinkLabel::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

bool CLinkLabel::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_SETCURSOR:
            if (!OnSetCursor())
                return false;
            *result = TRUE;
            return true;
        case WM_MOUSEMOVE:
            *result = Default();
            OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return true;
        case WM_KILLFOCUS:
            *result = Default();
            OnKillFocus();
            return true;
        case WM_CAPTURECHANGED:
            *result = Default();
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return true;
        default:
            return CStatic::OnWndMsg(msg, wParam, lParam, result);
    }
}

bool CLinkLabel::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_CTLCOLORSTATIC:
            *result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam)));
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) != STN_CLICKED)
                return false;
            OnClicked();
            *result = 0;
            return true;
        default:
            return CStatic::OnChildNotify(msg, wParam, lParam, result);
    }
}

HBRUSH CLinkLabel::OnCtlColor(HDC dc)
{
    ::SetTextColor(dc, m_bHovering ? m_clrHover : (m_bVisited ? m_clrVisited : m_clrNormal));
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

bool CLinkLabel::OnSetCursor()
{
    if (!m_hCursor)
        return false;
    ::SetCursor(m_hCursor);
    return true;
}

void CLinkLabel::OnMouseMove(POINT point)
{
    RECT client{};
    GetClientRect(&client);
    const bool inside = ::PtInRect(&client, point) != FALSE;
    if (m_bHovering) {
        if (!inside)
            StopHovering();
        return;
    }
    // A move can still reach a label that let the capture go (after a click) from outside.
    if (!inside)
        return;
    m_bHovering = TRUE;
    Redraw();
    ::SetCapture(m_hWnd);
}

void CLinkLabel::OnClicked()
{
    StopHovering();
    OpenUrl(m_strAddress.c_str());
    SetVisited(true);
}

void CLinkLabel::OnKillFocus()
{
    StopHovering();
}

// Another window took the mouse (a menu, a browser coming up): the label is no longer hot.
void CLinkLabel::OnCaptureChanged(HWND newCapture)
{
    if (newCapture != m_hWnd && m_bHovering)
        StopHovering();
}

void CLinkLabel::StopHovering()
{
    if (!m_bHovering)
        return;
    m_bHovering = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Redraw();
}

void CLinkLabel::Redraw()
{
    HWND parent = GetParent();
    if (!parent) {
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
    }
    RECT area{};
    GetWindowRect(&area);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
