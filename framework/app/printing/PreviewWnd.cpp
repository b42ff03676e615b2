#include "PreviewWnd.h"

#include <cstdio>

#include "Gdi.h"
#include "ModuleCalls.h"
#include "View.h"

namespace {
const int kBarHeight = 32;
const int kMargin = 12;

HWND MakeButton(HWND parent, const char* text, int id, int x)
{
    return ::CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 4, 90, 24, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}
}  // namespace

bool CPreviewWnd::Open()
{
    m_info.m_bPreview = true;
    if (!AfxGuarded(m_pView)->OnPreparePrinting(&m_info))
        return false;

    CClientDC screen(nullptr);
    // An A4 sheet at the screen's resolution.
    m_sizePage = SIZE{::MulDiv(2100, screen.GetDeviceCaps(LOGPIXELSX), 254),
                      ::MulDiv(2970, screen.GetDeviceCaps(LOGPIXELSY), 254)};
    HWND owner = ::GetAncestor(m_pView->m_hWnd, GA_ROOT);
    if (!CreateEx(
            0, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullptr, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)),
            "Print Preview", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 600, 700, owner,
            nullptr))
        return true;  // a window that failed in creation has deleted this object
    m_pView->m_pPreviewWnd = this;
    m_hPrevious = MakeButton(m_hWnd, "&Prev Page", IDC_PREVIOUS_PAGE, 4);
    m_hNext = MakeButton(m_hWnd, "&Next Page", IDC_NEXT_PAGE, 98);
    m_hClose = MakeButton(m_hWnd, "&Close", IDC_CLOSE_PREVIEW, 192);
    m_hNumber = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 292, 9, 160, 20, m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_PAGE_NUMBER)), nullptr, nullptr);
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    for (HWND control : {m_hPrevious, m_hNext, m_hClose, m_hNumber})
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    CDC screenDC(screen.m_hDC);
    screenDC.m_bPrinting = true;
    AfxGuarded(m_pView)->OnBeginPrinting(&screenDC, &m_info);
    // The view knows its page count once it has measured the page (OnBeginPrinting).
    m_nPages = m_info.GetMaxPage() == 0xFFFF ? 1 : m_info.GetMaxPage();
    if (m_nPages == 0)
        m_nPages = 1;
    ShowPage(m_info.GetFromPage());
    ShowWindow(SW_SHOWNORMAL);
    return true;
}

void CPreviewWnd::ShowPage(UINT page)
{
    if (page < 1 || page > m_nPages)
        return;
    m_info.m_nCurPage = page;
    RenderCurrentPage();
    UpdateControls();
    Invalidate();
}

void CPreviewWnd::RenderCurrentPage()
{
    CClientDC screen(nullptr);
    RECT frame{0, 0, ::MulDiv(m_sizePage.cx * 100, 254, screen.GetDeviceCaps(LOGPIXELSX) * 10),
               ::MulDiv(m_sizePage.cy * 100, 254, screen.GetDeviceCaps(LOGPIXELSY) * 10)};
    HDC metafile = ::CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    if (!metafile) {
        m_page.Reset();
        return;
    }
    {
        CDC dc(metafile);
        dc.m_bPrinting = true;
        m_info.m_bContinuePrinting = true;
        m_pView->RenderPage(&dc, &m_info, RECT{0, 0, m_sizePage.cx, m_sizePage.cy});
    }
    m_page.Reset(::CloseEnhMetaFile(metafile));
}

void CPreviewWnd::UpdateControls()
{
    char text[64];
    std::snprintf(text, sizeof(text), "Page %u of %u", m_info.m_nCurPage, m_nPages);
    ::SetWindowTextA(m_hNumber, text);
    ::EnableWindow(m_hPrevious, m_info.m_nCurPage > 1);
    ::EnableWindow(m_hNext, m_info.m_nCurPage < m_nPages);
}

RECT CPreviewWnd::SheetRect() const
{
    RECT client;
    GetClientRect(&client);
    int areaWidth = client.right - 2 * kMargin;
    int areaHeight = client.bottom - kBarHeight - 2 * kMargin;
    if (areaWidth <= 0 || areaHeight <= 0 || m_sizePage.cx <= 0 || m_sizePage.cy <= 0)
        return RECT{0, 0, 0, 0};
    // The largest sheet of the page's proportions that fits.
    int width = areaWidth;
    int height = ::MulDiv(width, m_sizePage.cy, m_sizePage.cx);
    if (height > areaHeight) {
        height = areaHeight;
        width = ::MulDiv(height, m_sizePage.cx, m_sizePage.cy);
    }
    int left = (client.right - width) / 2;
    int top = kBarHeight + kMargin + (areaHeight - height) / 2;
    return RECT{left, top, left + width, top + height};
}

void CPreviewWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT sheet = SheetRect();
    dc.FillSolidRect(sheet, RGB(255, 255, 255));
    if (m_page.Get())
        ::PlayEnhMetaFile(dc, m_page.Get(), &sheet);
    ::FrameRect(dc, &sheet, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void CPreviewWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    Invalidate();
}

bool CPreviewWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_KEYDOWN && (wParam == VK_NEXT || wParam == VK_PRIOR)) {
        ShowPage(m_info.m_nCurPage + (wParam == VK_NEXT ? 1 : -1));
        *result = 0;
        return true;
    }
    return CWnd::OnWndMsg(msg, wParam, lParam, result);
}

bool CPreviewWnd::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case IDC_PREVIOUS_PAGE:
            ShowPage(m_info.m_nCurPage - 1);
            return true;
        case IDC_NEXT_PAGE:
            ShowPage(m_info.m_nCurPage + 1);
            return true;
        case IDC_CLOSE_PREVIEW:
            AfxGuarded(this)->DestroyWindow();
            return true;
        default:
            return CWnd::HandleCommand(id, code);
    }
}

void CPreviewWnd::OnViewGone()
{
    m_pView = nullptr;
    AfxGuarded(this)->DestroyWindow();
}

void CPreviewWnd::OnDestroy()
{
    if (m_pView) {
        CClientDC screen(nullptr);
        CDC dc(screen.m_hDC);
        dc.m_bPrinting = true;
        AfxGuarded(m_pView)->OnEndPrinting(&dc, &m_info);
        m_pView->m_pPreviewWnd = nullptr;
    }
    CWnd::OnDestroy();
}

void CPreviewWnd::PostNcDestroy()
{
    delete this;
}
