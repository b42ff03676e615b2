#include "Document.h"

#include <algorithm>

#include "DocTemplate.h"
#include "FrameWnd.h"
#include "FwIds.h"
#include "Handles.h"
#include "LongPath.h"
#include "ModuleCalls.h"
#include "View.h"
#include "WinApp.h"

namespace {
std::string FileTitle(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ShowFileError(const char* format, const char* path)
{
    std::string text = format;
    std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}
}  // namespace

CDocument::~CDocument()
{
    if (m_pDocTemplate)
        AfxGuarded(m_pDocTemplate)->RemoveDocument(this);
}

void CDocument::SetTitle(const char* title)
{
    m_strTitle = title ? title : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(const char* path)
{
    m_strPathName = FullPathOf(path);
    AfxGuarded(this)->SetTitle(FileTitle(m_strPathName).c_str());
}

void CDocument::AddView(CView* view)
{
    m_viewList.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view)
{
    auto found = std::find(m_viewList.begin(), m_viewList.end(), view);
    if (found == m_viewList.end())
        return;
    m_viewList.erase(found);
    view->m_pDocument = nullptr;
    AfxGuarded(this)->OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.empty() && m_bAutoDelete && !m_bClosing) {
        AfxGuarded(this)->OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint)
{
    for (CView* view : m_viewList) {
        if (view != sender)
            AfxGuarded(view)->OnUpdate(sender, hint);
    }
}

void CDocument::UpdateFrameCounts()
{
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_viewList) {
        if (!view->IsWindow())
            continue;
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    int number = 1;
    for (CFrameWnd* frame : frames) {
        frame->m_nWindow = frames.size() > 1 ? number++ : 0;
        AfxGuarded(frame)->OnUpdateFrameTitle(true);
    }
}

bool CDocument::OnNewDocument()
{
    AfxGuarded(this)->DeleteContents();
    m_strPathName.clear();
    AfxGuarded(this)->SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const char* path)
{
    CFileHandle file(::CreateFileW(WideFilePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ShowFileError("Cannot open the file %s.", path);
        return false;
    }
    AfxGuarded(this)->DeleteContents();
    AfxGuarded(this)->SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const char* path)
{
    CFileHandle file(::CreateFileW(WideFilePath(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ShowFileError("Cannot save the file %s.", path);
        return false;
    }
    return true;
}

void CDocument::OnCloseDocument()
{
    if (m_bClosing)
        return;
    m_bClosing = true;
    bool autoDelete = m_bAutoDelete;
    // Destroying a frame destroys its views, which leave m_viewList one by one.
    while (!m_viewList.empty()) {
        CView* view = m_viewList.front();
        CFrameWnd* frame = view->IsWindow() ? view->GetParentFrame() : nullptr;
        if (frame && frame->IsWindow())
            AfxGuarded(frame)->DestroyWindow();
        else
            RemoveView(view);
    }
    AfxGuarded(this)->DeleteContents();
    m_bClosing = false;
    if (autoDelete)
        delete this;
}

void CDocument::DeleteContents() {}

bool CDocument::SaveModified()
{
    if (!IsModified())
        return true;
    std::string name = m_strPathName.empty() ? m_strTitle : FileTitle(m_strPathName);
    std::string question = "Save changes to " + name + "?";
    switch (AfxMessageBox(question.c_str(), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDYES:
            return AfxGuarded(this)->DoFileSave();
        case IDNO:
            AfxGuarded(this)->SetModifiedFlag(false);
            return true;
        default:
            return false;
    }
}

bool CDocument::CanCloseFrame(CFrameWnd* frame)
{
    // Another frame still shows the document: closing this one loses nothing.
    for (CView* view : m_viewList) {
        CFrameWnd* other = view->GetParentFrame();
        if (other && other != frame)
            return true;
    }
    return AfxGuarded(this)->SaveModified();
}

bool CDocument::DoFileSave()
{
    DWORD attributes = m_strPathName.empty() ? INVALID_FILE_ATTRIBUTES : FileAttributesOf(m_strPathName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return AfxGuarded(this)->DoSave(nullptr, true);
    return AfxGuarded(this)->DoSave(m_strPathName.c_str(), true);
}

bool CDocument::DoSave(const char* path, bool replace)
{
    std::string name = path ? path : "";
    if (name.empty()) {
        name = m_strPathName.empty() ? m_strTitle : m_strPathName;
        CWinApp* app = AfxGetApp();
        if (!app || !app->DoPromptFileName(name, replace ? "Save As" : "Save Copy As", false))
            return false;
    }
    bool existed = FileAttributesOf(name.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!AfxGuarded(this)->OnSaveDocument(name.c_str())) {
        // A new file that could not be written completely is not left behind.
        if (!existed)
            ::DeleteFileW(WideFilePath(name.c_str()).c_str());
        return false;
    }
    if (replace)
        AfxGuarded(this)->SetPathName(name.c_str());
    AfxGuarded(this)->SetModifiedFlag(false);
    return true;
}

bool CDocument::HandleCommand(UINT id, UINT)
{
    switch (id) {
        case ID_FILE_SAVE:
            AfxGuarded(this)->DoFileSave();
            return true;
        case ID_FILE_SAVE_AS:
            AfxGuarded(this)->DoSave(nullptr, true);
            return true;
        case ID_FILE_CLOSE:
            if (AfxGuarded(this)->SaveModified())
                AfxGuarded(this)->OnCloseDocument();
            return true;
        default:
            return false;
    }
}
