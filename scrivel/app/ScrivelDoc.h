#pragma once
// CScrivelDoc: one open configuration file. Its text lives in the editor component's buffer,
// which reads and writes the file; the document keeps the framework's modified flag in line
// with the buffer before asking whether to save.

#include "DirectiveCatalogue.h"
#include "DocChecks.h"
#include "DocSections.h"
#include "IncludedPath.h"
#include "Document.h"
#include <editor/VQEdit.h>

class CScrivelDoc : public CDocument {
    DECLARE_DYNCREATE(CScrivelDoc)
public:
    CVQEdit m_Edit;
    CDocSections m_sections{m_Edit};
    // The checks of the text as it is typed; the views show what they found.
    CDocChecks m_checks{m_Edit, [this] { OnProblemsChanged(); }};
    // The context of the file's top level: server config, .htaccess for a file named like
    // the configuration's AccessFileName, or that of the Include line it was opened from.
    unsigned m_nFileContext = directives::kServerConfig;
    // Variables and ServerRoot from the file that included this one, when it was opened
    // from its Include line.
    includes::PathState m_pathState;

    bool OnNewDocument() override;
    bool OnOpenDocument(const char* path) override;
    bool OnSaveDocument(const char* path) override;
    // The document is found under its new name once it has one (Save As included).
    void SetPathName(const char* path) override;
    void OnCloseDocument() override;
    bool SaveModified() override;
    // A document with a file is saved under its name even when the file is read-only or its
    // folder is gone, so that the user learns why it failed; only a new one asks for a name.
    bool DoFileSave() override;

private:
    void OnProblemsChanged();
};
