#include "DocTemplate.h"

#include <algorithm>

#include "Document.h"
#include "FwMessages.h"
#include "ModuleCalls.h"
#include "View.h"
#include "WinApp.h"

CDocTemplate::CDocTemplate(UINT idResource, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(idResource), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass)
{
    HINSTANCE resources = AfxGetResourceHandle();
    m_strDocStrings = AfxLoadString(idResource);
    m_hMenuShared.Reset(::LoadMenuA(resources, MAKEINTRESOURCEA(idResource)));
    m_hAccelTable = ::LoadAcceleratorsA(resources, MAKEINTRESOURCEA(idResource));
}

CDocTemplate::~CDocTemplate()
{
    // Documents still open when the application ends go with their template.
    while (!m_docList.empty()) {
        CDocument* doc = m_docList.back();
        m_docList.pop_back();
        doc->m_pDocTemplate = nullptr;
        delete doc;
    }
}

bool CDocTemplate::GetDocString(std::string& out, DocStringIndex index) const
{
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = m_strDocStrings.find('\n', start);
        if (start == std::string::npos) {
            out.clear();
            return false;
        }
        ++start;
    }
    std::size_t end = m_strDocStrings.find('\n', start);
    out = m_strDocStrings.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return !out.empty();
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    if (!object)
        return nullptr;
    auto* doc = static_cast<CDocument*>(object);
    AfxGuarded(this)->AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other)
{
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    if (!object)
        return nullptr;
    auto* frame = static_cast<CFrameWnd*>(object);
    if (!AfxGuarded(frame)->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;  // a frame whose window existed deleted itself
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, bool makeVisible)
{
    frame->InitialUpdateFrame(doc, makeVisible);
}

void CDocTemplate::AddDocument(CDocument* doc)
{
    m_docList.push_back(doc);
    doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc)
{
    auto found = std::find(m_docList.begin(), m_docList.end(), doc);
    if (found != m_docList.end())
        m_docList.erase(found);
    doc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::FindOpenDocument(const char* path) const
{
    for (CDocument* doc : m_docList) {
        if (!doc->GetPathName().empty() && ::lstrcmpiA(doc->GetPathName().c_str(), path) == 0)
            return doc;
    }
    return nullptr;
}

bool CDocTemplate::SaveAllModified()
{
    std::vector<CDocument*> docs = m_docList;
    for (CDocument* doc : docs) {
        if (!AfxGuarded(doc)->SaveModified())
            return false;
    }
    return true;
}

void CDocTemplate::CloseAllDocuments(bool)
{
    while (!m_docList.empty())
        AfxGuarded(m_docList.front())->OnCloseDocument();
}

namespace {
// Discards a document whose frame could not be made or whose file could not be read.
void DiscardNewDocument(CDocument* doc, CFrameWnd* frame)
{
    if (frame && frame->IsWindow())
        AfxGuarded(frame)->DestroyWindow();  // destroys the views; the last one closes the document
    else
        delete doc;
}
}  // namespace

CFrameWnd* CDocTemplate::CreateDocumentAndFrame(CDocument*& doc)
{
    doc = AfxGuarded(this)->CreateNewDocument();
    if (!doc)
        return nullptr;
    bool autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = false;  // a failed frame must not take the document with it yet
    CFrameWnd* frame = AfxGuarded(this)->CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        doc = nullptr;
    }
    return frame;
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* path, bool makeVisible)
{
    CDocument* doc = nullptr;
    CFrameWnd* frame = CreateDocumentAndFrame(doc);
    if (!frame)
        return nullptr;
    if (!path) {
        AfxGuarded(this)->SetDefaultTitle(doc);
        if (!AfxGuarded(doc)->OnNewDocument()) {
            DiscardNewDocument(doc, frame);
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!AfxGuarded(doc)->OnOpenDocument(path)) {
            DiscardNewDocument(doc, frame);
            return nullptr;
        }
        AfxGuarded(doc)->SetPathName(path);
    }
    AfxGuarded(this)->InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* doc)
{
    std::string name;
    if (!GetDocString(name, docName))
        name = FW_UNTITLED_NAME;
    AfxGuarded(doc)->SetTitle((name + std::to_string(m_nUntitledCount + 1)).c_str());
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path, bool makeVisible)
{
    CDocument* doc = m_docList.empty() ? nullptr : m_docList.front();
    CFrameWnd* frame = nullptr;
    bool created = false;
    if (doc) {
        if (!AfxGuarded(doc)->SaveModified())
            return nullptr;
        CView* view = doc->GetFirstView();
        frame = view ? view->GetParentFrame() : nullptr;
    } else {
        frame = CreateDocumentAndFrame(doc);
        if (!frame)
            return nullptr;
        created = true;
    }

    if (!path) {
        AfxGuarded(this)->SetDefaultTitle(doc);
        if (!AfxGuarded(doc)->OnNewDocument()) {
            if (created)
                DiscardNewDocument(doc, frame);
            return nullptr;
        }
    } else {
        if (!AfxGuarded(doc)->OnOpenDocument(path)) {
            // The document shown before stays, with its path and title.
            if (created)
                DiscardNewDocument(doc, frame);
            return nullptr;
        }
        AfxGuarded(doc)->SetPathName(path);
    }
    if (frame) {
        if (created)
            AfxGuarded(this)->InitialUpdateFrame(frame, doc, makeVisible);
        else {
            frame->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, true);
            doc->UpdateFrameCounts();
            AfxGuarded(frame)->OnUpdateFrameTitle(true);
        }
    }
    return doc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* doc)
{
    std::string name;
    if (!GetDocString(name, docName))
        name = FW_UNTITLED_NAME;
    AfxGuarded(doc)->SetTitle(name.c_str());
}
