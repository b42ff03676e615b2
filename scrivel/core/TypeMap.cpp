#include "TypeMap.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace typemap {

namespace {
std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "en, de" as {"en", "de"}.
std::vector<std::string> Languages(const std::string& value)
{
    std::vector<std::string> languages;
    std::istringstream list(value);
    for (std::string language; std::getline(list, language, ',');) {
        if (!(language = Lower(Trimmed(language))).empty())
            languages.push_back(language);
    }
    return languages;
}
}  // namespace

bool Variant::IsIn(const std::string& language) const
{
    return std::find(languages.begin(), languages.end(), Lower(language)) != languages.end();
}

std::vector<Variant> Variants(const std::string& text)
{
    std::vector<Variant> variants;
    Variant record;
    bool seenHeader = false;
    // Only records that name both a page and its language are variants: the map's first
    // record names the map itself.
    auto endRecord = [&] {
        if (!record.uri.empty() && !record.languages.empty())
            variants.push_back(record);
        record = Variant();
    };
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (Trimmed(line).empty()) {
            endRecord();
            continue;
        }
        const std::size_t colon = line.find(':');
        const std::string name = colon == std::string::npos ? std::string() : Lower(Trimmed(line.substr(0, colon)));
        if (!seenHeader && name != "uri")
            return {};
        seenHeader = true;
        const std::string value = Trimmed(line.substr(colon + 1));
        if (name == "uri")
            record.uri = value;
        else if (name == "content-language")
            record.languages = Languages(value);
    }
    endRecord();
    return variants;
}

}  // namespace typemap
