#include "LogLabels.h"


std::string_view CText(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

std::string BackslashPath(std::string_view path)
{
    std::string result(path);
    for (char& c : result) {
        if (c == '/')
            c = '\\';
    }
    return result;
}

std::string NameOfPath(std::string_view path)
{
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos)
        return std::string(path);
    return std::string(path.substr(slash + 1));
}

std::string KilobyteText(std::uint64_t size)
{
    std::uint64_t whole = size / 1024;
    const std::uint64_t rest = size % 1024;
    std::uint64_t hundredths = (rest * 100 + 512) / 1024;
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    std::string text = std::to_string(whole);
    text += '.';
    text += static_cast<char>('0' + hundredths / 10);
    text += static_cast<char>('0' + hundredths % 10);
    return text;
}

std::string LogItemLabel(std::string_view name, std::uint64_t size, bool showSizes)
{
    std::string label(name);
    if (showSizes) {
        label += " - ";
        label += KilobyteText(size);
        label += "Kb";
    }
    return label;
}

std::string FoldCase(std::string_view text, const LeadByteTable* leadBytes)
{
    std::string key(text);
    for (std::size_t i = 0; i < key.size(); ++i) {
        const auto byte = static_cast<unsigned char>(key[i]);
        if (leadBytes != nullptr && (*leadBytes)[byte]) {
            ++i;  // the trail byte stays as it is
            continue;
        }
        if (byte >= 'A' && byte <= 'Z')
            key[i] = static_cast<char>(byte - 'A' + 'a');
    }
    return key;
}
