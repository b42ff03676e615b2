#include "ManualLanguage.h"

namespace {
struct LanguageCode {
    unsigned short primary;
    const char* code;
};

// The languages the manual has been translated into, by primary language identifier.
// Portuguese and Chinese depend on the sub-language as well (below).
constexpr LanguageCode kCodes[] = {
    {0x05, "cs"}, {0x06, "da"}, {0x07, "de"}, {0x08, "el"}, {0x09, "en"}, {0x0A, "es"},
    {0x0C, "fr"}, {0x0D, "he"}, {0x0E, "hu"}, {0x10, "it"}, {0x11, "ja"}, {0x12, "ko"},
    {0x13, "nl"}, {0x15, "pl"}, {0x19, "ru"}, {0x1D, "sv"}, {0x1F, "tr"}, {0x21, "id"},
};
constexpr unsigned short kChinese = 0x04;
constexpr unsigned short kPortuguese = 0x16;
constexpr unsigned short kSimplifiedChinaPrc = 0x02;
constexpr unsigned short kSimplifiedChinaSingapore = 0x04;
constexpr unsigned short kBrazilian = 0x01;
}  // namespace

std::string ManualLanguageOf(unsigned short languageId)
{
    const unsigned short primary = languageId & 0x3FF;
    const unsigned short sub = languageId >> 10;
    if (primary == kChinese)
        return sub == kSimplifiedChinaPrc || sub == kSimplifiedChinaSingapore ? "zh-cn" : "zh-tw";
    if (primary == kPortuguese)
        return sub == kBrazilian ? "pt-br" : "pt";
    for (const LanguageCode& language : kCodes) {
        if (language.primary == primary)
            return language.code;
    }
    return "en";
}
