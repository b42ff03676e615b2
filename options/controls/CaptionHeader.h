#pragma once
// CCaptionHeader: the band above the Options page area that shows the page's name on a
// horizontal colour gradient, with the product name at its right end. The picture is drawn
// once by Render into an off-screen bitmap; painting only copies it.

#include <windows.h>

#include <optional>
#include <string>

#include "Controls.h"
#include "Gdi.h"

class CCaptionHeader : public CStatic {
public:
    static constexpr char kDefaultProductFont[] = "MS Sans Serif";
    static constexpr char kDefaultProductName[] = "Tessaly";
    static constexpr int kDefaultBands = 128;

    CCaptionHeader();
    ~CCaptionHeader() override;

    // Rebuilds the picture from the caption, the colours and the current size, then
    // invalidates the control without erasing. Call it after changing any of them.
    void Render();

    COLORREF m_clrRight;
    COLORREF m_clrLeft;
    COLORREF m_clrCaption;
    COLORREF m_clrProduct;
    COLORREF m_clrHighlight;  // kept for owners that set it; the picture does not use it
    int m_nBands = kDefaultBands;
    std::string m_strCaption;
    std::string m_strProductFont = kDefaultProductFont;
    std::string m_strProduct = kDefaultProductName;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PreSubclassWindow() override;
    void OnPaint() override;

private:
    LRESULT OnSetText(const char* text);
    void ReleaseImage();
    void DrawGradient(CDC& dc, int width, int height);
    void DrawTexts(CDC& dc, const RECT& client);

    CBitmap m_image;
    std::optional<CMemoryDC> m_imageDC;
    HGDIOBJ m_hPreviousBitmap = nullptr;
};
