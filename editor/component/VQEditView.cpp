#include <editor/VQEditView.h>

#include "Document.h"
#include "EditorWindow.h"
#include "VQEditViewPrintLayout.h"

IMPLEMENT_DYNCREATE(CVQEditView)

CVQEditView::CVQEditView() : m_pPrint(std::make_unique<PrintLayout>()) {}

CVQEditView::~CVQEditView() = default;

void CVQEditView::UpdateViews()
{
    if (CDocument* doc = GetDocument())
        doc->UpdateAllViews(this);
}

void CVQEditView::OnInitialUpdate()
{
    // A freshly loaded text starts at its top, with the settings it now has.
    InitView();
    TopOfFile(TRUE);
}

void CVQEditView::OnUpdate(CView*, LPARAM)
{
    UpdateEditor();
}

void CVQEditView::OnDraw(CDC*) {}
