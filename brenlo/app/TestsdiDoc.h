#pragma once
// CTestsdiDoc: the viewer's one document, the log shown. It owns the editor buffer the text
// view shows; it loads a log read-only and without colouring, and saves a copy of it.

#include "Document.h"
#include <editor/VQEdit.h>

class CTestsdiDoc : public CDocument {
    DECLARE_DYNCREATE(CTestsdiDoc)
public:
    CTestsdiDoc();
    ~CTestsdiDoc() override;

    // Untitled: also when the log chosen has vanished since the tree was filled, so the
    // pane does not go on showing the log before under an untitled name.
    bool OnNewDocument() override;
    bool OnOpenDocument(const char* path) override;
    bool OnSaveDocument(const char* path) override;
    // Save As of a filtered log writes the lines shown; the view stays on the log, under
    // its path and title.
    bool DoSave(const char* path, bool replace = true) override;

    CVQEdit m_edit;
};
