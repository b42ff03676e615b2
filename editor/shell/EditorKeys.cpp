// The keyboard: moves and edits by key, the shortcuts of the Edit menu, and typed characters.
#include "EditorWindow.h"

namespace tessaly::editor {

bool EditorWindow::OnKeyDown(WPARAM key)
{
    const bool shift = ShiftDown();
    const bool ctrl = CtrlDown();
    const Pos page = LinesPerPage();
    switch (key) {
        case VK_LEFT:
            DoMove([&] { ctrl ? m_session.WordLeft(shift) : m_session.CharLeft(shift); });
            return true;
        case VK_RIGHT:
            DoMove([&] { ctrl ? m_session.WordRight(shift) : m_session.CharRight(shift); });
            return true;
        case VK_UP:
            if (ctrl)
                ScrollLines(-1);
            else
                DoMove([&] { m_session.LineUp(shift); });
            return true;
        case VK_DOWN:
            if (ctrl)
                ScrollLines(1);
            else
                DoMove([&] { m_session.LineDown(shift); });
            return true;
        case VK_HOME:
            DoMove([&] { ctrl ? m_session.DocStart(shift) : m_session.Home(shift); });
            return true;
        case VK_END:
            DoMove([&] { ctrl ? m_session.DocEnd(shift) : m_session.End(shift); });
            return true;
        case VK_PRIOR:
            // The page moves with the caret, so the caret keeps its row.
            ScrollLines(-page);
            DoMove([&] { m_session.PageUp(page, shift); });
            return true;
        case VK_NEXT:
            ScrollLines(page);
            DoMove([&] { m_session.PageDown(page, shift); });
            return true;
        case VK_BACK:
            DoEdit([&] { return ctrl ? m_session.DeleteWordLeft() : m_session.Backspace(); });
            return true;
        case VK_DELETE:
            if (shift)
                Cut();
            else
                DoEdit([&] { return ctrl ? m_session.DeleteWordRight() : m_session.DeleteChar(); });
            return true;
        case VK_INSERT:
            if (ctrl)
                Copy();
            else if (shift)
                Paste();
            else {
                m_session.SetOverwrite(!m_session.Overwrite());
                RefreshCaretShape();
            }
            return true;
        case VK_RETURN:
            DoEdit([this] { return m_session.NewLine(); });
            return true;
        case VK_TAB:
            if (ctrl)
                return false;  // Ctrl+Tab belongs to the frame (next window)
            DoEdit([&] { return shift ? m_session.BackTab() : m_session.Tab(); });
            return true;
        case VK_F3:
            FindNext(shift);
            return true;
        default:
            break;
    }
    if (!ctrl || ::GetKeyState(VK_MENU) < 0)
        return false;
    switch (key) {
        case 'Z':
            Undo();
            return true;
        case 'Y':
            Redo();
            return true;
        case 'X':
            Cut();
            return true;
        case 'C':
            Copy();
            return true;
        case 'V':
            Paste();
            return true;
        case 'A':
            SelectAll();
            return true;
        case 'F':
            ShowFindDialog(false);
            return true;
        case 'H':
            ShowFindDialog(true);
            return true;
        default:
            return false;
    }
}

bool EditorWindow::OnChar(WPARAM ch)
{
    // Control characters come as keys (Enter, Tab, Backspace, Ctrl+letters) and are handled there.
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F)
        return true;
    DoEdit([&] { return m_session.TypeChar(static_cast<char>(c)); });
    return true;
}

}  // namespace tessaly::editor
