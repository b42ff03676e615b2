#pragma once
// CLogViewerApp: the library's application object. It starts the editor component and the
// settings key when the library loads, keeps the template and the Launcher's window of the
// call that runs, opens logs through the template and asks the Launcher for its About box.

#include <windows.h>

#include <memory>
#include <vector>

#include "LauncherLists.h"
#include "WinApp.h"

class CLogDocTemplate;

class CLogViewerApp : public CWinApp {
public:
    CLogViewerApp();
    ~CLogViewerApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

    // Goes straight to the template: the one document loads the path, or becomes untitled
    // when the path is gone or names a folder.
    CDocument* OpenDocumentFile(const char* path) override;

    // A new template for a call. The one of the call before goes, unless its document still
    // exists (a quit message ended that call with the frame left open).
    CLogDocTemplate* StartTemplate();
    // The frame of a call that runs now, or null.
    CWnd* RunningViewer() const;
    CLogDocTemplate* Template() const { return m_pTemplate.get(); }

    HWND m_hLauncherWnd = nullptr;

protected:
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;

private:
    void OnAppAbout();

    std::unique_ptr<CLogDocTemplate> m_pTemplate;
    std::vector<std::unique_ptr<CLogDocTemplate>> m_keptTemplates;
};

CLogViewerApp& LogViewerApp();

// The Launcher's list of the call that runs; the tree reads it anew at every fill.
const LogList* CurrentLogList();
void SetCurrentLogList(const LogList* logs);
