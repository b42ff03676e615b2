#include <editor/VQEditor.h>

#include <algorithm>
#include <cstring>

#include <editor/Keywords.h>
#include "EditorWindow.h"
#include "FwIds.h"
#include "ModelessDialogs.h"
#include "ModuleCalls.h"
#include "SharedScrollBar.h"

using tessaly::editor::EditorWindow;

template <class Base>
CVQEditor<Base>::CVQEditor() = default;

template <class Base>
CVQEditor<Base>::~CVQEditor() = default;

template <class Base>
CVQEdit* CVQEditor<Base>::GetEdit()
{
    return nullptr;
}

template <class Base>
CVQEdit& CVQEditor<Base>::ShownEdit()
{
    if (CVQEdit* edit = GetEdit())
        return *edit;
    if (!m_pOwnEdit)
        m_pOwnEdit = std::make_unique<CVQEdit>();
    return *m_pOwnEdit;
}

template <class Base>
bool CVQEditor<Base>::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_IBEAM));
    return Base::PreCreateWindow(cs);
}

template <class Base>
int CVQEditor<Base>::OnCreate(CREATESTRUCTA* cs)
{
    if (Base::OnCreate(cs) == -1)
        return -1;
    // The view is in its document now, so GetEdit reaches the document's buffer.
    m_pEditor = std::make_unique<EditorWindow>(ShownEdit().Buffer(), &m_Keywords.Lookup());
    m_pEditor->Attach(this->m_hWnd);
    // The find dialog is modeless: the loops of Scrivel and of Brenlo pass it its keys.
    m_pEditor->SetDialogShownHandler(AfxRegisterModelessDialog);
    return 0;
}

template <class Base>
void CVQEditor<Base>::SetMarks(const VQMark* marks, int count)
{
    if (m_pEditor)
        m_pEditor->SetMarks(marks, marks != nullptr && count > 0 ? static_cast<std::size_t>(count) : 0);
}

template <class Base>
const VQMark* CVQEditor<Base>::MarkAtPoint(POINT point) const
{
    return m_pEditor ? m_pEditor->MarkAtPoint(point.x, point.y) : nullptr;
}

template <class Base>
void CVQEditor<Base>::OnDestroy()
{
    m_pEditor.reset();
    Base::OnDestroy();
}

template <class Base>
bool CVQEditor<Base>::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_CREATE:
        case WM_DESTROY:
        case WM_NCDESTROY:
        case WM_COMMAND:
        case WM_MOUSEACTIVATE:
            return Base::OnWndMsg(msg, wParam, lParam, result);
        default:
            break;
    }
    if (msg == tessaly::editor::SharedScrollBarMessage()) {
        *result = reinterpret_cast<LRESULT>(AfxGuarded(this)->GetScrollBarCtrl(static_cast<int>(wParam)));
        return true;
    }
    if (m_pEditor) {
        LRESULT answer = 0;
        if (m_pEditor->HandleMessage(msg, wParam, lParam, answer)) {
            *result = answer;
            return true;
        }
    }
    return Base::OnWndMsg(msg, wParam, lParam, result);
}

template <class Base>
bool CVQEditor<Base>::PreTranslateMessage(MSG* msg)
{
    // The find dialog's keys never come this way: the dialog is a top-level window of its
    // own, and the loop hands them to it (AfxRegisterModelessDialog).
    return Base::PreTranslateMessage(msg);
}

template <class Base>
bool CVQEditor<Base>::HandleCommand(UINT id, UINT code)
{
    if (!m_pEditor)
        return Base::HandleCommand(id, code);
    switch (id) {
        case ID_EDIT_UNDO:
            m_pEditor->Undo();
            return true;
        case ID_EDIT_REDO:
            m_pEditor->Redo();
            return true;
        case ID_EDIT_CUT:
            m_pEditor->Cut();
            return true;
        case ID_EDIT_COPY:
            m_pEditor->Copy();
            return true;
        case ID_EDIT_PASTE:
            m_pEditor->Paste();
            return true;
        case ID_EDIT_CLEAR:
            m_pEditor->Clear();
            return true;
        case ID_EDIT_FIND:
            m_pEditor->ShowFindDialog(false);
            return true;
        case ID_EDIT_REPLACE:
            m_pEditor->ShowFindDialog(true);
            return true;
        case ID_EDIT_REPEAT:
        case ID_VQ_FIND_NEXT:
            m_pEditor->FindNext();
            return true;
        case ID_EDIT_SELECT_ALL:
        case ID_VQ_SELECT_ALL:
            m_pEditor->SelectAll();
            return true;
        default:
            return Base::HandleCommand(id, code);
    }
}

