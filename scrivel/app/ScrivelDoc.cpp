#include "ScrivelDoc.h"

#include <windows.h>

#include "ConfPath.h"
#include "ScrivelApp.h"
#include "ScrivelTexts.h"
#include "ScrivelView.h"
#include "StatusTexts.h"
#include "Wnd.h"

IMPLEMENT_DYNCREATE(CScrivelDoc)

namespace {
// What the user is told when the buffer could not be written; the file on disk is intact.
const char* SaveFailureText(int result)
{
    switch (result) {
        case VQ_WRITE_READ_ONLY:
            return texts::kSaveReadOnly;
        case VQ_WRITE_LOCKED:
            return texts::kSaveLocked;
        case VQ_WRITE_NO_TEMPORARY:
        case VQ_WRITE_NO_FOLDER:
            return texts::kSaveNoTemporary;
        case VQ_WRITE_FAILED:
        case VQ_WRITE_DISK_FULL:
            return texts::kSaveWriteFailed;
        case VQ_WRITE_REPLACE_FAILED:
            return texts::kSaveReplaceFailed;
        default:
            return texts::kSaveFailed;
    }
}
}  // namespace

bool CScrivelDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    m_Edit.Refresh();
    if (ScrivelApp().m_bCheckAsYouType)
        m_checks.Start(std::string());
    return true;
}

bool CScrivelDoc::OnOpenDocument(const char* path)
{
    if (!CDocument::OnOpenDocument(path))
        return false;
    if (m_Edit.ReadFile(path) != VQ_FILE_OK)
        return false;
    const std::string name = confpath::FileName(confpath::ToForwardSlashes(path));
    for (const std::string& accessFile : ScrivelApp().AccessFileNames()) {
        if (confpath::EqualNoCase(name, accessFile))
            m_nFileContext = directives::kHtaccess;
    }
    m_Edit.Refresh();
    ScrivelApp().RegisterDocument(path, this);
    if (ScrivelApp().m_bCheckAsYouType)
        m_checks.Start(path, m_nFileContext == directives::kHtaccess);
    return true;
}

bool CScrivelDoc::OnSaveDocument(const char* path)
{
    ScrivelApp().m_bSaved = 1;
    const int result = m_Edit.WriteFile(path);
    if (result != VQ_FILE_OK) {
        AfxMessageBox(WithPath(SaveFailureText(result), path).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void CScrivelDoc::SetPathName(const char* path)
{
    CDocument::SetPathName(path);
    ScrivelApp().RegisterDocument(GetPathName().c_str(), this);
    // Under another name the file may belong to the configuration differently.
    if (ScrivelApp().m_bCheckAsYouType && GetPathName() != m_checks.Path())
        m_checks.Start(GetPathName(), m_nFileContext == directives::kHtaccess);
}

void CScrivelDoc::OnProblemsChanged()
{
    UpdateAllViews(nullptr, CScrivelView::kHintProblems);
}

void CScrivelDoc::OnCloseDocument()
{
    ScrivelApp().UnregisterDocument(this);
    CDocument::OnCloseDocument();
}

bool CScrivelDoc::SaveModified()
{
    SetModifiedFlag(m_Edit.IsModified() != FALSE);
    return CDocument::SaveModified();
}

bool CScrivelDoc::DoFileSave()
{
    if (GetPathName().empty())
        return CDocument::DoFileSave();
    return DoSave(GetPathName().c_str());
}
