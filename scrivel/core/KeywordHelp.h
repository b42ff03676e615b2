#pragma once
// Where context help and the documentation bar lead, without windows: which words get
// help, the address of a keyword's manual page and of the manual's index, and the text of
// the context-help menu item. Servers keep their manual in "htdocs\manual" (the keyword
// table's layout) or, today, in "manual"; an address leads to whichever exists. A page that
// is a type map (as the server's distribution ships its manual) leads to the page it lists
// in the user's language, else to the English one; with no manual on disk, to the page of
// the online manual the keyword table was made from.

#include <functional>
#include <string>

namespace keywordhelp {

// Whether a file exists; the program passes the system's answer, tests their own.
using FileExists = std::function<bool(const std::string& path)>;
// The text of a file (its start is enough), "" when it cannot be read.
using ReadText = std::function<std::string(const std::string& path)>;

// What the program tells about the disk and the user.
struct ManualAccess {
    FileExists exists;
    ReadText read;
    std::string language;  // the manual's code of the user's language ("de", "pt-br")
};

// A page to show: its address, and whether it is the online manual's because the server's
// own manual was not found.
struct ManualPage {
    std::string url;
    bool online = false;
};

// A word gets help only with 1 to 254 characters.
bool Qualifies(const std::string& word);

// The address of a help path from the keyword table: absolute (a drive letter) or under
// the server folder; either slash may be used. "file:///" + the path with backslashes.
std::string HelpUrl(const std::string& serverFolder, const std::string& helpPath, const FileExists& exists);

// The manual's index page under the server folder as stored.
std::string ManualIndexUrl(const std::string& serverFolder, const FileExists& exists);

// The page to show for a help path, and for the manual's index.
ManualPage HelpPage(const std::string& serverFolder, const std::string& helpPath, const ManualAccess& manual);
ManualPage IndexPage(const std::string& serverFolder, const ManualAccess& manual);

// "Help for 'word'" and its key when the word has a page, else "No help available".
std::string MenuText(const std::string& word, bool hasHelp);

}  // namespace keywordhelp
