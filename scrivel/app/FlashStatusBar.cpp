#include "FlashStatusBar.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "FrameWnd.h"
#include "FwIds.h"
#include "Gdi.h"
#include "StatusTexts.h"

void CFlashStatusBar::FlashMessage(const char* text, COLORREF back, COLORREF fore, UINT ms)
{
    if (!m_hWnd || GetCount() == 0)
        return;
    if (m_bFlashing) {
        KillTimer(m_nTimer);
    } else {
        m_bFlashing = 1;
        m_nPaneStyle = GetPaneStyle(0);
    }
    m_crBack = back;
    m_crText = fore;
    const std::string shown = FlashText(text);
    std::memcpy(m_szFlash, shown.c_str(), shown.size() + 1);

    SetPaneStyle(0, (m_nPaneStyle & ~SBPS_POPOUT) | SBPS_NOBORDERS | SBPS_OWNERDRAW);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    m_nTimer = SetTimer(kFlashTimer, ms);
}

void CFlashStatusBar::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!m_bFlashing || item->itemID != 0)
        return;
    CBrush back(m_crBack);
    ::FillRect(item->hDC, &item->rcItem, back);

    LOGFONTA logFont{};
    HFONT barFont = GetFont();
    ::GetObjectA(barFont ? static_cast<HGDIOBJ>(barFont) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont),
                 &logFont);
    logFont.lfWeight = (logFont.lfWeight > 0 ? logFont.lfWeight : FW_NORMAL) * 2;
    CFont bold;
    bold.CreateFontIndirect(logFont);
    CSelectObject selected(item->hDC, bold ? static_cast<HGDIOBJ>(bold) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetTextColor(item->hDC, m_crText);
    ::SetBkMode(item->hDC, TRANSPARENT);
    ::TextOutA(item->hDC, item->rcItem.left, item->rcItem.top, m_szFlash, static_cast<int>(std::strlen(m_szFlash)));
}

void CFlashStatusBar::OnTimer(UINT_PTR id)
{
    if (id != kFlashTimer) {
        CStatusBar::OnTimer(id);
        return;
    }
    EndFlash();
}

void CFlashStatusBar::EndFlash()
{
    KillTimer(m_nTimer);
    m_nTimer = 0;
    m_bFlashing = 0;
    SetPaneStyle(0, m_nPaneStyle);
    // The frame's idle text: "Ready", or the syntax at the caret.
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetMessageText(static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
    else
        SetPaneText(0, AfxLoadString(AFX_IDS_IDLEMESSAGE).c_str());
}

LRESULT CFlashStatusBar::CopyShownText(char* buffer, WPARAM room) const
{
    const std::string shown = m_bFlashing ? std::string(m_szFlash) : GetPaneText(0);
    if (!buffer || room == 0)
        return static_cast<LRESULT>(shown.size());
    const std::size_t copied = std::min<std::size_t>(shown.size(), room - 1);
    std::memcpy(buffer, shown.data(), copied);
    buffer[copied] = '\0';
    return static_cast<LRESULT>(copied);
}

bool CFlashStatusBar::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_SETTEXT:
            if (!m_bFlashing)
                return CStatusBar::OnWndMsg(msg, wParam, lParam, result);
            *result = TRUE;  // swallowed while a message flashes, yet reported as done
            return true;
        case WM_GETTEXT:
            *result = CopyShownText(reinterpret_cast<char*>(lParam), wParam);
            return true;
        case WM_GETTEXTLENGTH:
            *result = CopyShownText(nullptr, 0);
            return true;
        default:
            return CStatusBar::OnWndMsg(msg, wParam, lParam, result);
    }
}
