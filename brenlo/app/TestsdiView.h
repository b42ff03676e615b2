#pragma once
// CTestsdiView: the log text, read-only and never coloured, in the editor component's view
// of the document's buffer. Go up and Go down move to the first and the last line.

#include <editor/VQEditView.h>

class CTestsdiDoc;

class CTestsdiView : public CVQEditView {
    DECLARE_DYNCREATE(CTestsdiView)
public:
    CTestsdiView();
    ~CTestsdiView() override;

    CTestsdiDoc* GetDocument() const;
    CVQEdit* GetEdit() override;

    // The editor settings read again (the Launcher said they changed); colouring stays off.
    void ApplyEditorSettings();
    void OnGoUp();
    void OnGoDown();

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;
};
