#include "ScrivelDoc.h"

#include <windows.h>

#include "SafeFileWrite.h"
#include "ScrivelApp.h"
#include "ScrivelTexts.h"
#include "StatusTexts.h"
#include "Wnd.h"

IMPLEMENT_DYNCREATE(CScrivelDoc)

namespace {
// What the user is told when the buffer could not be written; the file on disk is intact.
const char* SaveFailureText(int result)
{
    using tessaly::editor::WriteResult;
    switch (static_cast<WriteResult>(result)) {
    case WriteResult::TargetReadOnly:
        return texts::kSaveReadOnly;
    case WriteResult::TargetLocked:
        return texts::kSaveLocked;
    case WriteResult::NoTemporaryFile:
        return texts::kSaveNoTemporary;
    case WriteResult::WriteFailed:
        return texts::kSaveWriteFailed;
    case WriteResult::ReplaceFailed:
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
    return true;
}

bool CScrivelDoc::OnOpenDocument(const char* path)
{
    if (!CDocument::OnOpenDocument(path))
        return false;
    if (m_Edit.ReadFile(path) != 0)
        return false;
    m_Edit.Refresh();
    ScrivelApp().RegisterDocument(path, this);
    return true;
}

bool CScrivelDoc::OnSaveDocument(const char* path)
{
    ScrivelApp().m_bSaved = 1;
    const int result = m_Edit.WriteFile(path);
    if (result != 0) {
        AfxMessageBox(WithPath(SaveFailureText(result), path).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void CScrivelDoc::SetPathName(const char* path)
{
    CDocument::SetPathName(path);
    ScrivelApp().RegisterDocument(GetPathName().c_str(), this);
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
