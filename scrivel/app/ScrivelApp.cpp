// Start-up and exit of Scrivel, and the application's own commands.
#include "ScrivelApp.h"

#include <windows.h>

#include "ChildFrm.h"
#include "DocTemplate.h"
#include <editor/EditorComponent.h>
#include "Handles.h"
#include "LauncherLink.h"
#include "MainFrm.h"
#include "ConfLine.h"
#include "ConfPath.h"
#include "ConfigReader.h"
#include "ScrivelDoc.h"
#include "ScrivelHelp.h"
#include "ScrivelTexts.h"
#include "ScrivelView.h"
#include "SettingsSchema.h"
#include "resource.h"

namespace {
CScrivelApp theApp;

bool IsUninstallSwitch(const std::string& commandLine)
{
    return ::lstrcmpiA(commandLine.c_str(), texts::kUninstallSwitch) == 0;
}

// The Launcher no longer starts at logon; nothing else is touched.
void RemoveRunAtLogon()
{
    CRegKey run;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, settings::kRunKey, 0, KEY_ALL_ACCESS, run.Receive()) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueA(run.Get(), settings::kRunValue);
}
}  // namespace

CScrivelApp& ScrivelApp()
{
    return theApp;
}

CMainFrame* CScrivelApp::MainFrame() const
{
    return static_cast<CMainFrame*>(m_pMainWnd);
}

bool CScrivelApp::InitInstance()
{
    if (IsUninstallSwitch(m_lpCmdLine)) {
        RemoveRunAtLogon();
        return false;
    }
    if (!m_shared.Open()) {
        AfxMessageBox(texts::kUseLauncher, MB_OK);
        return false;
    }
    HWND running = m_shared.GetEditorWnd();
    if (running && ::IsWindow(running)) {
        // Bringing the running Scrivel forward is the Launcher's affair.
        m_shared.Close();
        return false;
    }

    // Dialog controls are three-dimensional on every system we run on, and OLE, which the
    // documentation bar's browser control needs, is started by the drag-and-drop support.
    cOleDragDrop.Init();
    SetRegistryKey(texts::kCompany);
    InitEditorDLL();

    AddDocTemplate(new CMultiDocTemplate(IDR_SCRIVELTYPE, RUNTIME_CLASS(CScrivelDoc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CScrivelView)));

    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        // A frame that failed to be created has deleted itself with its window.
        ::MessageBoxA(nullptr, texts::kNeedCommonControls, texts::kErrorCaption, MB_OK | MB_ICONWARNING);
        return false;
    }
    m_pMainWnd = frame;
    m_Keywords.ReadScript();
    ReadCatalogue();
    m_bAutoComplete = GetProfileInt(settings::kSection, settings::kAutoComplete, 1) != 0;
    m_bCheckAsYouType = GetProfileInt(settings::kSection, settings::kCheckAsYouType, 1) != 0;
    StartChecks();
    OpenConfiguredFiles();
    frame->ShowWindow(frame->StartupShowCommand(m_nCmdShow));
    frame->UpdateWindow();
    frame->DragAcceptFiles();

    m_shared.SetEditorWnd(frame->m_hWnd);
    if (HWND launcher = m_shared.GetLauncherWnd())
        ::SendMessageA(launcher, WM_LAUNCHER_NOTIFY, LN_EDITOR_STARTED, 0);

    const std::string pending = m_shared.GetText();
    if (!pending.empty()) {
        frame->ShowSyntaxReport(pending.c_str());
        m_shared.SetText("");
    }
    m_bSaved = 0;
    return true;
}

int CScrivelApp::ExitInstance()
{
    m_checks.reset();  // the thread ends before the documents it reads from
    // The Launcher must already see no editor while it handles the exit report.
    if (m_shared.IsOpen()) {
        if (HWND launcher = m_shared.GetLauncherWnd()) {
            m_shared.SetEditorWnd(nullptr);
            ::SendMessageA(launcher, WM_LAUNCHER_NOTIFY, m_bSaved == 1 ? LN_EDITOR_CLOSED_SAVED : LN_EDITOR_CLOSED, 0);
        }
    }
    return CWinApp::ExitInstance();
}

bool CScrivelApp::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_FILE_SAVE_ALL_AND_TEST:
            SaveAllAndTest();
            return true;
        case ID_APP_ABOUT:
            OnAppAbout();
            return true;
        case ID_VIEW_CHECKS:
            SetCheckAsYouType(!m_bCheckAsYouType);
            return true;
        case ID_VIEW_AUTO_COMPLETE:
            m_bAutoComplete = !m_bAutoComplete;
            WriteProfileInt(settings::kSection, settings::kAutoComplete, m_bAutoComplete ? 1 : 0);
            return true;
        default:
            return CWinApp::HandleCommand(id, code);
    }
}

bool CScrivelApp::UpdateCommand(CCmdUI& ui)
{
    if (ui.m_nID == ID_VIEW_CHECKS) {
        ui.Enable(m_checks != nullptr);
        ui.SetCheck(m_bCheckAsYouType ? 1 : 0);
        return true;
    }
    if (ui.m_nID == ID_VIEW_AUTO_COMPLETE) {
        ui.Enable(true);
        ui.SetCheck(m_bAutoComplete ? 1 : 0);
        return true;
    }
    return CWinApp::UpdateCommand(ui);
}

void CScrivelApp::ReadCatalogue()
{
    // The catalogue is about 70 KB; a file many times that is not ours.
    constexpr unsigned long kRoom = 1ul << 20;
    m_catalogue.ReadText(FileText(ProgramFolder() + "\\" + directives::kCatalogueName, kRoom));
}

const std::vector<std::string>& CScrivelApp::AccessFileNames()
{
    if (!m_accessFileNames.empty())
        return m_accessFileNames;
    constexpr unsigned long kRoom = 8ul << 20;
    const std::string folder = GetProfileString(settings::kSection, settings::kApachePath, "");
    const std::string text = folder.empty() ? std::string() : FileText(folder + "\\conf\\httpd.conf", kRoom);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const conf::LineHead head = conf::HeadOf(line);
        if (head.kind == conf::LineHead::kDirective && confpath::EqualNoCase(head.name, "AccessFileName")) {
            for (const std::string& name : SplitArguments(line.substr(head.nameStart + head.name.size())))
                m_accessFileNames.push_back(name);
        }
    }
    if (m_accessFileNames.empty())
        m_accessFileNames.push_back(".htaccess");
    return m_accessFileNames;
}

void CScrivelApp::SaveAllAndTest()
{
    SaveAllModified();  // a cancelled question does not stop the test
    // A Launcher that has ended may have left its window's handle behind: asking it would
    // come to nothing, so the user is told as when there is no Launcher.
    HWND launcher = m_shared.GetLauncherWnd();
    if (launcher && ::IsWindow(launcher) && ::PostMessageA(launcher, WM_LAUNCHER_NOTIFY, LN_TEST_CONFIG, 0)) {
        if (CMainFrame* frame = MainFrame())
            frame->AwaitTestAnswer();
        return;
    }
    if (CMainFrame* frame = MainFrame())
        frame->ShowError(texts::kStartLauncherFirst);
}

// Scrivel has no About box of its own: the Launcher shows the product's.
void CScrivelApp::OnAppAbout()
{
    HWND launcher = m_shared.GetLauncherWnd();
    if (launcher && ::IsWindow(launcher))
        ::PostMessageA(launcher, WM_LAUNCHER_NOTIFY, LN_SHOW_ABOUT, 0);
}
