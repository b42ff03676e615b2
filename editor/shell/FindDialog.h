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

    // Opens the dialog (or brings the open one forward) with `initial` as the text to find.
    void Show(HWND owner, bool replace, const std::string& initial);
    void Close();
    HWND Dialog() const { return dialog_; }

    // The notification message the dialog sends to its owner.
    bool IsNotification(UINT msg) const { return msg == message_ && message_ != 0; }
    Request Decode(LPARAM lParam);

    bool HasLastSearch() const { return !last_.what.empty(); }
    const FindOptions& LastSearch() const { return last_; }
    void SetLastSearch(const FindOptions& options) { last_ = options; }

private:
    FINDREPLACEA fr_{};
    char what_[256] = {};
    char with_[256] = {};
    HWND dialog_ = nullptr;
    bool replaceMode_ = false;
    UINT message_ = 0;
    FindOptions last_;
};

}  // namespace tessaly::editor
