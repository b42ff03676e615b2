#include "TestsdiDoc.h"

#include <windows.h>

#include "LogFileResults.h"
#include "LogSaveCopy.h"
#include "TestsdiView.h"
#include "Wnd.h"

IMPLEMENT_DYNCREATE(CTestsdiDoc)

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
    const std::string& shown = GetPathName();
    if (shown.empty() || ::GetFileAttributesA(shown.c_str()) == INVALID_FILE_ATTRIBUTES)
        return m_edit.WriteFile(path) == VQ_FILE_OK;
    // The log is copied from disk block by block: a log of any size saves without being
    // held in memory, and the server may go on writing it meanwhile.
    LogSaveResult result = SaveLogCopy(shown, path);
    if (result.Saved())
        return true;
    std::string text = SaveFailureText(result, path);
    if (!text.empty())
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return false;
}
