// The Format page's rules: which colour items are offered and the field each one edits, the
// tab width's limits, whole points from the font dialog's tenths, the caption and the sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "FormatItems.h"

TEST(FormatItems, ColouringOffOffersOnlyTextAndBackground)
{
    auto names = [](bool coloring) {
        std::vector<std::string> texts;
        for (const auto& item : format::OfferedItems(coloring))
            texts.emplace_back(item.text);
        std::sort(texts.begin(), texts.end());
        return texts;
    };
    EXPECT_EQ(names(false), (std::vector<std::string>{"Background", "Text"}));
    EXPECT_EQ(names(true), (std::vector<std::string>{"Background", "Comment", "Constant", "Error mark", "Keyword",
                                                     "Number", "Quote", "Single Quote", "Text", "Warning mark"}));
}

TEST(FormatItems, EachItemEditsOnlyItsOwnField)
{
    format::Settings settings;
    const format::Settings before = settings;
    *format::ColorField(settings, 7) = 0x123456;  // "Quote"
    EXPECT_EQ(settings.m_clrQuote, 0x123456u);
    EXPECT_EQ(settings.m_clrSingleQuote, before.m_clrSingleQuote);
    EXPECT_EQ(settings.m_clrKeyword, before.m_clrKeyword);
    EXPECT_EQ(format::ColorField(settings, 6), &settings.m_clrBackground);
    EXPECT_EQ(format::ColorField(settings, 1), &settings.m_clrKeyword);
    EXPECT_EQ(format::ColorField(settings, 9), &settings.m_clrErrorMark);
    EXPECT_EQ(format::ColorField(settings, 11), nullptr);
    EXPECT_EQ(*format::ColorField(settings, 8), 0x800000u) << "Single Quote's default, dark blue";
}

TEST(FormatItems, TabWidthStaysWithinOneToThirtyOne)
{
    EXPECT_EQ(format::SteppedTabWidth(4, 1), 5);
    EXPECT_EQ(format::SteppedTabWidth(2, -1), 1);
    EXPECT_FALSE(format::SteppedTabWidth(1, -1));
    EXPECT_FALSE(format::SteppedTabWidth(31, 1));
    EXPECT_EQ(format::SteppedTabWidth(30, 1), 31);
}

TEST(FormatItems, FontSizeIsTruncatedAndTheCaptionNamesFaceAndSize)
{
    EXPECT_EQ(format::PointsFromTenths(125), 12);
    EXPECT_EQ(format::PointsFromTenths(99), 9);
    EXPECT_EQ(format::FontCaption("Courier", 10), "Courier, 10");
}

TEST(FormatItems, TheSampleHasFourteenLinesWithTheirIndentation)
{
    const std::string text = format::SampleText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14);
    EXPECT_NE(text.find("\n#Example configuration\n"), std::string::npos);
    EXPECT_NE(text.find("\n\t\tOptions ExecCGI\n"), std::string::npos);
    EXPECT_NE(text.find("\n\t<Directory 'c:/host'>\n"), std::string::npos);
    EXPECT_NE(text.find("\tDocumentRoot \"c:/host\"\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 15), "</VirtualHost>\n");
}
