#include "ColorButton.h"

#include "Gdi.h"

namespace {
void DrawLine(HDC dc, int colourIndex, int x0, int y0, int x1, int y1, int x2, int y2)
{
    CPen pen(PS_SOLID, 1, ::GetSysColor(colourIndex));
    CSelectObject selected(dc, pen);
    ::MoveToEx(dc, x0, y0, nullptr);
    ::LineTo(dc, x1, y1);
    ::LineTo(dc, x2, y2);
}

void Frame(HDC dc, const RECT& r, int colourIndex)
{
    ::FrameRect(dc, &r, ::GetSysColorBrush(colourIndex));
}
}  // namespace

// The parent reports the button's drawing to it, so the button must be owner-drawn before
// it is first shown.
void CColorButton::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

bool CColorButton::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            *result = TRUE;
            return true;
        default:
            return CButton::OnChildNotify(msg, wParam, lParam, result);
    }
}

void CColorButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    CDC dc(item.hDC);
    RECT r = item.rcItem;
    dc.FillSolidRect(r, ::GetSysColor(COLOR_BTNFACE));
    RECT swatch = r;
    ::InflateRect(&swatch, -4, -4);
    dc.FillSolidRect(swatch, m_clrColor);

    if (item.itemState & ODS_SELECTED) {
        Frame(dc, r, COLOR_BTNSHADOW);
        ::InflateRect(&r, -1, -1);
        Frame(dc, r, COLOR_BTNSHADOW);
    } else {
        DrawLine(dc, COLOR_BTNHIGHLIGHT, r.left, r.bottom - 1, r.left, r.top, r.right, r.top);
        DrawLine(dc, COLOR_3DLIGHT, r.left + 1, r.bottom - 1, r.left + 1, r.top + 1, r.right, r.top + 1);
        DrawLine(dc, COLOR_3DDKSHADOW, r.left, r.bottom - 1, r.right - 1, r.bottom - 1, r.right - 1, r.top - 1);
        DrawLine(dc, COLOR_BTNSHADOW, r.left + 1, r.bottom - 2, r.right - 2, r.bottom - 2, r.right - 2, r.top);
    }

    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
}
