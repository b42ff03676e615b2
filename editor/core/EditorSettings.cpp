#include <editor/EditorSettings.h>

namespace tessaly::editor {

void EditorSettings::SetDefaults()
{
    m_clrKeyword = 0xFF0000;
    m_clrConstant = 0x0000FF;
    m_clrComment = 0x008000;
    m_clrQuote = 0x800000;
    m_clrSingleQuote = 0x800000;
    m_clrText = 0x000000;
    m_clrBackground = 0xFFFFFF;
    m_clrNumber = 0x000080;
    m_bColoring = 1;
    m_nFontItalic = 0;
    m_bShowTabs = 0;
    m_bKeepTabs = 1;
    m_bAutoIndent = 1;
    m_bCaseSensitive = 0;
    m_nFontWeight = 400;
    m_nFontCharSet = 0;
    m_nFontSize = 10;
    m_nTabWidth = 4;
    m_strFontName = "Courier";
    m_clrErrorMark = 0x0000FF;
    m_clrWarningMark = 0x0080FF;
}

}  // namespace tessaly::editor
