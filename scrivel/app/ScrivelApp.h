#pragma once
// CScrivelApp: Scrivel's application object. Refuses to run without the Launcher's block or
// beside another Scrivel, hands the main frame to the Launcher, reports the exit, and keeps
// the open documents by short path so a syntax-check report finds its file.

#include <string>
#include <vector>

#include <memory>

#include "CheckWorker.h"
#include "DirectiveCatalogue.h"
#include "SharedData.h"
#include "WinApp.h"

class CDocument;
class CMainFrame;

class CScrivelApp : public CWinApp {
public:
    int m_bSaved = 0;      // a document save was started in this run
    CSharedData m_shared;  // the Launcher's block, open for the whole run
    // The directives beside the program; empty when its file is missing or damaged, and
    // Scrivel then shows no syntax and completes nothing.
    directives::Catalogue m_catalogue;
    // Completion comes by itself after three letters of a directive name ("AutoComplete").
    bool m_bAutoComplete = true;
    // The configuration is checked as it is typed ("CheckAsYouType").
    bool m_bCheckAsYouType = true;
    // The checks' thread; null without a catalogue.
    check::CheckWorker* Checks() const { return m_checks.get(); }

    bool InitInstance() override;
    int ExitInstance() override;

    // Settings\Files: File0 to File99, up to the first empty one.
    void OpenConfiguredFiles();
    // Opens `path`; a missing file is offered for creation first. The document, or null.
    CDocument* OpenOrCreate(const char* path);

    // The open-document registry, by the short form of each document's path; a document
    // has one entry, which follows its path.
    void RegisterDocument(const char* path, CDocument* document);
    void UnregisterDocument(CDocument* document);
    CDocument* FindDocument(const char* path) const;
    // Whether `path` names an existing file or an open document.
    bool IsKnownFile(const char* path) const;

    // The names of the server's per-folder files: those of AccessFileName in the server's
    // conf\httpd.conf, else ".htaccess".
    const std::vector<std::string>& AccessFileNames();

    void SaveAllAndTest();
    CMainFrame* MainFrame() const;

protected:
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;

private:
    void ReadCatalogue();
    // The checks' thread, told where the configuration starts and what the "Test" command
    // line defines.
    void StartChecks();
    void ConfigureChecks();
    void SetCheckAsYouType(bool on);

    std::unique_ptr<check::DirectiveIndex> m_directiveIndex;
    std::unique_ptr<check::CheckWorker> m_checks;

    struct RegisteredDocument {
        CDocument* document;
        std::string shortPath;
    };
    std::vector<RegisteredDocument> m_openDocuments;
    std::vector<std::string> m_accessFileNames;  // read on first need

    void OnAppAbout();
};

CScrivelApp& ScrivelApp();
