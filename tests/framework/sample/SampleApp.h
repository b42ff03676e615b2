#pragma once
// A small multi-document text editor on the framework, the shape Scrivel has: an MDI main
// frame, child frames, a text document and an edit-control view.

#include <string>

#include "CtrlView.h"
#include "Document.h"
#include "MDIFrameWnd.h"
#include "ToolBar.h"
#include "WinApp.h"

class CSampleApp : public CWinApp {
public:
    bool InitInstance() override;
    // Counts the exits in the registry, so a test can see that the exit hook ran.
    int ExitInstance() override;
};

class CSampleDoc : public CDocument {
    DECLARE_DYNCREATE(CSampleDoc)
public:
    std::string m_text;
    bool OnOpenDocument(const char* path) override;
    bool OnSaveDocument(const char* path) override;
    void DeleteContents() override { m_text.clear(); }
};

class CSampleView : public CCtrlView {
    DECLARE_DYNCREATE(CSampleView)
public:
    CSampleView() : CCtrlView("EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL) {}
    CSampleDoc* GetDocument() const { return static_cast<CSampleDoc*>(m_pDocument); }
    void OnUpdate(CView* sender, LPARAM hint) override;
    // The edit control's change notification comes back from the frame to this view.
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool UpdateCommand(CCmdUI& ui) override;

private:
    bool m_bLoading = false;
    bool m_bOverwrite = false;  // Insert switches it, the OVR indicator shows it
};

class CSampleChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CSampleChildFrame)
};

class CSampleMainFrame : public CMDIFrameWnd {
public:
    CToolBar m_wndToolBar;
    CReBar m_wndReBar;
    CStatusBar m_wndStatusBar;

protected:
    int OnCreate(CREATESTRUCTA* cs) override;
};

CSampleApp& SampleApp();
CSampleMainFrame* SampleMainFrame();
