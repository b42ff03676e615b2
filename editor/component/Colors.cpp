#include <editor/Colors.h>

#include <algorithm>
#include <cstdint>

#include "RegistrySettingsBackend.h"
#include "SettingsStore.h"

CColors m_Colors;

namespace {

constexpr DWORD kLayoutVersion = 1;
// The section below the application's key: "Software\Quorlane\Tessaly\Settings\Format".
constexpr char kFormatSection[] = "Settings\\Format";

// Value names in the store, one per field, with the engine's field of the same setting.
using tessaly::editor::EditorSettings;
struct ColourValue {
    const char* name;
    COLORREF CColors::*field;
    std::uint32_t EditorSettings::*setting;
};
constexpr ColourValue kColourValues[] = {
    {"Keyword", &CColors::m_clrKeyword, &EditorSettings::m_clrKeyword},
    {"Constant", &CColors::m_clrConstant, &EditorSettings::m_clrConstant},
    {"Comment", &CColors::m_clrComment, &EditorSettings::m_clrComment},
    {"Quote", &CColors::m_clrQuote, &EditorSettings::m_clrQuote},
    {"SingleQuote", &CColors::m_clrSingleQuote, &EditorSettings::m_clrSingleQuote},
    {"Text", &CColors::m_clrText, &EditorSettings::m_clrText},
    {"Background", &CColors::m_clrBackground, &EditorSettings::m_clrBackground},
    {"Number", &CColors::m_clrNumber, &EditorSettings::m_clrNumber},
    {"ErrorMark", &CColors::m_clrErrorMark, &EditorSettings::m_clrErrorMark},
    {"WarningMark", &CColors::m_clrWarningMark, &EditorSettings::m_clrWarningMark},
};

struct IntValue {
    const char* name;
    int CColors::*field;
    int EditorSettings::*setting;
    int low;
    int high;
};
constexpr IntValue kIntValues[] = {
    {"Coloring", &CColors::m_bColoring, &EditorSettings::m_bColoring, 0, 1},
    {"FontItalic", &CColors::m_nFontItalic, &EditorSettings::m_nFontItalic, 0, 1},
    {"ShowTabs", &CColors::m_bShowTabs, &EditorSettings::m_bShowTabs, 0, 1},
    {"KeepTabs", &CColors::m_bKeepTabs, &EditorSettings::m_bKeepTabs, 0, 1},
    {"AutoIndent", &CColors::m_bAutoIndent, &EditorSettings::m_bAutoIndent, 0, 1},
    {"CaseSensitive", &CColors::m_bCaseSensitive, &EditorSettings::m_bCaseSensitive, 0, 1},
    {"FontWeight", &CColors::m_nFontWeight, &EditorSettings::m_nFontWeight, 0, 1000},
    {"FontCharSet", &CColors::m_nFontCharSet, &EditorSettings::m_nFontCharSet, 0, 255},
    {"FontSize", &CColors::m_nFontSize, &EditorSettings::m_nFontSize, 1, 200},
    {"TabWidth", &CColors::m_nTabWidth, &EditorSettings::m_nTabWidth, 1, 31},
};
constexpr char kFontName[] = "FontName";

CSettingsStore Store()
{
    return CSettingsStore(UserSettingsBackend());
}

}  // namespace

CColors::CColors()
{
    SetDefaults();
}

void CColors::SetDefaults()
{
    m_dwVersion = kLayoutVersion;
    m_dwSize = sizeof(CColors);
    CopyFrom(tessaly::editor::EditorSettings());
}

BOOL CColors::ReadSettings()
{
    const CSettingsStore store = Store();
    const CColors defaults;
    for (const ColourValue& v : kColourValues) {
        const int stored = store.ProfileInt(kFormatSection, v.name, static_cast<int>(defaults.*v.field));
        // A colour has no bits above its blue byte.
        this->*v.field = (static_cast<DWORD>(stored) & 0xFF000000u) ? defaults.*v.field : static_cast<COLORREF>(stored);
    }
    for (const IntValue& v : kIntValues) {
        const int stored = store.ProfileInt(kFormatSection, v.name, defaults.*v.field);
        this->*v.field = stored < v.low || stored > v.high ? defaults.*v.field : stored;
    }
    std::string name = store.ProfileString(kFormatSection, kFontName, defaults.m_strFontName.c_str());
    if (name.empty() || name.size() >= LF_FACESIZE)
        name = defaults.m_strFontName;
    m_strFontName = name;
    return TRUE;
}

BOOL CColors::SaveSettings()
{
    CSettingsStore store = Store();
    bool ok = true;
    for (const ColourValue& v : kColourValues)
        ok = store.SetProfileInt(kFormatSection, v.name, static_cast<int>(this->*v.field)) && ok;
    for (const IntValue& v : kIntValues)
        ok = store.SetProfileInt(kFormatSection, v.name, this->*v.field) && ok;
    ok = store.SetProfileString(kFormatSection, kFontName, m_strFontName.c_str()) && ok;
    return ok ? TRUE : FALSE;
}

void CColors::CopyTo(tessaly::editor::EditorSettings& s) const
{
    for (const ColourValue& v : kColourValues)
        s.*v.setting = this->*v.field;
    for (const IntValue& v : kIntValues)
        s.*v.setting = this->*v.field;
    s.m_strFontName = m_strFontName;
}

void CColors::CopyFrom(const tessaly::editor::EditorSettings& s)
{
    for (const ColourValue& v : kColourValues)
        this->*v.field = s.*v.setting;
    for (const IntValue& v : kIntValues)
        this->*v.field = s.*v.setting;
    m_strFontName = s.m_strFontName;
}
