#pragma once
// Where context help and the documentation bar lead, without windows: which words get
// help, the address of a keyword's manual page and of the manual's index, and the text of
// the context-help menu item. Servers keep their manual in "htdocs\manual" (the keyword
// table's layout) or, today, in "manual"; an address leads to whichever exists.

#include <functional>
#include <string>

namespace keywordhelp {

// Whether a file exists; the program passes the system's answer, tests their own.
using FileExists = std::function<bool(const std::string& path)>;

// A word gets help only with 1 to 254 characters.
bool Qualifies(const std::string& word);

// The address of a help path from the keyword table: absolute (a drive letter) or under
// the server folder; either slash may be used. "file:///" + the path with backslashes.
std::string HelpUrl(const std::string& serverFolder, const std::string& helpPath, const FileExists& exists);

// The manual's index page under the server folder as stored.
std::string ManualIndexUrl(const std::string& serverFolder, const FileExists& exists);

// "Help for 'word'" when the word has a page, else "No help available".
std::string MenuText(const std::string& word, bool hasHelp);

}  // namespace keywordhelp
