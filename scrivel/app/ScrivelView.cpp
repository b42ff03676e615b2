#include "ScrivelView.h"

#include "FwIds.h"
#include "ScrivelDoc.h"

IMPLEMENT_DYNCREATE(CScrivelView)

CScrivelDoc* CScrivelView::GetDocument() const
{
    return static_cast<CScrivelDoc*>(m_pDocument);
}

CVQEdit* CScrivelView::GetEdit()
{
    CScrivelDoc* doc = GetDocument();
    return doc ? &doc->m_Edit : nullptr;
}

// The editor window paints itself.
void CScrivelView::OnDraw(CDC*) {}

bool CScrivelView::UpdateCommand(CCmdUI& ui)
{
    if (ui.m_nID == ID_FILE_SAVE) {
        CVQEdit* edit = GetEdit();
        ui.Enable(edit && edit->IsModified());
        return true;
    }
    return CVQEditView::UpdateCommand(ui);
}
