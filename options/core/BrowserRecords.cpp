#include "BrowserRecords.h"

#include <algorithm>
#include <cctype>

namespace browsers {

namespace {

bool SameIgnoringCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

std::vector<std::uint8_t> BrowserRecord::Encode() const
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(label.size() + path.size() + service.size() + 4);
    for (const std::string* text : {&label, &path, &service}) {
        bytes.insert(bytes.end(), text->begin(), text->end());
        bytes.push_back(0);
    }
    bytes.push_back(useDde ? 1 : 0);
    return bytes;
}

std::optional<BrowserRecord> BrowserRecord::Decode(const std::vector<std::uint8_t>& bytes)
{
    BrowserRecord record;
    auto at = bytes.begin();
    for (std::string* text : {&record.label, &record.path, &record.service}) {
        const auto end = std::find(at, bytes.end(), std::uint8_t{0});
        if (end == bytes.end())
            return std::nullopt;
        text->assign(at, end);
        at = end + 1;
    }
    record.useDde = at != bytes.end() && *at != 0;
    return record;
}

ChosenFile DescribeChosenFile(const std::string& chosenPath, const std::string& service, bool useDde)
{
    ChosenFile chosen{chosenPath, "", service, useDde};
    std::replace(chosen.path.begin(), chosen.path.end(), '/', '\\');
    const std::size_t slash = chosen.path.rfind('\\');
    chosen.label = slash == std::string::npos ? chosen.path : chosen.path.substr(slash + 1);
    for (const KnownBrowser& known : kClassicBrowsers) {
        if (SameIgnoringCase(chosen.label, known.executable)) {
            chosen.label = known.label;
            chosen.service = known.service;
            chosen.useDde = true;
            return chosen;
        }
    }
    if (SameIgnoringCase(chosen.label, "notepad.exe")) {
        chosen.label = "Cool browser!";
        chosen.service.clear();
        chosen.useDde = false;
        return chosen;
    }
    const std::size_t dot = chosen.label.rfind('.');
    if (dot != std::string::npos)
        chosen.label.erase(dot);
    return chosen;
}

int DefaultAfterRemove(int defaultIndex, int removed, int remaining)
{
    if (remaining <= 0)
        return -1;
    if (removed == defaultIndex)
        return 0;
    if (removed < defaultIndex)
        return defaultIndex - 1;
    return defaultIndex;
}

int DefaultAfterMoveUp(int defaultIndex, int m)
{
    if (defaultIndex == m)
        return m - 1;
    if (defaultIndex == m - 1)
        return m;
    return defaultIndex;
}

int DefaultAfterMoveDown(int defaultIndex, int m)
{
    if (defaultIndex == m)
        return m + 1;
    if (defaultIndex == m + 1)
        return m;
    return defaultIndex;
}

int StoredDefaultIndex(int defaultIndex, const std::vector<bool>& kept)
{
    const auto stored = static_cast<int>(std::count(kept.begin(), kept.end(), true));
    if (stored == 0)
        return -1;
    if (defaultIndex < 0 || defaultIndex >= static_cast<int>(kept.size()) ||
        !kept[static_cast<std::size_t>(defaultIndex)])
        return 0;
    return static_cast<int>(std::count(kept.begin(), kept.begin() + defaultIndex, true));
}

}  // namespace browsers
