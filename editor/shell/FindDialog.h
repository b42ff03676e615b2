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
    void SetShownHandler(void (*shown)(HWND dialog)) { shown_ = shown; }
    // Opens the dialog (or brings the open one forward) with `initial` as the text to find.
    void Show(HWND owner, bool replace, const std::string& initial);
    void Close();
    HWND Dialog() const { return dialog_; }
    bool IsOpen() const { return dialog_ && ::IsWindow(dialog_); }
    // Moves the open dialog off `area` (screen coordinates): just below it, or above it when
    // its monitor has no room below. A new dialog opens at the lower right of its owner,
    // away from the first lines, where the text of a short file is.
    void KeepOff(const RECT& area);

    // The notification message the dialog sends to its owner.
    bool IsNotification(UINT msg) const { return msg == message_ && message_ != 0; }
    Request Decode(LPARAM lParam);

    bool HasLastSearch() const { return !last_.what.empty(); }
    const FindOptions& LastSearch() const { return last_; }
    void SetLastSearch(const FindOptions& options) { last_ = options; }

private:
    void PlaceAtLowerRight(HWND owner);

    FINDREPLACEA fr_{};
    char what_[256] = {};
    char with_[256] = {};
    HWND dialog_ = nullptr;
    bool replaceMode_ = false;
    UINT message_ = 0;
    void (*shown_)(HWND dialog) = nullptr;
    FindOptions last_;
};

}  // namespace tessaly::editor
