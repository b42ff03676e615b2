#pragma once
// CFormatPage: how the editor shows configuration text (colouring, colours, font, tabs),
// edited on a live sample. The working values are the sample buffer's own settings; Apply
// copies them into the editor's colour table, stores them and tells the Launcher.

#include <windows.h>

#include <editor/VQEditCtrl.h>

#include "ColorButton.h"
#include "OptionsPage.h"
#include "resource.h"

class CFormatPage : public COptionsPage {
public:
    CFormatPage();

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnFrameOK(BOOL changed) override;
    void Apply() override;

protected:
    bool HandleCommand(UINT id, UINT code) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    CVQEdit& Values() { return *m_wndSample.GetEdit(); }
    void ShowValues();
    void ShowFontCaption();
    void FillColorItems();
    void ShowSelectedColor();
    int SelectedItemData() const;
    // A check box's field flipped, shown in the sample, page marked changed.
    void Toggle(int& field);

    void OnColoring();
    void OnColor();
    void OnFont();
    void OnDefault();
    // The arrows' step; false refuses it.
    bool OnTabWidthStep(int step);
    void NotifyLauncher();

    CVQEditCtrl m_wndSample;
    CColorButton m_wndColor;
    bool m_bSampleMade = false;
};
