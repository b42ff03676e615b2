#include "ScrivelView.h"

#include "FwIds.h"
#include "KeywordHelp.h"
#include "ScrivelApp.h"
#include "ScrivelDoc.h"
#include "resource.h"

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
    if (ui.m_nID == ID_HELP_KEYWORD) {
        std::string word;
        std::string helpPath;
        const bool hasHelp = LookUpKeyword(word, helpPath) && !helpPath.empty();
        ui.SetText(keywordhelp::MenuText(word, hasHelp).c_str());
        ui.Enable(hasHelp);
        return true;
    }
    if (ui.m_nID == ID_NEXT_PROBLEM || ui.m_nID == ID_PREV_PROBLEM) {
        ui.Enable(ScrivelApp().m_bCheckAsYouType);
        return true;
    }
    if (ui.m_nID == ID_OPEN_INCLUDED) {
        ui.Enable(true);
        return true;
    }
    if (ui.m_nID == ID_EDIT_COMPLETE) {
        ui.Enable(!ScrivelApp().m_catalogue.Empty());
        return true;
    }
    return CVQEditView::UpdateCommand(ui);
}
