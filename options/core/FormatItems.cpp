#include "FormatItems.h"

#include <cstdio>

namespace format {

const std::vector<ColorItem>& ColorItems()
{
    static const std::vector<ColorItem> items{
        {"Text", 5, &Settings::m_clrText, false},           {"Background", 6, &Settings::m_clrBackground, false},
        {"Keyword", 1, &Settings::m_clrKeyword, true},      {"Comment", 2, &Settings::m_clrComment, true},
        {"Constant", 3, &Settings::m_clrConstant, true},    {"Number", 4, &Settings::m_clrNumber, true},
        {"Quote", 7, &Settings::m_clrQuote, true},          {"Single Quote", 8, &Settings::m_clrSingleQuote, true},
        {"Error mark", 9, &Settings::m_clrErrorMark, true}, {"Warning mark", 10, &Settings::m_clrWarningMark, true},
    };
    return items;
}

std::vector<ColorItem> OfferedItems(bool coloring)
{
    std::vector<ColorItem> offered;
    for (const ColorItem& item : ColorItems())
        if (coloring || !item.onlyWithColoring)
            offered.push_back(item);
    return offered;
}

std::uint32_t* ColorField(Settings& settings, int data)
{
    for (const ColorItem& item : ColorItems())
        if (item.data == data)
            return &(settings.*item.field);
    return nullptr;
}

std::optional<int> SteppedTabWidth(int position, int step)
{
    const long long width = static_cast<long long>(position) + step;
    if (width < kMinTabWidth || width > kMaxTabWidth)
        return std::nullopt;
    return static_cast<int>(width);
}

std::string FontCaption(const std::string& face, int points)
{
    char caption[128];
    std::snprintf(caption, sizeof caption, "%s, %d", face.c_str(), points);
    return caption;
}

const char* SampleText()
{
    return "\n"
           "#Example configuration\n"
           "ServerName localhost\n"
           "\n"
           "<VirtualHost 127.0.0.1>\n"
           "\tServerAdmin webmaster@example.com\n"
           "\tServerName www.example.com\n"
           "\tDocumentRoot \"c:/host\"\n"
           "\tErrorlog logs/error.log\n"
           "\tScriptLog logs/script.log\n"
           "\t<Directory 'c:/host'>\n"
           "\t\tOptions ExecCGI\n"
           "\t</Directory>\n"
           "</VirtualHost>\n";
}

}  // namespace format
