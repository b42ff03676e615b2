// Find and replace through the platform's dialog, and Find Next (F3).
#include <string>

#include "EditorWindow.h"
#include "ProgressWait.h"

namespace tessaly::editor {

namespace {
// "Cannot find" answers the find dialog, which owns it; without the dialog, the editor's
// top-level window does (a child window cannot own a window).
HWND NotFoundOwner(HWND dialog, HWND editor) {
    if (dialog && ::IsWindow(dialog)) return dialog;
    return ::GetAncestor(editor, GA_ROOT);
}
}  // namespace

void EditorWindow::ShowFindDialog(bool replace) {
    std::string initial;
    const Pos selected = session_.SelEnd() - session_.SelStart();
    if (selected > 0 && selected < 256) {
        initial = session_.SelectedText();
        if (initial.find_first_of("\r\n") != std::string::npos) initial.clear();
    }
    if (initial.empty()) initial = session_.SelWord();
    find_.Show(wnd_, replace, initial);
    find_.KeepOff(SelectionRowsOnScreen());
}

bool EditorWindow::FindNext(bool reverse) {
    if (!find_.HasLastSearch()) {
        FindOptions options;
        options.what = session_.HasSelection() ? session_.SelectedText() : session_.SelWord();
        if (options.what.empty() || options.what.size() > 255) {
            ShowFindDialog(false);
            return false;
        }
        find_.SetLastSearch(options);
    }
    FindOptions options = find_.LastSearch();
    if (reverse) options.down = !options.down;
    const EditSession::FindResult result = FindWithProgress(options, true);
    if (result == EditSession::FindResult::NotFound) ::MessageBeep(MB_OK);
    return result == EditSession::FindResult::Found;
}

EditSession::FindResult EditorWindow::FindWithProgress(const FindOptions& options, bool wrap) {
    EditSession::FindResult result = EditSession::FindResult::NotFound;
    DoMove([&] {
        ProgressWait wait(wnd_, "Searching for \"" + options.what + "\"...");
        result = session_.Find(options, wrap, [&wait](double fraction) { return wait.Step(fraction); });
    });
    return result;
}

void EditorWindow::OnFindMessage(LPARAM lParam) {
    const FindDialog::Request request = find_.Decode(lParam);
    using Kind = FindDialog::Request::Kind;
    switch (request.kind) {
        case Kind::FindNext: {
            const EditSession::FindResult result = FindWithProgress(request.options, false);
            if (result == EditSession::FindResult::Found) find_.KeepOff(SelectionRowsOnScreen());
            if (result == EditSession::FindResult::NotFound) {
                const std::string message = "Cannot find \"" + request.options.what + "\".";
                ::MessageBoxA(NotFoundOwner(find_.Dialog(), wnd_), message.c_str(), "Find", MB_OK | MB_ICONINFORMATION);
            }
            break;
        }
        case Kind::Replace:
            DoEdit([&] { return session_.Replace(request.options, request.replaceWith); });
            find_.KeepOff(SelectionRowsOnScreen());
            break;
        case Kind::ReplaceAll:
            DoEdit([&] { return session_.ReplaceAll(request.options, request.replaceWith) > 0; });
            break;
        case Kind::Closed:
            // The selection goes back to the colours of a window without the focus.
            if (session_.HasSelection()) InvalidateBetween(session_.SelStart(), session_.SelEnd());
            break;
        case Kind::None:
            break;
    }
}

}  // namespace tessaly::editor
