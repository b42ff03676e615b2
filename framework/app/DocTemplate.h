#pragma once
// Document templates: which document, frame and view classes show a kind of file, with the
// strings, menu and accelerators of one resource id. The single-document template reuses
// its one document and frame; the multi-document template makes a child frame per document
// and names new documents after itself ("Scrivel1", "Scrivel2", ...).

#include <windows.h>

#include <string>
#include <vector>

#include "CmdTarget.h"
#include "FrameWnd.h"
#include "FwApi.h"

class CDocument;

class FWAPI CDocTemplate : public CCmdTarget {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    // The parts of the template's string, separated by line feeds.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CDocTemplate(UINT idResource, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    ~CDocTemplate() override;

    bool GetDocString(std::string& out, DocStringIndex index) const;

    // Opens `path` (null: a new untitled document) and shows it; null on failure.
    virtual CDocument* OpenDocumentFile(const char* path, bool makeVisible = true) = 0;
    virtual void SetDefaultTitle(CDocument* doc) = 0;
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, bool makeVisible = true);
    virtual void AddDocument(CDocument* doc);
    virtual void RemoveDocument(CDocument* doc);
    const std::vector<CDocument*>& Documents() const { return m_docList; }
    // The open document whose full path equals `path` without regard to case, or null.
    CDocument* FindOpenDocument(const char* path) const;
    bool SaveAllModified();
    void CloseAllDocuments(bool endSession);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CMenuHandle m_hMenuShared;  // the document menu
    HACCEL m_hAccelTable = nullptr;

protected:
    // A new document in a new frame; on failure nothing, and no document left behind.
    CFrameWnd* CreateDocumentAndFrame(CDocument*& doc);

    std::string m_strDocStrings;
    std::vector<CDocument*> m_docList;
};

class FWAPI CMultiDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    CDocument* OpenDocumentFile(const char* path, bool makeVisible = true) override;
    void SetDefaultTitle(CDocument* doc) override;
    UINT m_nUntitledCount = 0;
};

class FWAPI CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    CDocument* OpenDocumentFile(const char* path, bool makeVisible = true) override;
    void SetDefaultTitle(CDocument* doc) override;
};

// The title of a new document of a template without a document name.
#define FW_UNTITLED_NAME "Untitled"
