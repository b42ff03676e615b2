// The checks' thread of the application: made once the catalogue is read, told where the
// server's configuration starts, and switched on and off from the View menu.
#include <windows.h>

#include "ConfPath.h"
#include "DocChecks.h"
#include "MainFrm.h"
#include "RegistrySettingsBackend.h"
#include "ScrivelApp.h"
#include "ScrivelDoc.h"
#include "ServerSwitches.h"
#include "SettingsSchema.h"
#include "SettingsStore.h"

void CScrivelApp::StartChecks()
{
    if (m_catalogue.Empty() || !MainFrame())
        return;
    m_directiveIndex = std::make_unique<check::DirectiveIndex>(m_catalogue);
    const HWND frame = MainFrame()->m_hWnd;
    // The thread's news goes through the frame's queue, so that the problems are taken on the
    // window's thread.
    m_checks = std::make_unique<check::CheckWorker>(*m_directiveIndex, [frame](int document) {
        ::PostMessageA(frame, CMainFrame::kChecksAnswered, static_cast<WPARAM>(document), 0);
    });
    ConfigureChecks();
}

void CScrivelApp::ConfigureChecks()
{
    if (!m_checks)
        return;
    const CSettingsStore store(UserSettingsBackend());
    const std::string folder = confpath::ToForwardSlashes(store.ReadApachePath());
    const ServerSwitches switches = ReadServerSwitches(store.ReadCommandLine(settings::CommandLine::Test));
    check::ConfigStart start;
    start.serverFolder = switches.serverRoot.empty() ? folder : confpath::Join(folder, switches.serverRoot);
    start.mainFile =
        confpath::Join(start.serverFolder, switches.mainFile.empty() ? "conf/httpd.conf" : switches.mainFile);
    start.defines = switches.defines;
    if (folder.empty())
        start.mainFile.clear();  // no server known: each file is checked by itself
    m_checks->SetStart(std::move(start));
}

void CScrivelApp::SetCheckAsYouType(bool on)
{
    m_bCheckAsYouType = on;
    WriteProfileInt(settings::kSection, settings::kCheckAsYouType, on ? 1 : 0);
    if (on)
        ConfigureChecks();
    for (const RegisteredDocument& entry : m_openDocuments) {
        auto* doc = dynamic_cast<CScrivelDoc*>(entry.document);
        if (!doc)
            continue;
        if (on)
            doc->m_checks.Start(doc->GetPathName(), doc->m_nFileContext == directives::kHtaccess);
        else
            doc->m_checks.Stop();
    }
}
