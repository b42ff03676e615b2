// The main frame's side of the conversation with the Launcher: its codes, the syntax-check
// report, the look at the server's ports after "Syntax OK" and coming to the front.
#include <windows.h>

#include "DocTemplate.h"
#include "LauncherLink.h"
#include "MainFrm.h"
#include "RegistrySettingsBackend.h"
#include "ScrivelApp.h"
#include "ScrivelDoc.h"
#include "ScrivelHelp.h"
#include "ScrivelView.h"
#include "SettingsStore.h"
#include "SyntaxReport.h"

LRESULT CMainFrame::OnLauncherNotify(WPARAM code)
{
    CSharedData& shared = ScrivelApp().m_shared;
    const bool answersOurTest = m_bTestAsked != 0;
    if (code == LN_SYNTAX_ERROR || code == LN_STATUS_INFO || code == LN_STATUS_ERROR) {
        // A newer report: what an earlier look at the ports finds is no longer wanted.
        m_bTestAsked = 0;
        m_portCheck.Drop();
    }
    switch (code) {
        case LN_SYNTAX_ERROR: {
            const std::string report = shared.IsOpen() ? shared.GetText() : "";
            ShowSyntaxReport(report.c_str());
            shared.SetText("");
            BringToFront();
            return 0;
        }
        case LN_SAVE_AND_CLOSE:
            return OnSaveAndClose();
        case LN_FORMAT_CHANGED:
            OnFormatChanged();
            return 0;
        case LN_CLOSE_NOW:
            DestroyWindow();
            return 0;
        case LN_ACTIVATE:
            BringToFront();
            return 0;
        case LN_STATUS_INFO:
        case LN_STATUS_ERROR: {
            const std::string text = shared.IsOpen() ? shared.GetText() : "";
            if (code == LN_STATUS_INFO)
                ShowInfo(text.c_str());
            else
                ShowError(text.c_str());
            shared.SetText("");
            BringToFront();
            if (code == LN_STATUS_INFO && answersOurTest && SaysSyntaxOk(text))
                CheckServerPorts();
            return 0;
        }
        default:
            return 0;
    }
}

void CMainFrame::CheckServerPorts()
{
    const CSettingsStore store(UserSettingsBackend());
    PortCheckInput input;
    input.serverFolder = store.ReadApachePath();
    input.testSwitches = store.ReadCommandLine(settings::CommandLine::Test);
    input.keywordFolder = ProgramFolder();
    m_portCheck.Start(input, m_hWnd, kPortsChecked);
}

void CMainFrame::OnPortsChecked(WPARAM number)
{
    const std::string message = m_portCheck.Take(number);
    if (!message.empty())
        ShowError(message.c_str());
}

LRESULT CMainFrame::OnSaveAndClose()
{
    BringToFront();
    if (!ScrivelApp().SaveAllModified())
        return 0;
    DestroyWindow();  // this object is gone afterwards
    return 1;
}

void CMainFrame::OnFormatChanged()
{
    for (const auto& docTemplate : ScrivelApp().DocTemplates()) {
        for (CDocument* doc : docTemplate->Documents()) {
            static_cast<CScrivelDoc*>(doc)->m_Edit.Refresh();
            // Every window on the document ("New Window") keeps its own font and metrics.
            for (CView* view : doc->GetViews()) {
                auto* editorView = static_cast<CScrivelView*>(view);
                editorView->InitView();
                editorView->UpdateEditor();
            }
        }
    }
}

void CMainFrame::ShowSyntaxReport(const char* text)
{
    CScrivelApp& app = ScrivelApp();
    const SyntaxReport report =
        ReadSyntaxReport(text ? text : "", [&app](const std::string& path) { return app.IsKnownFile(path.c_str()); });
    if (report.hasLocation) {
        CDocument* doc = app.FindDocument(report.path.c_str());
        if (!doc)
            doc = app.OpenDocumentFile(report.path.c_str());
        if (doc) {
            if (auto* view = static_cast<CScrivelView*>(doc->GetFirstView())) {
                if (CFrameWnd* child = view->GetParentFrame())
                    child->ActivateFrame();
                view->GotoLine(report.line);
            }
        }
    }
    ShowError(report.message.c_str());
}

void CMainFrame::BringToFront()
{
    if (IsIconic()) {
        ShowWindow(SW_RESTORE);
        return;
    }
    if (!m_bForegroundFix) {
        ::SetForegroundWindow(m_hWnd);
        return;
    }
    DWORD timeout = 0;
    ::SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    ::SetForegroundWindow(m_hWnd);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)),
                            SPIF_SENDCHANGE);
}
