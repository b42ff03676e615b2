#pragma once
// CView: a window that shows a document inside a frame. Takes part in command routing
// (the view, then its document), draws through OnDraw, and prints through the printing
// hooks.

#include <windows.h>

#include "FwApi.h"
#include "Wnd.h"

class CDC;
class CDocument;
class CPreviewWnd;
struct CCreateContext;
struct CPrintInfo;

class FWAPI CView : public CWnd {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    CView() = default;
    ~CView() override;

    bool IsView() const override { return true; }
    // A pane of a splitter with shared scroll bars scrolls with the splitter's bars.
    HWND GetScrollBarCtrl(int bar) const override;
    CDocument* GetDocument() const { return m_pDocument; }
    CDocument* m_pDocument = nullptr;
    CPreviewWnd* m_pPreviewWnd = nullptr;  // the preview of this view while it is open

    bool OnCmdMsg(UINT id, UINT code, CCmdUI* ui) override;
    bool PreCreateWindow(CREATESTRUCTA& cs) override;

    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, LPARAM hint);
    virtual void OnDraw(CDC* dc);
    virtual void OnActivateView(bool activate, CView* activated, CView* deactivated);
    virtual void OnActivateFrame(UINT state, CFrameWnd* frame);

    // Printing hooks, called by the framework's print and preview paths.
    virtual bool OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // Gets the printer (its dialog unless direct, or nothing for a preview); false when
    // the user cancelled or there is no printer, which the user is told.
    bool DoPreparePrinting(CPrintInfo* info);
    // Draws page info->m_nCurPage onto `dc` (a printer page, a metafile or a bitmap) whose
    // printable area is `page`, in the DC's units.
    void RenderPage(CDC* dc, CPrintInfo* info, const RECT& page);

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnPaint() override;
    void OnDestroy() override;
    void PostNcDestroy() override;

    virtual void OnFilePrint(bool direct);
    virtual void OnFilePrintPreview();
};
