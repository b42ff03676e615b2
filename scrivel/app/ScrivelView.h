#pragma once
// CScrivelView: an editor view of a configuration document. The editor component does the
// editing, scrolling, Edit commands and printing; this view names the document's buffer,
// enables Save while the buffer holds unsaved changes, and shows the manual page of the
// keyword at the caret (F1, or the Help menu's item that names the keyword).

#include <string>

#include <editor/VQEditView.h>

struct NODE;

class CScrivelDoc;

class CScrivelView : public CVQEditView {
    DECLARE_DYNCREATE(CScrivelView)
public:
    CScrivelDoc* GetDocument() const;
    CVQEdit* GetEdit() override;
    void OnDraw(CDC* dc) override;

    // The manual page of the keyword at the caret in the documentation bar; a beep for a
    // keyword without one.
    void ShowKeywordHelp();

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;

private:
    // The word at the caret when it may have help, with its help path ("" when none).
    bool LookUpKeyword(std::string& word, std::string& helpPath);
};
