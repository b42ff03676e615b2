#pragma once
// CLogDocTemplate: the viewer's single-document template, one per call. Its frame is always
// top-level; opening a path that is gone or names a folder gives an untitled document.

#include <string>

#include "DocTemplate.h"

class CLogDocTemplate : public CSingleDocTemplate {
public:
    using CSingleDocTemplate::CSingleDocTemplate;

    CDocument* OpenDocumentFile(const char* path, bool makeVisible = true) override;
    CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other) override;

    CFrameWnd* m_pCreatedFrame = nullptr;  // the frame of the last frame creation
    std::string m_strLastPath;             // the path of the last open request
};
