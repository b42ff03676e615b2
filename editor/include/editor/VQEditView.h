#pragma once
// CVQEditView: a document's editor view. Derived views return their document's buffer
// from GetEdit; everything else a view does (editing, scrolling, the Edit commands,
// printing) is here.
#include <windows.h>

#include <string>

#include <memory>

#include <editor/EditorApi.h>
#include <editor/VQEditor.h>

class CDocument;

class EDITORAPI CVQEditView : public CVQEditor<CView> {
    DECLARE_DYNCREATE(CVQEditView)

public:
    CVQEditView();
    ~CVQEditView() override;

    CDocument* GetActiveDoc() const { return GetDocument(); }
    // Tells the document's other views that the text changed.
    void UpdateViews();

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint) override;
    void OnDraw(CDC* dc) override;

    bool OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;

private:
    // What one print job needs between its hooks.
    struct PrintLayout;
    std::unique_ptr<PrintLayout> m_pPrint;
};
