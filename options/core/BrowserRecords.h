#pragma once
// The Browsers page's window-free rules: the Browser%d record (label, NUL, path, NUL,
// service, NUL, one DDE byte) read from exactly the bytes stored, the browsers "Find" and
// "..." know, and how the default browser's index follows the list's changes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace browsers {

struct BrowserRecord {
    std::string label;
    std::string path;
    std::string service;
    bool useDde = false;

    // The three texts with their NULs, then 1 or 0: the text lengths + 4 bytes.
    std::vector<std::uint8_t> Encode() const;
    // A value without three NULs is damaged and reads as nothing; a missing DDE byte reads
    // as 0.
    static std::optional<BrowserRecord> Decode(const std::vector<std::uint8_t>& bytes);
};

struct KnownBrowser {
    const char* executable;
    const char* label;
    const char* service;  // empty: addressed by its command line, not by DDE
};

// The three the page was made for, in the order "Find" tries them and "..." knows them.
inline constexpr KnownBrowser kClassicBrowsers[] = {
    {"iexplore.exe", "Internet Explorer", "iexplore"},
    {"netscape.exe", "Netscape Navigator", "nsshell"},
    {"opera.exe", "Opera", "opera"},
};
// Browsers of today that "Find" tries after those, without DDE.
inline constexpr KnownBrowser kCurrentBrowsers[] = {
    {"firefox.exe", "Mozilla Firefox", ""},
    {"chrome.exe", "Google Chrome", ""},
    {"msedge.exe", "Microsoft Edge", ""},
};

// What "..." of the "Choose browser" dialog makes of a chosen file: a classic browser gives
// its label and service with DDE; "notepad.exe" a joke label without DDE; any other file its
// name without the extension, the service and DDE staying as they were.
struct ChosenFile {
    std::string path;  // every '/' turned into '\'
    std::string label;
    std::string service;
    bool useDde = false;
};
ChosenFile DescribeChosenFile(const std::string& chosenPath, const std::string& service, bool useDde);

// The default index after the entry at `removed` was removed, `remaining` entries left.
int DefaultAfterRemove(int defaultIndex, int removed, int remaining);
// After entry m moved to m - 1 (up) or m + 1 (down).
int DefaultAfterMoveUp(int defaultIndex, int m);
int DefaultAfterMoveDown(int defaultIndex, int m);
// The index stored with the entries that are kept (those with a path): the same browser
// when it is kept, else the first; -1 when nothing is kept.
int StoredDefaultIndex(int defaultIndex, const std::vector<bool>& kept);

}  // namespace browsers
