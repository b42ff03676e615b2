// What a user sees of a configuration file: each kind of text in its colour, visible tab
// marks when asked for, plain text when colouring is off. Saves a screenshot to look at.
#include <gtest/gtest.h>

#include "EditorHost.h"

namespace shelltest {
namespace {

constexpr const char* kConf = "# Example configuration\r\n"   // 0 comment
                              "ServerRoot \"C:/Apache\"\r\n"  // 1 directive, double quotes
                              "Listen 8080\r\n"               // 2 directive, number
                              "\r\n"                          // 3
                              "<Directory 'c:/host'>\r\n"     // 4 section tag, single quotes
                              "\tOptions None\r\n"            // 5 tab, directive, constant
                              "\tAllowOverride All\r\n"       // 6
                              "</Directory>\r\n"              // 7
                              "plain words here\r\n";         // 8 unknown first word: text

class ColouringTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GT(Keywords().Count(0), 100) << "the keyword script beside the test program";
        m_editor = m_host.AddEditor(&m_buffer, RECT{0, 0, 640, 360}, &Keywords());
        ::SetWindowTextA(m_editor, kConf);
        m_cell = CellSize(m_editor);
    }
    int Count(const ClientImage& image, COLORREF colour, int row) const
    {
        return image.Count(colour, row * m_cell.cy, (row + 1) * m_cell.cy);
    }

    EditorSettings m_settings;
    EditBuffer m_buffer{m_settings};
    EditorHost m_host;
    HWND m_editor = nullptr;
    SIZE m_cell{};
};

TEST_F(ColouringTest, EachKindOfTextHasItsColour)
{
    m_settings.m_bShowTabs = 1;
    tessaly::editor::EditorFromWindow(m_editor)->Repaint();
    const ClientImage image(m_editor);
    const std::string png = Screenshot(m_host.Host(), "editorwindow-colours");
    EXPECT_FALSE(png.empty());

    EXPECT_GT(Count(image, m_settings.m_clrComment, 0), 20);
    EXPECT_EQ(Count(image, m_settings.m_clrKeyword, 0), 0) << "a comment is all comment";
    EXPECT_GT(Count(image, m_settings.m_clrKeyword, 1), 20);
    EXPECT_GT(Count(image, m_settings.m_clrQuote, 1), 20);
    EXPECT_GT(Count(image, m_settings.m_clrKeyword, 2), 20);
    EXPECT_GT(Count(image, m_settings.m_clrNumber, 2), 10);
    EXPECT_GT(Count(image, m_settings.m_clrKeyword, 4), 20);
    EXPECT_GT(Count(image, m_settings.m_clrSingleQuote, 4), 10);
    EXPECT_GT(Count(image, m_settings.m_clrConstant, 5), 10);
    EXPECT_GT(Count(image, m_settings.m_clrConstant, 6), 5);
    EXPECT_GT(Count(image, m_settings.m_clrKeyword, 7), 20);
    EXPECT_EQ(Count(image, m_settings.m_clrKeyword, 8), 0);
    EXPECT_GT(Count(image, m_settings.m_clrText, 8), 20);
    // The tab marks, between text and background.
    const COLORREF mark = RGB(127, 127, 127);
    EXPECT_GT(Count(image, mark, 5), 3);
    EXPECT_EQ(Count(image, mark, 2), 0);
}

TEST_F(ColouringTest, NothingIsColouredWhenColouringIsOff)
{
    m_buffer.SetSyntaxColoring(false);
    tessaly::editor::EditorFromWindow(m_editor)->Repaint();
    const ClientImage plain(m_editor);
    EXPECT_EQ(plain.Count(m_settings.m_clrKeyword, 0, plain.Height()), 0);
    EXPECT_EQ(plain.Count(m_settings.m_clrComment, 0, plain.Height()), 0);
    EXPECT_GT(Count(plain, m_settings.m_clrText, 1), 20);

    m_buffer.SetSyntaxColoring(true);
    m_settings.m_bColoring = 0;
    tessaly::editor::EditorFromWindow(m_editor)->Repaint();
    const ClientImage off(m_editor);
    EXPECT_EQ(off.Count(m_settings.m_clrKeyword, 0, off.Height()), 0);

    // Other colours and a wider tab after ApplySettings.
    m_settings.m_bColoring = 1;
    m_settings.m_clrBackground = RGB(255, 255, 224);
    tessaly::editor::EditorFromWindow(m_editor)->ApplySettings();
    const ClientImage yellow(m_editor);
    EXPECT_GT(yellow.Count(RGB(255, 255, 224), 0, yellow.Height()), yellow.Width() * yellow.Height() / 2);
}

}  // namespace
}  // namespace shelltest
