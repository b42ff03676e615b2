#pragma once
// CColors: the editor's colour, font and tab settings as every new buffer starts with them,
// kept in the settings store under Settings\Format. The global m_Colors is the one table.
#include <windows.h>

#include <string>

#include <editor/EditorApi.h>
#include <editor/EditorSettings.h>

class EDITORAPI CColors {
public:
    // Two leading words of the component's own: the layout's version and its size.
    DWORD m_dwVersion;
    DWORD m_dwSize;
    COLORREF m_clrKeyword;
    COLORREF m_clrConstant;
    COLORREF m_clrComment;
    COLORREF m_clrQuote;
    COLORREF m_clrSingleQuote;
    COLORREF m_clrText;
    COLORREF m_clrBackground;
    COLORREF m_clrNumber;
    BOOL m_bColoring;
    int m_nFontItalic;
    BOOL m_bShowTabs;
    BOOL m_bKeepTabs;
    BOOL m_bAutoIndent;
    BOOL m_bCaseSensitive;
    int m_nFontWeight;
    int m_nFontCharSet;
    int m_nFontSize;
    int m_nTabWidth;
    std::string m_strFontName;
    // Beyond the settings the component has always kept: the colours of the marks a host
    // puts on the text, stored under names of Tessaly's own ("ErrorMark", "WarningMark").
    COLORREF m_clrErrorMark;
    COLORREF m_clrWarningMark;

    CColors();
    void SetDefaults();
    // Loads from / stores to the settings store; a missing or damaged value reads as its
    // default. TRUE when the store could be read / every value was written.
    BOOL ReadSettings();
    BOOL SaveSettings();

    // Between this table and a buffer's fields.
    void CopyTo(tessaly::editor::EditorSettings& settings) const;
    void CopyFrom(const tessaly::editor::EditorSettings& settings);
};

extern EDITORAPI CColors m_Colors;
