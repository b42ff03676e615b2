#pragma once
// CFilterBar: the bar above the log that filters it: a text box (texts separated by '|'),
// "Match case", "Hide matching lines" and "Context" (lines around each match, 0 to 9).
// Typing filters after a short pause, Enter at once, a change of a box or of the context
// at once; Esc clears the filter. The bar tells its frame, which has the log view filter.
// Its controls have tips (string id = control id) while the user has tips on.

#include <windows.h>

#include <string>

#include "CommonControls.h"
#include "ControlBar.h"
#include "Controls.h"

struct FilterChoice {
    std::string text;
    bool matchCase = false;
    bool exclude = false;
    int context = 0;
};

class CFilterBar : public CControlBar {
public:
    // Hidden at first; View "Filter" shows it.
    bool Create(CFrameWnd* parent);
    FilterChoice Choice() const;
    // Shows the bar (when hidden) with the caret in its text box, the text selected.
    void Activate();
    bool HasFocus() const;
    // Empties the text box without filtering again.
    void ClearText();

    SIZE CalcFixedLayout(bool stretch, bool horizontal) override;
    bool PreTranslateMessage(MSG* msg) override;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void LayOut(int width);
    // Has the frame filter the log with what the bar holds now.
    void Apply();
    void ApplySoon();
    void AddTips();

    CStatic m_label;
    CEdit m_text;
    CButton m_matchCase;
    CButton m_exclude;
    CStatic m_contextLabel;
    CEdit m_context;
    HWND m_spin = nullptr;
    CToolTipCtrl m_tips;
    bool m_filling = false;  // the bar changes its own boxes: no filtering for that
};
