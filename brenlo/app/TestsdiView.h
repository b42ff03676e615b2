#pragma once
// CTestsdiView: the log text, read-only and never syntax-coloured, in the editor component's
// view of the document's buffer; it may be filtered (the filter bar) and its error, warning
// and debug lines drawn in their colours. Go up and Go down move to the first and the last line. The view
// looks at the shown log through its open handle ten times a second: what is appended
// appears, and while it follows the end ("Follow end") the view keeps to the last line; a
// log cut short, replaced or deleted by the server is shown afresh or let go of.

#include <editor/VQEditView.h>

#include "FollowMode.h"
#include "LogKinds.h"

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
    void OnFollowEnd();
    bool IsFollowing() const { return m_follow.Following(); }
    // The shown text is a copy saved just now, which does not grow: it is no longer followed.
    void ShowsCopy();
    // Shows only the lines that pass (through the component), and what the status bar's
    // right-hand pane says of the view.
    void Filter(const char* text, bool matchCase, bool exclude, int context);
    ViewPaneFacts PaneFacts();
    // Error, warning and debug lines in their colours while "Highlight levels" is on.
    COLORREF GetLineTextColor(const char* text, int length) override;

    void OnInitialUpdate() override;

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnDestroy() override;
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;

private:
    void LookAtLog();
    void GoToEnd();
    // After the user moved the caret or scrolled: away from the end, following stops.
    void CheckStillAtEnd();
    void Tell(UINT textId);
    // Enter or a double click on a line of a filtered log: the whole log, at that line.
    void ShowLineInLog();
    void OnHighlightLevels();
    // The kind of the log shown, from its first lines (again while it has fewer).
    LogKind KindOfLog();
    void ForgetLogKind();
    // Shows whether the view follows (and what a filter shows) in the status bar at once.
    void ShowFollowState();

    CFollowMode m_follow{true};
    bool m_watching = false;  // a log from disk is shown, not a copy or nothing
    UINT m_findMessage = 0;
    bool m_filtering = false;
    bool m_filterAgain = false;  // the bar changed while the filter ran
    bool m_highlight = true;
    LogKind m_kind = LogKind::Neither;
    int m_kindSample = 0;           // lines the kind was told from
    LONGLONG m_kindLinesSeen = -1;  // lines the log had then
};
