#include "TestsdiDoc.h"

#include <windows.h>

#include "LogFileResults.h"
#include "TestsdiView.h"
#include "Wnd.h"

IMPLEMENT_DYNCREATE(CTestsdiDoc)

namespace {

// How the editor component's write of the copy went, in the terms of the viewer's texts.
LogSaveResult SaveResultOf(int written, unsigned long error)
{
    LogSaveResult result;
    result.systemError = error;
    switch (written) {
        case VQ_FILE_OK:
            result.outcome = LogSaveOutcome::Saved;
            break;
        case VQ_WRITE_STOPPED:
            result.outcome = LogSaveOutcome::Cancelled;
            break;
        case VQ_WRITE_SOURCE_CUT_SHORT:
            result.outcome = LogSaveOutcome::SourceCutShort;
            break;
        case VQ_WRITE_NO_FOLDER:
            result.outcome = LogSaveOutcome::TargetFolderMissing;
            break;
        case VQ_WRITE_IS_FOLDER:
            result.outcome = LogSaveOutcome::TargetIsFolder;
            break;
        case VQ_WRITE_READ_ONLY:
            result.outcome = LogSaveOutcome::TargetReadOnly;
            break;
        case VQ_WRITE_NO_TEMPORARY:
            result.outcome = LogSaveOutcome::TargetNotCreated;
            break;
        case VQ_WRITE_DISK_FULL:
            result.outcome = LogSaveOutcome::DiskFull;
            break;
        case VQ_WRITE_FAILED:
            result.outcome = LogSaveOutcome::WriteFailed;
            break;
        default:
            result.outcome = LogSaveOutcome::ReplaceFailed;
            break;
    }
    return result;
}

}  // namespace

CTestsdiDoc::CTestsdiDoc() = default;

CTestsdiDoc::~CTestsdiDoc() = default;

bool CTestsdiDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    for (CView* view : GetViews()) {
        if (auto* text = dynamic_cast<CTestsdiView*>(view))
            text->SetWindowTextA("");
    }
    return true;
}

bool CTestsdiDoc::OnOpenDocument(const char* path)
{
    DeleteContents();
    SetModifiedFlag(false);
    m_edit.SetSyntaxColoring(FALSE);
    return m_edit.ReadFile(path) == VQ_FILE_OK;
}

bool CTestsdiDoc::OnSaveDocument(const char* path)
{
    // Exactly the text shown: a log shown from disk is copied block by block up to the
    // length shown, never what the server appended since; a long copy shows the
    // component's progress box over the frame, where the user may stop it.
    HWND progressWindow = nullptr;
    for (CView* view : GetViews()) {
        if (view->m_hWnd)
            progressWindow = view->m_hWnd;
    }
    const int written = m_edit.WriteFile(path, progressWindow);
    const LogSaveResult result = SaveResultOf(written, ::GetLastError());
    if (result.Saved()) {
        // The copy is shown from now on: it does not grow, so it is no longer followed, and
        // the log itself is no longer held open.
        if (!m_edit.IsFiltered() && ::lstrcmpiA(path, GetPathName().c_str()) != 0) {
            m_edit.ShowCopy(path);
            for (CView* view : GetViews()) {
                if (auto* text = dynamic_cast<CTestsdiView*>(view))
                    text->ShowsCopy();
            }
        }
        return true;
    }
    const std::string text = SaveFailureText(result, path);
    if (!text.empty())
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool CTestsdiDoc::DoSave(const char* path, bool replace)
{
    if (!m_edit.IsFiltered())
        return CDocument::DoSave(path, replace);
    const std::string logPath = GetPathName();
    const std::string logTitle = GetTitle();
    if (!CDocument::DoSave(path, replace))
        return false;
    if (!logPath.empty())
        SetPathName(logPath.c_str());
    SetTitle(logTitle.c_str());
    return true;
}
