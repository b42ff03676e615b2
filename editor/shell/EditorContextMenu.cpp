// The right button: a click outside the selection moves the caret there, and the menu of
// the Edit commands that apply to what is under it, enabled as the frame's Edit menu is.
#include <windowsx.h>

#include <editor/VQEditorIds.h>

#include "EditorWindow.h"
#include "Handles.h"

namespace tessaly::editor {

namespace {

enum MenuItem : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };

// A popup menu made here and destroyed with its owner.
class PopupMenu {
public:
    PopupMenu() : m_menu(::CreatePopupMenu()) {}
    HMENU Get() const { return m_menu.Get(); }
    void Add(UINT id, const char* text, bool enabled)
    {
        ::AppendMenuA(m_menu.Get(), MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, text);
    }
    void AddSeparator() { ::AppendMenuA(m_menu.Get(), MF_SEPARATOR, 0, nullptr); }

private:
    CMenuHandle m_menu;
};

}  // namespace

void EditorWindow::OnRButtonDown(LPARAM lParam)
{
    if (::GetFocus() != m_wnd)
        ::SetFocus(m_wnd);
    const Pos pos = PositionFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const bool inSelection = m_session.HasSelection() && pos >= m_session.SelStart() && pos < m_session.SelEnd();
    if (!inSelection)
        DoMove([&] { m_session.MoveTo(pos, false); });
}

void EditorWindow::OnContextMenu(LPARAM lParam)
{
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard (Shift+F10, the menu key): below the caret.
        at = PointOfPosition(m_session.Caret());
        at.y += m_lineHeight;
        ::ClientToScreen(m_wnd, &at);
    }
    PopupMenu menu;
    if (!menu.Get())
        return;
    menu.Add(kUndo, "&Undo\tCtrl+Z", CanUndo());
    menu.AddSeparator();
    menu.Add(kCut, "Cu&t\tCtrl+X", CanCut());
    menu.Add(kCopy, "&Copy\tCtrl+C", CanCopy());
    menu.Add(kPaste, "&Paste\tCtrl+V", CanPaste());
    menu.Add(kDelete, "&Delete\tDel", CanCut());
    menu.AddSeparator();
    menu.Add(kSelectAll, "Select &All\tCtrl+A", m_buffer.Text().Length() > 0);
    ::SendMessageA(m_wnd, VQEditContextMenuMessage(), reinterpret_cast<WPARAM>(menu.Get()), 0);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, m_wnd, nullptr));
    switch (chosen) {
        case kUndo:
            Undo();
            break;
        case kCut:
            Cut();
            break;
        case kCopy:
            Copy();
            break;
        case kPaste:
            Paste();
            break;
        case kDelete:
            Clear();
            break;
        case kSelectAll:
            SelectAll();
            break;
        case 0:
            break;
        default:
            // One of the items the program's view added.
            ::SendMessageA(m_wnd, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
            break;
    }
}

}  // namespace tessaly::editor
