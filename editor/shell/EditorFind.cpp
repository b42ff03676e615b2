// Find and replace through the platform's dialog, and Find Next (F3).
#include <string>

#include "EditorWindow.h"
#include "ProgressWait.h"

namespace tessaly::editor {

namespace {
// "Cannot find" answers the find dialog, which owns it; without the dialog, the editor's
// top-level window does (a child window cannot own a window).
HWND NotFoundOwner(HWND dialog, HWND editor)
{
    if (dialog && ::IsWindow(dialog))
        return dialog;
    return ::GetAncestor(editor, GA_ROOT);
}
}  // namespace

void EditorWindow::ShowFindDialog(bool replace)
{
    std::string initial;
    const Pos selected = m_session.SelEnd() - m_session.SelStart();
    if (selected > 0 && selected < 256) {
        initial = m_session.SelectedText();
        if (initial.find_first_of("\r\n") != std::string::npos)
            initial.clear();
    }
    if (initial.empty())
        initial = m_session.SelWord();
    m_find.Show(m_wnd, replace, initial);
    m_find.KeepOff(SelectionRowsOnScreen());
}

bool EditorWindow::FindNext(bool reverse)
{
    if (!m_find.HasLastSearch()) {
        FindOptions options;
        options.what = m_session.HasSelection() ? m_session.SelectedText() : m_session.SelWord();
        if (options.what.empty() || options.what.size() > 255) {
            ShowFindDialog(false);
            return false;
        }
        m_find.SetLastSearch(options);
    }
    FindOptions options = m_find.LastSearch();
    if (reverse)
        options.down = !options.down;
    const EditSession::FindResult result = FindWithProgress(options, true);
    if (result == EditSession::FindResult::NotFound)
        ::MessageBeep(MB_OK);
    return result == EditSession::FindResult::Found;
}

EditSession::FindResult EditorWindow::FindWithProgress(const FindOptions& options, bool wrap)
{
    EditSession::FindResult result = EditSession::FindResult::NotFound;
    DoMove([&] {
        ProgressWait wait(m_wnd, "Searching for \"" + options.what + "\"...");
        result = m_session.Find(options, wrap, [&wait](double fraction) { return wait.Step(fraction); });
    });
    return result;
}

void EditorWindow::OnFindMessage(LPARAM lParam)
{
    const FindDialog::Request request = m_find.Decode(lParam);
    using Kind = FindDialog::Request::Kind;
    switch (request.kind) {
        case Kind::FindNext: {
            const EditSession::FindResult result = FindWithProgress(request.options, false);
            if (result == EditSession::FindResult::Found)
                m_find.KeepOff(SelectionRowsOnScreen());
            if (result == EditSession::FindResult::NotFound) {
                const std::string message = "Cannot find \"" + request.options.what + "\".";
                ::MessageBoxA(NotFoundOwner(m_find.Dialog(), m_wnd), message.c_str(), "Find",
                              MB_OK | MB_ICONINFORMATION);
            }
            break;
        }
        case Kind::Replace:
            DoEdit([&] { return m_session.Replace(request.options, request.replaceWith); });
            m_find.KeepOff(SelectionRowsOnScreen());
            break;
        case Kind::ReplaceAll:
            DoEdit([&] { return m_session.ReplaceAll(request.options, request.replaceWith) > 0; });
            break;
        case Kind::Closed:
            // The selection goes back to the colours of a window without the focus.
            if (m_session.HasSelection())
                InvalidateBetween(m_session.SelStart(), m_session.SelEnd());
            break;
        case Kind::None:
            break;
    }
}

}  // namespace tessaly::editor
