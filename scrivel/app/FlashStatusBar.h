#pragma once
// CFlashStatusBar: the status bar of Scrivel's main frame. Besides the command prompts it
// flashes a message in chosen colours for a while; ordinary prompts are swallowed until the
// time is up. The bar's window text is what the message pane shows.

#include <windows.h>

#include "ToolBar.h"

class CFlashStatusBar : public CStatusBar {
public:
    int m_bFlashing = 0;
    UINT_PTR m_nTimer = 0;
    char m_szFlash[256] = {};
    COLORREF m_crBack = 0;
    COLORREF m_crText = 0;

    // Shows `text` (at most 255 characters) in `fore` on `back` for `ms` milliseconds; a
    // message still showing is replaced and its time starts again.
    void FlashMessage(const char* text, COLORREF back, COLORREF fore, UINT ms);
    void DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnTimer(UINT_PTR id) override;

private:
    static constexpr UINT_PTR kFlashTimer = 1;
    void EndFlash();
    LRESULT CopyShownText(char* buffer, WPARAM room) const;
    UINT m_nPaneStyle = 0;  // the message pane's style before the flash
};
