#include "VQEditView.h"

#include "Document.h"
#include "EditorWindow.h"

IMPLEMENT_DYNCREATE(CVQEditView)

CVQEditView::CVQEditView() = default;

CVQEditView::~CVQEditView() = default;

void CVQEditView::UpdateViews() {
    if (CDocument* doc = GetDocument()) doc->UpdateAllViews(this);
}

void CVQEditView::OnInitialUpdate() {
    // A freshly loaded text starts at its top, with the settings it now has.
    InitView();
    TopOfFile(TRUE);
}

void CVQEditView::OnUpdate(CView*, LPARAM) { UpdateEditor(); }

void CVQEditView::OnDraw(CDC*) {}
