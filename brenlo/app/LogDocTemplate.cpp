#include "LogDocTemplate.h"

#include <windows.h>

CDocument* CLogDocTemplate::OpenDocumentFile(const char* path, bool makeVisible)
{
    m_strLastPath = path ? path : "";
    if (path && makeVisible) {
        DWORD attributes = ::GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || attributes == FILE_ATTRIBUTE_DIRECTORY)
            path = nullptr;
    }
    return CSingleDocTemplate::OpenDocumentFile(path, true);
}

CFrameWnd* CLogDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd*)
{
    // No parent: the viewer's frame is a top-level window of its own.
    m_pCreatedFrame = CSingleDocTemplate::CreateNewFrame(doc, nullptr);
    return m_pCreatedFrame;
}
