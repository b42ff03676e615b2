#include <editor/Colors.h>

#include <algorithm>

#include "RegistrySettingsBackend.h"
#include "SettingsStore.h"

CColors m_Colors;

namespace {

constexpr DWORD kLayoutVersion = 1;
// The section below the application's key: "Software\Quorlane\Tessaly\Settings\Format".
constexpr char kFormatSection[] = "Settings\\Format";

// Value names in the store, one per field.
struct ColourValue {
    const char* name;
    COLORREF CColors::*field;
};
constexpr ColourValue kColourValues[] = {
    {"Keyword", &CColors::m_clrKeyword},         {"Constant", &CColors::m_clrConstant},
    {"Comment", &CColors::m_clrComment},         {"Quote", &CColors::m_clrQuote},
    {"SingleQuote", &CColors::m_clrSingleQuote}, {"Text", &CColors::m_clrText},
    {"Background", &CColors::m_clrBackground},   {"Number", &CColors::m_clrNumber},
};

struct IntValue {
    const char* name;
    int CColors::*field;
    int low;
    int high;
};
constexpr IntValue kIntValues[] = {
    {"Coloring", &CColors::m_bColoring, 0, 1},         {"FontItalic", &CColors::m_nFontItalic, 0, 1},
    {"ShowTabs", &CColors::m_bShowTabs, 0, 1},         {"KeepTabs", &CColors::m_bKeepTabs, 0, 1},
    {"AutoIndent", &CColors::m_bAutoIndent, 0, 1},     {"CaseSensitive", &CColors::m_bCaseSensitive, 0, 1},
    {"FontWeight", &CColors::m_nFontWeight, 0, 1000},  {"FontCharSet", &CColors::m_nFontCharSet, 0, 255},
    {"FontSize", &CColors::m_nFontSize, 1, 200},       {"TabWidth", &CColors::m_nTabWidth, 1, 31},
};
constexpr char kFontName[] = "FontName";

CSettingsStore Store() { return CSettingsStore(UserSettingsBackend()); }

}  // namespace

CColors::CColors() { SetDefaults(); }

void CColors::SetDefaults() {
    m_dwVersion = kLayoutVersion;
    m_dwSize = sizeof(CColors);
    CopyFrom(tessaly::editor::EditorSettings());
}

BOOL CColors::ReadSettings() {
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
    if (name.empty() || name.size() >= LF_FACESIZE) name = defaults.m_strFontName;
    m_strFontName = name;
    return TRUE;
}

BOOL CColors::SaveSettings() {
    CSettingsStore store = Store();
    bool ok = true;
    for (const ColourValue& v : kColourValues) ok = store.SetProfileInt(kFormatSection, v.name, static_cast<int>(this->*v.field)) && ok;
    for (const IntValue& v : kIntValues) ok = store.SetProfileInt(kFormatSection, v.name, this->*v.field) && ok;
    ok = store.SetProfileString(kFormatSection, kFontName, m_strFontName.c_str()) && ok;
    return ok ? TRUE : FALSE;
}

void CColors::CopyTo(tessaly::editor::EditorSettings& s) const {
    s.m_clrKeyword = m_clrKeyword;
    s.m_clrConstant = m_clrConstant;
    s.m_clrComment = m_clrComment;
    s.m_clrQuote = m_clrQuote;
    s.m_clrSingleQuote = m_clrSingleQuote;
    s.m_clrText = m_clrText;
    s.m_clrBackground = m_clrBackground;
    s.m_clrNumber = m_clrNumber;
    s.m_bColoring = m_bColoring;
    s.m_nFontItalic = m_nFontItalic;
    s.m_bShowTabs = m_bShowTabs;
    s.m_bKeepTabs = m_bKeepTabs;
    s.m_bAutoIndent = m_bAutoIndent;
    s.m_bCaseSensitive = m_bCaseSensitive;
    s.m_nFontWeight = m_nFontWeight;
    s.m_nFontCharSet = m_nFontCharSet;
    s.m_nFontSize = m_nFontSize;
    s.m_nTabWidth = m_nTabWidth;
    s.m_strFontName = m_strFontName;
}

void CColors::CopyFrom(const tessaly::editor::EditorSettings& s) {
    m_clrKeyword = s.m_clrKeyword;
    m_clrConstant = s.m_clrConstant;
    m_clrComment = s.m_clrComment;
    m_clrQuote = s.m_clrQuote;
    m_clrSingleQuote = s.m_clrSingleQuote;
    m_clrText = s.m_clrText;
    m_clrBackground = s.m_clrBackground;
    m_clrNumber = s.m_clrNumber;
    m_bColoring = s.m_bColoring;
    m_nFontItalic = s.m_nFontItalic;
    m_bShowTabs = s.m_bShowTabs;
    m_bKeepTabs = s.m_bKeepTabs;
    m_bAutoIndent = s.m_bAutoIndent;
    m_bCaseSensitive = s.m_bCaseSensitive;
    m_nFontWeight = s.m_nFontWeight;
    m_nFontCharSet = s.m_nFontCharSet;
    m_nFontSize = s.m_nFontSize;
    m_nTabWidth = s.m_nTabWidth;
    m_strFontName = s.m_strFontName;
}
