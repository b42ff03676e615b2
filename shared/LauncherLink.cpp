#include "LauncherLink.h"

#include <cstring>

void CopySharedText(LauncherSharedData& block, const char* text)
{
    std::size_t n = 0;
    if (text != nullptr) {
        while (n < kSharedTextMax && text[n] != '\0')
            ++n;
        std::memcpy(block.szText, text, n);
    }
    block.szText[n] = '\0';
}

std::string ReadSharedText(const LauncherSharedData& block)
{
    std::size_t n = 0;
    while (n < kSharedTextMax && block.szText[n] != '\0')
        ++n;
    return std::string(block.szText, n);
}
