#include "TestsdiView.h"

#include <editor/Colors.h>
#include "TestsdiDoc.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CTestsdiView)

CTestsdiView::CTestsdiView() = default;

CTestsdiView::~CTestsdiView() = default;

CTestsdiDoc* CTestsdiView::GetDocument() const
{
    return static_cast<CTestsdiDoc*>(m_pDocument);
}

CVQEdit* CTestsdiView::GetEdit()
{
    CTestsdiDoc* doc = GetDocument();
    return doc ? &doc->m_edit : nullptr;
}

bool CTestsdiView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    return CVQEditView::PreCreateWindow(cs);
}

int CTestsdiView::OnCreate(CREATESTRUCTA* cs)
{
    if (CVQEditView::OnCreate(cs) == -1)
        return -1;
    m_Colors.ReadSettings();
    m_Colors.m_bColoring = FALSE;
    if (CVQEdit* edit = GetEdit()) {
        edit->SetSyntaxColoring(FALSE);
        edit->SetReadOnly(TRUE);
    }
    return 0;
}

void CTestsdiView::ApplyEditorSettings()
{
    CVQEdit* edit = GetEdit();
    if (!edit)
        return;
    edit->Refresh();
    m_Colors.m_bColoring = FALSE;
    edit->SetSyntaxColoring(FALSE);
    InitView();
    UpdateEditor();
}

void CTestsdiView::OnGoUp()
{
    TopOfFile(TRUE);
}

void CTestsdiView::OnGoDown()
{
    BottomOfFile(TRUE);
    BeginningOfLine(TRUE);
}

bool CTestsdiView::HandleCommand(UINT id, UINT code)
{
    switch (id) {
        case ID_GO_UP:
            OnGoUp();
            return true;
        case ID_GO_DOWN:
            OnGoDown();
            return true;
        default:
            return CVQEditView::HandleCommand(id, code);
    }
}

bool CTestsdiView::UpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
        case ID_GO_UP:
        case ID_GO_DOWN:
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_PREVIEW:
            ui.Enable(true);
            return true;
        default:
            return CVQEditView::UpdateCommand(ui);
    }
}
