// The application's documents: its templates, opening by path (an open document is
// activated instead of loaded twice), save all, close all and the File commands.
#include <windows.h>

#include <commdlg.h>

#include "DocTemplate.h"
#include "Document.h"
#include "FrameWnd.h"
#include "LongPath.h"
#include "ModuleCalls.h"
#include "PrintInfo.h"
#include "View.h"
#include "WinApp.h"
#include "Wnd.h"

namespace {
HWND DialogOwner()
{
    HWND active = ::GetActiveWindow();
    if (active)
        return active;
    CWnd* main = AfxGetMainWnd();
    return main ? main->m_hWnd : nullptr;
}
}  // namespace

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate)
{
    m_templates.emplace_back(docTemplate);
}

CDocument* CWinApp::OpenDocumentFile(const char* path)
{
    if (m_templates.empty())
        return nullptr;
    if (!path)
        return AfxGuarded(m_templates.front().get())->OpenDocumentFile(nullptr, true);
    std::string full = FullPathOf(path);
    for (const auto& docTemplate : m_templates) {
        if (CDocument* open = docTemplate->FindOpenDocument(full.c_str())) {
            CView* view = open->GetFirstView();
            if (CFrameWnd* frame = view ? view->GetParentFrame() : nullptr)
                AfxGuarded(frame)->ActivateFrame(-1);
            return open;
        }
    }
    return AfxGuarded(m_templates.front().get())->OpenDocumentFile(full.c_str(), true);
}

bool CWinApp::SaveAllModified()
{
    for (const auto& docTemplate : m_templates) {
        if (!docTemplate->SaveAllModified())
            return false;
    }
    return true;
}

void CWinApp::CloseAllDocuments(bool endSession)
{
    for (const auto& docTemplate : m_templates)
        docTemplate->CloseAllDocuments(endSession);
}

std::size_t CWinApp::GetOpenDocumentCount() const
{
    std::size_t count = 0;
    for (const auto& docTemplate : m_templates)
        count += docTemplate->Documents().size();
    return count;
}

bool CWinApp::DoPromptFileName(std::string& path, const char* title, bool open)
{
    char file[MAX_PATH * 4] = {};
    path.copy(file, sizeof(file) - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = DialogOwner();
    ofn.lpstrFilter = "All Files (*.*)\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING |
                (open ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    BOOL chosen = open ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (!chosen)
        return false;
    path = file;
    return true;
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        AfxGuarded(m_templates.front().get())->OpenDocumentFile(nullptr, true);
}

void CWinApp::OnFileOpen()
{
    std::string path;
    if (DoPromptFileName(path, "Open", true))
        AfxGuarded(this)->OpenDocumentFile(path.c_str());
}

bool CWinApp::DoPrintDialog(PRINTDLGA& dialog)
{
    // The dialog may hand back other handles than it was given, whatever the answer.
    dialog.hDevMode = m_hDevMode.Release();
    dialog.hDevNames = m_hDevNames.Release();
    const BOOL chosen = ::PrintDlgA(&dialog);
    m_hDevMode.Reset(dialog.hDevMode);
    m_hDevNames.Reset(dialog.hDevNames);
    dialog.hDevMode = nullptr;
    dialog.hDevNames = nullptr;
    return chosen != FALSE;
}

HDC CWinApp::CreatePrinterDC() const
{
    if (!m_hDevNames)
        return nullptr;
    const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_hDevNames.Get()));
    if (!names)
        return nullptr;
    const auto* mode = m_hDevMode ? static_cast<const DEVMODEA*>(::GlobalLock(m_hDevMode.Get())) : nullptr;
    const char* base = reinterpret_cast<const char*>(names);
    HDC dc = ::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    if (mode)
        ::GlobalUnlock(m_hDevMode.Get());
    ::GlobalUnlock(m_hDevNames.Get());
    return dc;
}

void CWinApp::OnFilePrintSetup()
{
    if (!AfxPrinterInstalled()) {
        AfxMessageBox("No printer is installed. Install a printer to set up printing.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    PRINTDLGA setup{};
    setup.lStructSize = sizeof(setup);
    setup.hwndOwner = DialogOwner();
    setup.Flags = PD_PRINTSETUP;
    if (DoPrintDialog(setup))
        return;
    if (::CommDlgExtendedError() != 0)
        AfxMessageBox("No printer is installed. Install a printer to set up printing.", MB_OK | MB_ICONEXCLAMATION);
}