template <class Base>
bool CVQEditor<Base>::UpdateCommand(CCmdUI& ui)
{
    if (!m_pEditor)
        return Base::UpdateCommand(ui);
    const bool hasText = m_pEditor->Buffer().Text().Length() > 0;
    switch (ui.m_nID) {
        case ID_EDIT_UNDO:
            ui.Enable(m_pEditor->CanUndo());
            return true;
        case ID_EDIT_REDO:
            ui.Enable(m_pEditor->CanRedo());
            return true;
        case ID_EDIT_CUT:
            ui.Enable(m_pEditor->CanCut());
            return true;
        case ID_EDIT_CLEAR:
            ui.Enable(m_pEditor->CanCut());
            return true;
        case ID_EDIT_COPY:
            ui.Enable(m_pEditor->CanCopy());
            return true;
        case ID_EDIT_PASTE:
            ui.Enable(m_pEditor->CanPaste());
            return true;
        case ID_EDIT_FIND:
        case ID_EDIT_REPEAT:
        case ID_VQ_FIND_NEXT:
        case ID_EDIT_SELECT_ALL:
        case ID_VQ_SELECT_ALL:
            ui.Enable(hasText);
            return true;
        case ID_EDIT_REPLACE:
            ui.Enable(hasText && m_pEditor->Buffer().CanEdit());
            return true;
        case ID_INDICATOR_OVR:
            ui.Enable(m_pEditor->IsOverwrite());
            return true;
        default:
            return Base::UpdateCommand(ui);
    }
}

template <class Base>
void CVQEditor<Base>::GotoLine(int line)
{
    if (m_pEditor)
        m_pEditor->GotoLine(line);
}

template <class Base>
BOOL CVQEditor<Base>::GetSelWord(std::string& word)
{
    word = m_pEditor ? m_pEditor->Session().SelWord() : std::string();
    return word.empty() ? FALSE : TRUE;
}

template <class Base>
BOOL CVQEditor<Base>::GetSelWord(char* word, int size)
{
    if (!word || size <= 0)
        return FALSE;
    std::string found;
    const BOOL ok = GetSelWord(found);
    const std::size_t n = std::min<std::size_t>(found.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(word, found.data(), n);
    word[n] = '\0';
    return ok;
}

template <class Base>
void CVQEditor<Base>::InitView()
{
    if (m_pEditor)
        m_pEditor->ApplySettings();
}

template <class Base>
void CVQEditor<Base>::UpdateEditor()
{
    if (m_pEditor)
        m_pEditor->Repaint();
}

template <class Base>
void CVQEditor<Base>::TopOfFile(BOOL)
{
    if (m_pEditor)
        m_pEditor->TopOfFile();
}

template <class Base>
void CVQEditor<Base>::BottomOfFile(BOOL)
{
    if (m_pEditor)
        m_pEditor->BottomOfFile();
}

template <class Base>
void CVQEditor<Base>::BeginningOfLine(BOOL)
{
    if (m_pEditor)
        m_pEditor->BeginningOfLine();
}

template <class Base>
void CVQEditor<Base>::SetWindowTextA(const char* text)
{
    ShownEdit().Buffer().SetText(text ? text : "");
}

template <class Base>
HFONT CVQEditor<Base>::GetFont() const
{
    return m_pEditor ? m_pEditor->CurrentFont() : nullptr;
}

template <class Base>
BOOL CVQEditor<Base>::IsOverwrite() const
{
    return m_pEditor && m_pEditor->IsOverwrite() ? TRUE : FALSE;
}

template <class Base>
void CVQEditor<Base>::SetScrollPosition(int firstLine)
{
    if (m_pEditor)
        m_pEditor->ScrollToLine(firstLine);
}

template <class Base>
void CVQEditor<Base>::StartOfLastLine()
{
    if (m_pEditor)
        m_pEditor->StartOfLastLine();
}

template <class Base>
BOOL CVQEditor<Base>::IsAtEnd()
{
    return m_pEditor && m_pEditor->ShowsEnd() ? TRUE : FALSE;
}

template <class Base>
COLORREF CVQEditor<Base>::GetLineTextColor(const char*, int)
{
    return CLR_INVALID;
}

template <class Base>
void CVQEditor<Base>::EnableLineColors(BOOL on)
{
    if (!m_pEditor)
        return;
    if (!on) {
        m_pEditor->SetLineColour(nullptr);
    } else {
        m_pEditor->SetLineColour(
            [this](std::string_view head) { return GetLineTextColor(head.data(), static_cast<int>(head.size())); });
    }
    m_pEditor->Repaint();
}

template <class Base>
int CVQEditor<Base>::SetFilter(const char* text, BOOL matchCase, BOOL exclude, int context)
{
    using Outcome = EditorWindow::FilterOutcome;
    if (!m_pEditor)
        return VQ_FILTER_BUSY;
    tessaly::editor::LineFilterOptions options;
    options.text = text ? text : "";
    options.matchCase = matchCase != FALSE;
    options.exclude = exclude != FALSE;
    options.context = std::clamp(context, 0, tessaly::editor::kMaxFilterContext);
    try {
        switch (m_pEditor->Filter(options)) {
            case Outcome::ShowsAll:
                return VQ_FILTER_SHOWS_ALL;
            case Outcome::Done:
                return VQ_FILTER_DONE;
            case Outcome::Stopped:
                return VQ_FILTER_STOPPED;
            case Outcome::Busy:
                return VQ_FILTER_BUSY;
        }
    } catch (...) {
        // Out of memory or threads: the whole text is shown.
        ClearFilter();
    }
    return VQ_FILTER_SHOWS_ALL;
}

template <class Base>
void CVQEditor<Base>::ClearFilter()
{
    if (m_pEditor)
        m_pEditor->ClearFilter();
}

template class CVQEditor<CView>;
template class CVQEditor<CWnd>;
