#include "BrowserCommand.h"

namespace browser {

namespace {
constexpr char kPlaceholder[] = "%1";
}

std::string QuoteAddress(const std::string& address)
{
    if (address.find(' ') == std::string::npos)
        return address;
    return '"' + address + '"';
}

std::string ReplacePlaceholder(const std::string& text, const std::string& address)
{
    std::string result;
    std::size_t from = 0;
    for (std::size_t found; (found = text.find(kPlaceholder, from)) != std::string::npos; from = found + 2) {
        result.append(text, from, found - from);
        result += address;
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::string CollapseQuotes(std::string text)
{
    for (;;) {
        std::string pass;
        pass.reserve(text.size());
        bool found = false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            pass += text[i];
            if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                found = true;
                ++i;
            }
        }
        if (!found)
            return text;
        text = std::move(pass);
    }
}

std::string BuildCommandLine(const std::string& commandTemplate, const std::string& quotedAddress)
{
    std::string line = commandTemplate.find(kPlaceholder) != std::string::npos
                           ? ReplacePlaceholder(commandTemplate, quotedAddress)
                           : commandTemplate + " \"" + quotedAddress + '"';
    return CollapseQuotes(std::move(line));
}

}  // namespace browser
