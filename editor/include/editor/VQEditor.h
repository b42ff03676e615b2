#pragma once
// CVQEditor<Base>: the editing layer on a framework window (a view or a plain window). It
// shows the buffer its GetEdit names, turns the window's messages into editing, and
// handles the Edit commands with their enabled states.
#include <windows.h>

#include <memory>
#include <string>

#include "View.h"
#include "Wnd.h"
#include <editor/EditorApi.h>
#include <editor/VQEdit.h>
#include <editor/VQEditorIds.h>
#include <editor/VQMarks.h>

namespace tessaly::editor {
class EditorWindow;
}

template <class Base>
class CVQEditor : public Base {
public:
    CVQEditor();
    ~CVQEditor() override;

    // The buffer shown; derived classes return their document's. Without one the window
    // shows an empty buffer of its own.
    virtual CVQEdit* GetEdit();

    // Caret to the start of a line, numbered from 1 as the server's reports do.
    void GotoLine(int line);
    // The word at the caret (letters, digits, underscore), or "" when there is none.
    BOOL GetSelWord(char* word, int size = 256);
    BOOL GetSelWord(std::string& word);
    // Re-reads the buffer's font, colours and tab settings and repaints.
    virtual void InitView();
    // Repaints with the buffer's current settings.
    void UpdateEditor();
    void TopOfFile(BOOL scroll = TRUE);
    void BottomOfFile(BOOL scroll = TRUE);
    void BeginningOfLine(BOOL scroll = TRUE);
    // Sets the whole text, read-only or not.
    void SetWindowTextA(const char* text);
    // The font the text is shown in, or null before the window exists.
    HFONT GetFont() const;
    // Typing replaces characters (Insert toggles it).
    BOOL IsOverwrite() const;
    // Scrolls so that this line (from 0) is the first one shown.
    void SetScrollPosition(int firstLine);
    // Caret to the start of the last line (as BottomOfFile then BeginningOfLine), shown.
    void StartOfLastLine();
    // The caret is on the last line and that line is shown (as after BottomOfFile).
    BOOL IsAtEnd();

    // The parts of the text to underline in the colours of "Error mark" and "Warning mark";
    // replaces those given before (count 0 clears them).
    void SetMarks(const VQMark* marks, int count);
    // The mark under a point of the window's client area, or null.
    const VQMark* MarkAtPoint(POINT point) const;

    // Shows only the lines of the text that hold one of the texts typed (separated by '|',
    // "\|" for a bar itself), or with exclude none of them, with `context` lines (0 to 9)
    // around each. A thread finds them while the first ones show; after a short while the
    // progress box lets the user stop it, keeping the lines found. The caret stays on its
    // line, or goes to the next one shown. Copy, Find, printing, saving and the standard
    // edit messages then work on the lines shown.
    enum FilterResult { VQ_FILTER_SHOWS_ALL, VQ_FILTER_DONE, VQ_FILTER_STOPPED, VQ_FILTER_BUSY };
    int SetFilter(const char* text, BOOL matchCase, BOOL exclude, int context);
    // Shows the whole text again, the caret at the start of the line it was on (so a
    // line of the filtered text is found in the whole one).
    void ClearFilter();
    // The colour of a line's text from its first 16 KiB (its line end left out), or
    // CLR_INVALID for the settings' text colour. Called while painting, once
    // EnableLineColors(TRUE) asked for it (the window must exist): it must not throw.
    virtual COLORREF GetLineTextColor(const char* text, int length);
    void EnableLineColors(BOOL on);

    bool PreTranslateMessage(MSG* msg) override;
    tessaly::editor::EditorWindow* GetEditorWindow() const { return m_pEditor.get(); }

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnDestroy() override;
    bool HandleCommand(UINT id, UINT code) override;
    bool UpdateCommand(CCmdUI& ui) override;

private:
    CVQEdit& ShownEdit();

    std::unique_ptr<tessaly::editor::EditorWindow> m_pEditor;
    std::unique_ptr<CVQEdit> m_pOwnEdit;
};

extern template class EDITORAPI CVQEditor<CView>;
extern template class EDITORAPI CVQEditor<CWnd>;
