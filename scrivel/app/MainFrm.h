#pragma once
// CMainFrame: Scrivel's main window. A multi-document frame with a flat toolbar in a rebar,
// a status bar that flashes the Launcher's results and the documentation bar that shows
// the server's manual; it answers the Launcher's codes, leads a syntax-check report to its
// file and line, opens the help file, and keeps its placement in the settings.

#include <windows.h>

#include <string>

#include "FlashStatusBar.h"
#include "KeywordHelp.h"
#include "MDIFrameWnd.h"
#include "PortCheck.h"
#include "SizingBar.h"
#include "ToolBar.h"
#include "WebBrowser2.h"

class CMainFrame : public CMDIFrameWnd {
public:
    CFlashStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CReBar m_wndReBar;
    CSizingBar m_wndDocBar;
    CWebBrowser2 m_wndBrowser;
    int m_bForegroundFix = 0;  // the system needs the foreground lock lifted to come forward
    int m_bHelpFile = 0;

    // White on dark blue, or on dark red, for three seconds.
    void ShowInfo(const char* text);
    void ShowError(const char* text);
    // Opens the file a syntax-check report names at its line and shows its message.
    void ShowSyntaxReport(const char* text);
    void BringToFront();
    LRESULT OnLauncherNotify(WPARAM code);
    // "Save all and test" has asked the Launcher (code 10) and awaits its answer.
    void AwaitTestAnswer() { m_bTestAsked = 1; }

    // The documentation bar: shown (made first if need be) at `url`; shown or hidden.
    void NavigateDocBar(const std::string& url);
    void ToggleDocBar();
    // A page of the manual in the documentation bar; for the online manual's page, also the
    // news in red that the server's manual is not under `serverFolder`.
    void ShowManualPage(const keywordhelp::ManualPage& page, const std::string& serverFolder);

    // The show command for the first showing: a frame stored maximised comes back so.
    int StartupShowCommand(int requested) const;

    // Posted by the checks' thread: wParam, the document with new problems.
    static constexpr UINT kChecksAnswered = WM_APP + 2;

    // The idle text of the status bar: the syntax of the directive at the caret, or "Ready".
    void GetMessageString(UINT id, std::string& text) const override;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnIdleUpdateCmdUI() override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnDestroy() override;

private:
    bool CreateBars();
    void ApplyStoredPlacement();
    void OnFormatChanged();
    bool CreateDocBar();
    void HideDocBar();
    void OnHelpTopic();
    LRESULT OnSaveAndClose();
    // After "Syntax OK" to our own test request: the ports the server will listen on.
    void CheckServerPorts();
    void OnPortsChecked(WPARAM number);
    static constexpr UINT kPortsChecked = WM_APP + 1;  // wParam: the check's number
    int m_nStoredShowCmd = -1;
    int m_bTestAsked = 0;
    CPortCheck m_portCheck;
    std::string m_strCaretSyntax;  // what the status bar shows while idle, "" for "Ready"
    bool m_bInMenu = false;        // a menu shows its items' prompts
};
