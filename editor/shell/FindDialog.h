#pragma once
// The platform's modeless find and replace dialog for one editor window: shows it, keeps
// its text buffers alive while it is open, destroys it with its owner, and turns its
// notifications into search requests. Remembers the last search for Find Next.
#include <windows.h>

#include <commdlg.h>

#include <string>

#include "TextSearch.h"

namespace tessaly::editor {

class FindDialog {
public:
    struct Request {
        enum class Kind { None, FindNext, Replace, ReplaceAll, Closed };
        Kind kind = Kind::None;
        FindOptions options;
        std::string replaceWith;
    };

    FindDialog();
    ~FindDialog();
    FindDialog(const FindDialog&) = delete;
    FindDialog& operator=(const FindDialog&) = delete;

    // Told of each dialog this object opens; its message loop must pass the dialog its keys.
    void SetShownHandler(void (*shown)(HWND dialog)) { m_shown = shown; }
    // Opens the dialog (or brings the open one forward) with `initial` as the text to find.
    void Show(HWND owner, bool replace, const std::string& initial);
    void Close();
    HWND Dialog() const { return m_dialog; }
    bool IsOpen() const { return m_dialog && ::IsWindow(m_dialog); }
    // Moves the open dialog off `area` (screen coordinates): just below it, or above it when
    // its monitor has no room below. A new dialog opens at the lower right of its owner,
    // away from the first lines, where the text of a short file is.
    void KeepOff(const RECT& area);

    // The notification message the dialog sends to its owner.
    bool IsNotification(UINT msg) const { return msg == m_message && m_message != 0; }
    Request Decode(LPARAM lParam);

    bool HasLastSearch() const { return !m_last.what.empty(); }
    const FindOptions& LastSearch() const { return m_last; }
    void SetLastSearch(const FindOptions& options) { m_last = options; }

private:
    void PlaceAtLowerRight(HWND owner);

    FINDREPLACEA m_fr{};
    char m_what[256] = {};
    char m_with[256] = {};
    HWND m_dialog = nullptr;
    bool m_replaceMode = false;
    UINT m_message = 0;
    void (*m_shown)(HWND dialog) = nullptr;
    FindOptions m_last;
};

}  // namespace tessaly::editor
