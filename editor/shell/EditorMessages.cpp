// The standard edit-control messages, with the platform edit control's meanings: character
// positions count line ends as the file has them. Answers are 32-bit; larger numbers are
// cut to the largest one that fits.
#include <algorithm>
#include <climits>
#include <cstring>

#include "EditorWindow.h"

namespace tessaly::editor {

namespace {

LRESULT Clamp32(Pos value)
{
    return static_cast<LRESULT>(std::clamp<Pos>(value, INT_MIN, INT_MAX));
}

}  // namespace

bool EditorWindow::OnEditMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const TextSource& text = m_buffer.Text();
    // Line numbers of a huge file need its whole index: wait for it, visibly.
    auto needLines = [this] {
        if (!m_buffer.Text().IsIndexComplete())
            WaitForFullIndex();
    };
    switch (msg) {
        case WM_GETTEXTLENGTH:
            result = Clamp32(text.Length());
            return true;
        case WM_GETTEXT:
            result = Clamp32(m_session.GetText(reinterpret_cast<char*>(lParam), static_cast<Pos>(wParam)));
            return true;
        case WM_SETTEXT: {
            // A program sets the text, read-only or not; the edit control's answer is TRUE.
            const char* s = reinterpret_cast<const char*>(lParam);
            result = m_buffer.SetText(s ? std::string_view(s) : std::string_view()) ? TRUE : FALSE;
            return true;
        }
        case EM_GETSEL: {
            const Pos start = m_session.SelStart();
            const Pos end = m_session.SelEnd();
            if (wParam)
                *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(std::min<Pos>(start, UINT_MAX));
            if (lParam)
                *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(std::min<Pos>(end, UINT_MAX));
            result = start > 0xFFFF || end > 0xFFFF ? -1 : MAKELRESULT(start, end);
            return true;
        }
        case EM_SETSEL: {
            const Pos start = static_cast<int>(wParam);
            const Pos end = static_cast<int>(lParam);
            DoMove([&] { m_session.EmSetSel(start, end); });
            return true;
        }
        case EM_LINEFROMCHAR:
            needLines();
            result = Clamp32(m_session.EmLineFromChar(static_cast<int>(wParam)));
            return true;
        case EM_LINEINDEX:
            needLines();
            result = Clamp32(m_session.EmLineIndex(static_cast<int>(wParam)));
            return true;
        case EM_LINELENGTH:
            needLines();
            result = Clamp32(m_session.EmLineLength(static_cast<int>(wParam)));
            return true;
        case EM_GETLINECOUNT:
            needLines();
            result = Clamp32(m_session.EmGetLineCount());
            return true;
        case EM_GETFIRSTVISIBLELINE:
            result = Clamp32(FirstVisibleLine());
            return true;
        case EM_GETMODIFY:
            result = m_buffer.IsModified() ? TRUE : FALSE;
            return true;
        case EM_SETMODIFY:
            if (!wParam)
                m_buffer.MarkSaved();
            return true;
        case EM_SETREADONLY: {
            m_buffer.SetReadOnly(wParam != 0);
            const LONG style = ::GetWindowLongA(m_wnd, GWL_STYLE);
            ::SetWindowLongA(m_wnd, GWL_STYLE, wParam ? (style | ES_READONLY) : (style & ~ES_READONLY));
            Repaint();
            result = TRUE;
            return true;
        }
        case EM_CANUNDO:
            result = m_session.CanUndo() ? TRUE : FALSE;
            return true;
        case EM_UNDO:
        case WM_UNDO:
            result = Undo() ? TRUE : FALSE;
            return true;
        case WM_CUT:
            Cut();
            return true;
        case WM_COPY:
            Copy();
            return true;
        case WM_PASTE:
            Paste();
            return true;
        case WM_CLEAR:
            Clear();
            return true;
        case EM_REPLACESEL: {
            const char* s = reinterpret_cast<const char*>(lParam);
            DoEdit([&] { return m_session.InsertText(s ? std::string_view(s) : std::string_view()); });
            return true;
        }
        case EM_SCROLLCARET:
            EnsureCaretVisible();
            result = TRUE;
            return true;
        case EM_GETLINE: {
            // The buffer's first word holds its size; the line is copied without a NUL.
            char* out = reinterpret_cast<char*>(lParam);
            if (!out)
                return true;
            needLines();
            WORD room = 0;
            std::memcpy(&room, out, sizeof room);
            const Pos line = static_cast<int>(wParam);
            if (line < 0 || line >= text.LineCount())
                return true;
            const Pos n = std::min<Pos>(text.LineLength(line), room);
            if (n > 0)
                text.GetBytes(text.LineStart(line), n, out);
            result = Clamp32(n);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace tessaly::editor
