#pragma once
// The editor's colours, font, tab and colouring settings as plain values: the shell's
// colour table and each buffer hold them under these names, in this order.
#include <cstdint>
#include <string>

namespace tessaly::editor {

struct EditorSettings {
    // Colours are 0x00BBGGRR.
    std::uint32_t m_clrKeyword;
    std::uint32_t m_clrConstant;
    std::uint32_t m_clrComment;
    std::uint32_t m_clrQuote;
    std::uint32_t m_clrSingleQuote;
    std::uint32_t m_clrText;
    std::uint32_t m_clrBackground;
    std::uint32_t m_clrNumber;
    int m_bColoring;
    int m_nFontItalic;
    int m_bShowTabs;
    int m_bKeepTabs;
    int m_bAutoIndent;
    int m_bCaseSensitive;
    int m_nFontWeight;
    int m_nFontCharSet;
    int m_nFontSize;
    int m_nTabWidth;
    std::string m_strFontName;
    // The wavy underlines under the parts of the text a host marks (Scrivel's problems).
    std::uint32_t m_clrErrorMark;
    std::uint32_t m_clrWarningMark;

    EditorSettings() { SetDefaults(); }

    // Keyword blue, comment green, constant red, number dark red, text black, background
    // white, quotes dark blue; tab width 4, autoindent, colouring, real tabs not shown,
    // Courier 10 regular, character set 0, keywords in any case; error marks red, warning
    // marks orange.
    void SetDefaults();
    // The tab width within 1 to 31, whatever was stored.
    int TabWidth() const { return m_nTabWidth < 1 ? 1 : (m_nTabWidth > 31 ? 31 : m_nTabWidth); }
};

}  // namespace tessaly::editor
