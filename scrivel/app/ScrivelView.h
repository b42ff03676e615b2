#pragma once
// CScrivelView: an editor view of a configuration document. The editor component does the
// editing, scrolling, Edit commands and printing; this view names the document's buffer,
// enables Save while the buffer holds unsaved changes, and shows the manual page of the
// keyword at the caret (F1, or the Help menu's item that names the keyword).

#include <string>
#include <vector>

#include <editor/VQEditView.h>

#include "CompletionList.h"
#include "Handles.h"
#include "Problem.h"

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

    // The syntax line of the directive on the caret's line (its statement's first line when
    // it goes on over several), "" when there is none.
    std::string CaretSyntaxLine();
    // The caret's line (from 0) and column, as the selection's start.
    int CaretLine();
    int CaretColumn();
    // A line of the text, or its first `room` bytes.
    std::string LineText(int line, int room = 0x7FFFFFFF);

    // Completion: the list of what may stand at the caret, or a section's end after "</"
    // (`automatic`: asked for by typing, only after three letters of a directive name).
    void StartCompletion(bool automatic);
    bool IsCompletionShown() const { return m_completion.IsShown(); }

    // Ctrl+Enter: the file an Include line names opened, or the path of a LoadModule,
    // DocumentRoot or ServerRoot line checked.
    void OpenIncluded();
    bool LineNamesPath(int line);

    // The checks: the document's problems underlined (hint kHintProblems when they changed),
    // the message of the one at the caret ("" when none), and F8 / Shift+F8.
    static constexpr LPARAM kHintProblems = 0x5C0C;
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint) override;
    std::string CaretProblemText();
    void GoToProblem(bool forward);

    bool PreTranslateMessage(MSG* msg) override;

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;

private:
    // The word at the caret when it may have help, with its help path ("" when none).
    bool LookUpKeyword(std::string& word, std::string& helpPath);

    // Completion's share of the view's messages; true when the message was used up.
    bool OnCompletionMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void InsertCompletion();
    void OnCharTyped(WPARAM ch);
    // The caret as a character index, -1 with a selection.
    LRESULT CaretIndex();

    // The server's folder: "ApachePath", else the folder above the file's.
    std::string ServerFolder();
    // One of `files`, chosen from a menu at the caret when there are several; "" for none.
    std::string ChooseFile(const std::vector<std::string>& files);

    const std::vector<check::Problem>& Problems() const;
    void ShowProblems();
    bool OnProblemTipMessage(UINT msg, LPARAM lParam);
    void HideProblemTip();

    CCompletionList m_completion;
    std::vector<VQMark> m_problemMarks;  // memory kept between answers of the checks
    CWindowHandle m_problemTip;          // the message of the mark under the mouse
    std::string m_strTipShown;
    LRESULT m_nCompletionStart = 0;  // where the name being completed starts
};
