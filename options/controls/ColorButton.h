#pragma once
// CColorButton: a push button that shows a colour swatch inside a raised (or, while
// pressed, sunken) border. The owner sets the colour and repaints the button.

#include <windows.h>

#include "Controls.h"

class CColorButton : public CButton {
public:
    COLORREF m_clrColor = RGB(0, 0, 0);

protected:
    void PreSubclassWindow() override;
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
};
