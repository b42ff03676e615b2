#pragma once
// CMainFrame: Scrivel's main window. A multi-document frame with a flat toolbar in a rebar
// and a status bar that flashes the Launcher's results; it answers the Launcher's codes,
// leads a syntax-check report to its file and line, and keeps its placement in the settings.

#include <windows.h>

#include "FlashStatusBar.h"
#include "MDIFrameWnd.h"
#include "ToolBar.h"

class CMainFrame : public CMDIFrameWnd {
public:
    CFlashStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CReBar m_wndReBar;
    int m_bForegroundFix = 0;  // the system needs the foreground lock lifted to come forward
    int m_bHelpFile = 0;

    // White on dark blue, or on dark red, for three seconds.
    void ShowInfo(const char* text);
    void ShowError(const char* text);
    // Opens the file a syntax-check report names at its line and shows its message.
    void ShowSyntaxReport(const char* text);
    void BringToFront();
    LRESULT OnLauncherNotify(WPARAM code);

    // The show command for the first showing: a frame stored maximised comes back so.
    int StartupShowCommand(int requested) const;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool UpdateCommand(CCmdUI& ui) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnDestroy() override;

private:
    bool CreateBars();
    void ApplyStoredPlacement();
    void OnFormatChanged();
    LRESULT OnSaveAndClose();
    int m_nStoredShowCmd = -1;
};
