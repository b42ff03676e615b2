#include "CaptionHeader.h"

#include "GradientBands.h"

CCaptionHeader::CCaptionHeader()
    : m_clrRight(::GetSysColor(COLOR_BTNFACE)), m_clrLeft(::GetSysColor(COLOR_3DDKSHADOW)), m_clrCaption(RGB(0, 0, 0)),
      m_clrProduct(::GetSysColor(COLOR_BTNSHADOW)), m_clrHighlight(::GetSysColor(COLOR_BTNHIGHLIGHT))
{}

CCaptionHeader::~CCaptionHeader()
{
    ReleaseImage();
}

bool CCaptionHeader::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_SETTEXT:
            *result = OnSetText(reinterpret_cast<const char*>(lParam));
            return true;
        default:
            return CStatic::OnWndMsg(msg, wParam, lParam, result);
    }
}

void CCaptionHeader::PreSubclassWindow()
{
    m_strCaption = GetWindowText();
    CStatic::PreSubclassWindow();
}

// The text is only stored: the owner sets the colours as well and then calls Render once.
LRESULT CCaptionHeader::OnSetText(const char* text)
{
    m_strCaption = text ? text : "";
    return TRUE;
}

void CCaptionHeader::ReleaseImage()
{
    if (m_imageDC && m_hPreviousBitmap)
        ::SelectObject(*m_imageDC, m_hPreviousBitmap);
    m_hPreviousBitmap = nullptr;
    m_image.DeleteObject();
    m_imageDC.reset();
}

void CCaptionHeader::Render()
{
    ReleaseImage();
    if (!m_hWnd)
        return;
    RECT client{};
    GetClientRect(&client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    CClientDC screen(m_hWnd);
    m_imageDC.emplace(screen);
    if (!m_imageDC->GetSafeHdc() || width <= 0 || height <= 0 ||
        !m_image.CreateCompatibleBitmap(screen, width, height)) {
        ReleaseImage();
        return;
    }
    m_hPreviousBitmap = ::SelectObject(*m_imageDC, m_image);

    DrawGradient(*m_imageDC, width, height);
    DrawTexts(*m_imageDC, client);
    Invalidate(false);
}

void CCaptionHeader::DrawGradient(CDC& dc, int width, int height)
{
    for (const gradient::Band& band : gradient::ComputeBands(width, m_clrLeft, m_clrRight, m_nBands)) {
        const RECT r{band.left, 0, band.right, height};
        dc.FillSolidRect(r, band.colour);
    }
}

void CCaptionHeader::DrawTexts(CDC& dc, const RECT& client)
{
    RECT text = client;
    text.left += 5;
    text.right -= 5;
    dc.SetBkMode(TRANSPARENT);

    if (!m_strProductFont.empty()) {
        LOGFONTA description{};
        description.lfHeight = 18;
        description.lfWeight = FW_BOLD;
        description.lfCharSet = ANSI_CHARSET;
        description.lfOutPrecision = OUT_DEFAULT_PRECIS;
        description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        description.lfQuality = DEFAULT_QUALITY;
        description.lfPitchAndFamily = FF_MODERN;
        lstrcpynA(description.lfFaceName, m_strProductFont.c_str(), LF_FACESIZE);
        CFont font;
        font.CreateFontIndirect(description);
        CSelectObject selected(dc, font);
        dc.SetTextColor(m_clrProduct);
        dc.DrawText(m_strProduct.c_str(), &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    dc.SetTextColor(m_clrCaption);
    dc.DrawText(m_strCaption.c_str(), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// Only a copy of the prepared picture: windows moving over the dialog never cost a gradient.
void CCaptionHeader::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (!m_imageDC)
        return;
    RECT clip{};
    ::GetClipBox(dc, &clip);
    dc.BitBlt(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, *m_imageDC, clip.left, clip.top,
              SRCCOPY);
}
