#pragma once
// CLinkLabel: a static text that behaves like a web link. It is blue, dark blue while the
// mouse is over it (the mouse is captured meanwhile, so that leaving is noticed), purple
// once used; it shows a pointing hand and its address as a tip, and a click opens the
// address in the browser registered for web addresses.

#include <windows.h>

#include <string>

#include "CommonControls.h"
#include "Controls.h"
#include "Gdi.h"
#include "resource.h"

class CLinkLabel : public CStatic {
public:
    // `cursorId`: the cursor resource of the current module shown over the label.
    explicit CLinkLabel(UINT cursorId = IDC_HAND_CURSOR) : m_nCursorId(cursorId) {}

    void SetAddress(const char* address);
    const std::string& GetAddress() const { return m_strAddress; }
    void SetVisited(bool visited);
    bool IsVisited() const { return m_bVisited != FALSE; }
    bool IsHovering() const { return m_bHovering != FALSE; }

    bool PreTranslateMessage(MSG* msg) override;

    COLORREF m_clrNormal = RGB(0, 0, 238);
    COLORREF m_clrVisited = RGB(85, 26, 139);
    COLORREF m_clrHover = RGB(0, 0, 127);

protected:
    void PreSubclassWindow() override;
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void MakeLinkFont();
    HBRUSH OnCtlColor(HDC dc);
    bool OnSetCursor();
    void OnMouseMove(POINT point);
    void OnClicked();
    void OnKillFocus();
    void OnCaptureChanged(HWND newCapture);
    void StopHovering();
    // Repaints the label over its parent's background, which shows through its text.
    void Redraw();

    BOOL m_bHovering = FALSE;
    BOOL m_bVisited = FALSE;
    std::string m_strAddress;
    CFont m_fontLink;
    HCURSOR m_hCursor = nullptr;  // a shared resource cursor: never destroyed
    CToolTipCtrl m_toolTip;
    UINT m_nCursorId;
};
