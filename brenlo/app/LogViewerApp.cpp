#include "LogViewerApp.h"

#include <editor/EditorDll.h>
#include "LauncherLink.h"
#include "LogDocTemplate.h"
#include "MainFrame.h"
#include "TestsdiDoc.h"
#include "TestsdiView.h"
#include "resource.h"

namespace {
CLogViewerApp theApp;
const LogList* theLogList = nullptr;

constexpr char kCompanyKey[] = "Quorlane";
}  // namespace

CLogViewerApp& LogViewerApp()
{
    return theApp;
}

const LogList* CurrentLogList()
{
    return theLogList;
}

void SetCurrentLogList(const LogList* logs)
{
    theLogList = logs;
}

CLogViewerApp::CLogViewerApp() = default;

CLogViewerApp::~CLogViewerApp() = default;

bool CLogViewerApp::InitInstance()
{
    InitEditorDLL();
    SetRegistryKey(kCompanyKey);
    return CWinApp::InitInstance();
}

int CLogViewerApp::ExitInstance()
{
    m_pTemplate.reset();
    m_keptTemplates.clear();
    return CWinApp::ExitInstance();
}

CDocument* CLogViewerApp::OpenDocumentFile(const char* path)
{
    return m_pTemplate ? m_pTemplate->OpenDocumentFile(path, true) : nullptr;
}

CLogDocTemplate* CLogViewerApp::StartTemplate()
{
    std::erase_if(m_keptTemplates, [](const auto& kept) { return kept->Documents().empty(); });
    if (m_pTemplate && !m_pTemplate->Documents().empty())
        m_keptTemplates.push_back(std::move(m_pTemplate));
    m_pTemplate.reset();
    m_pTemplate = std::make_unique<CLogDocTemplate>(IDR_MAINFRAME, RUNTIME_CLASS(CTestsdiDoc),
                                                    RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CTestsdiView));
    return m_pTemplate.get();
}

CWnd* CLogViewerApp::RunningViewer() const
{
    return m_pMainWnd && m_pMainWnd->IsWindow() ? m_pMainWnd : nullptr;
}

bool CLogViewerApp::HandleCommand(UINT id, UINT code)
{
    if (id == ID_APP_ABOUT) {
        OnAppAbout();
        return true;
    }
    return CWinApp::HandleCommand(id, code);
}

bool CLogViewerApp::UpdateCommand(CCmdUI& ui)
{
    if (ui.m_nID == ID_APP_ABOUT) {
        ui.Enable(true);
        return true;
    }
    return CWinApp::UpdateCommand(ui);
}

void CLogViewerApp::OnAppAbout()
{
    // The Launcher shows the product's About box; the viewer has none of its own.
    if (m_hLauncherWnd && ::IsWindow(m_hLauncherWnd))
        ::PostMessageA(m_hLauncherWnd, WM_LAUNCHER_NOTIFY, LN_SHOW_ABOUT, 0);
}
