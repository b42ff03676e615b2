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
