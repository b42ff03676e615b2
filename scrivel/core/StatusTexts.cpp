#include "StatusTexts.h"

std::string FlashText(const char* text)
{
    std::string shown;
    if (!text)
        return shown;
    for (std::size_t i = 0; i < kFlashTextRoom && text[i] != '\0'; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        shown += (byte < 32 || byte >= 128) ? ' ' : static_cast<char>(byte);
    }
    return shown;
}

std::string WithPath(std::string_view format, std::string_view path)
{
    std::string text(format);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}
