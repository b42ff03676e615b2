#pragma once
// The language of the server's manual that suits the user: the system's language
// identifier of the user interface as the code the manual's pages carry ("de", "pt-br",
// "zh-cn").

#include <string>

// The manual's code of the language `languageId` (primary language in the low 10 bits,
// sub-language above them); "en" for a language without a code here.
std::string ManualLanguageOf(unsigned short languageId);
