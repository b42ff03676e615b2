#pragma once
// COptionsPage: one page of the Options dialog, a child dialog that the frame creates the
// first time it is selected. A page loads its values in OnInitDialog, marks itself changed
// with SetModified, writes in Apply (OnFrameOK calls it when the page was changed) and adds
// the tips of its controls to the tooltip all pages share, which the frame makes once the
// dialog is on screen. Cancel never closes a page;
// Ctrl+Tab and the dialog keys reach the frame while the focus is inside one.

#include <windows.h>

#include <string>
#include <vector>

#include "Dialog.h"

class IPageFrame;

class COptionsPage : public CDialog {
public:
    COptionsPage(UINT templateId, const char* helpTopic);

    std::string m_strHelpTopic;
    IPageFrame* m_pFrame = nullptr;
    int m_nIndex = -1;

    // Each time the frame shows the page, after the caption header shows its name.
    virtual void OnPageShown();
    // The frame's OK, after a successful UpdateData(TRUE); `changed` is the page's flag.
    virtual void OnFrameOK(BOOL changed);
    // Writes the page's values and sends its notification, if any.
    virtual void Apply();

    void SetModified();
    // The tip of a control is the string whose id is the control's. Until the frame has
    // made the shared tooltip (once the dialog is on screen) the control waits in a list.
    void AddToolTip(int controlId);
    // Makes the tooltip all pages share, owned by this page, unless it exists.
    void MakeSharedToolTip();
    // Adds the tips that waited for the shared tooltip.
    void AddWaitingToolTips();

    void DoDataExchange(CDataExchange* dx) override;
    bool PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    std::vector<int> m_waitingTips;
};
