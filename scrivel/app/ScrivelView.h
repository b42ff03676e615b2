#pragma once
// CScrivelView: an editor view of a configuration document. The editor component does the
// editing, scrolling, Edit commands and printing; this view names the document's buffer and
// enables Save while the buffer holds unsaved changes.

#include <editor/VQEditView.h>

class CScrivelDoc;

class CScrivelView : public CVQEditView {
    DECLARE_DYNCREATE(CScrivelView)
public:
    CScrivelDoc* GetDocument() const;
    CVQEdit* GetEdit() override;
    void OnDraw(CDC* dc) override;

protected:
    bool UpdateCommand(CCmdUI& ui) override;
};
