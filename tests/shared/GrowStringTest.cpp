#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "GrowString.h"
#include "LauncherLists.h"

TEST(GrowString, DefaultIsEmptyWith64Bytes)
{
    CGrowString s;
    EXPECT_STREQ(s.GetText(), "");
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_EQ(s.GetCapacity(), 64);
}

TEST(GrowString, CapacityIsTheNextMultipleOf64AboveTheLength)
{
    EXPECT_EQ(CGrowString(std::string(63, 'a').c_str()).GetCapacity(), 64);
    EXPECT_EQ(CGrowString(std::string(64, 'a').c_str()).GetCapacity(), 128);
    EXPECT_EQ(CGrowString(std::string(127, 'a').c_str()).GetCapacity(), 128);
    EXPECT_EQ(CGrowString("").GetCapacity(), 64);
    CGrowString copy(CGrowString(std::string(200, 'b').c_str()));
    EXPECT_EQ(copy.GetCapacity(), 256);
    EXPECT_EQ(copy.GetLength(), 200);
}

TEST(GrowString, AssignmentThatFitsReusesTheBuffer)
{
    CGrowString s(std::string(100, 'x').c_str());
    const char* buffer = s.GetText();
    s = "short";
    EXPECT_EQ(s.GetText(), buffer);
    EXPECT_EQ(s.GetCapacity(), 128);
    EXPECT_EQ(s.GetLength(), 5);

    s = std::string(128, 'y').c_str();  // does not fit: a new buffer of 192
    EXPECT_EQ(s.GetCapacity(), 192);
    EXPECT_EQ(std::string(s.GetText()), std::string(128, 'y'));
}

TEST(GrowString, SelfAssignmentKeepsTheText)
{
    CGrowString s("httpd.conf");
    s = s;
    EXPECT_STREQ(s.GetText(), "httpd.conf");
    s = s.GetText() + 6;  // a tail of its own buffer
    EXPECT_STREQ(s.GetText(), "conf");
}

TEST(GrowString, FormattingDoublesUntilTheTextFits)
{
    CGrowString s;
    s.Format("%s", std::string(100, 'q').c_str());
    EXPECT_EQ(s.GetCapacity(), 128);
    EXPECT_EQ(std::string(s.GetText()), std::string(100, 'q'));
    EXPECT_EQ(s.GetLength(), 100);

    s.Format("%d-%s", 42, "x");
    EXPECT_STREQ(s.GetText(), "42-x");
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_EQ(s.GetCapacity(), 128);

    CGrowString big;
    big.Format("%0300d", 7);
    EXPECT_EQ(big.GetCapacity(), 512);
    EXPECT_EQ(big.GetLength(), 300);
}

TEST(GrowString, ReserveDiscardDropsTheTextAndReserveKeepKeepsIt)
{
    CGrowString s("C:\\Apache24");
    char* buffer = s.ReserveKeep(300);
    EXPECT_STREQ(buffer, "C:\\Apache24");
    EXPECT_EQ(s.GetCapacity(), 320);
    EXPECT_EQ(s.GetLength(), 11);

    buffer = s.ReserveDiscard(400);
    EXPECT_EQ(s.GetCapacity(), 448);
    EXPECT_STREQ(s.GetText(), "");
    std::strcpy(buffer, "written by someone else");
    s.SetLengthFromText();
    EXPECT_EQ(s.GetLength(), 23);

    // Small enough: the buffer and its text stay.
    EXPECT_EQ(s.ReserveDiscard(10), buffer);
    EXPECT_STREQ(s.GetText(), "written by someone else");
}

TEST(GrowString, ReverseFindLooksOnlyAtTheFirstNCharacters)
{
    CGrowString s("C:/Apache24/logs/access.log");
    EXPECT_EQ(s.ReverseFind('/'), 16);
    EXPECT_EQ(s.ReverseFind('/', 16), 11);
    EXPECT_EQ(s.ReverseFind('/', 2), -1);
    EXPECT_EQ(s.ReverseFind('#'), -1);
    EXPECT_EQ(s.ReverseFind('g', 1000), 26);
}

TEST(GrowString, ConcatenationSizesForBothParts)
{
    CGrowString left(std::string(40, 'a').c_str());
    CGrowString joined = left + std::string(30, 'b').c_str();
    EXPECT_EQ(joined.GetLength(), 70);
    EXPECT_EQ(joined.GetCapacity(), 128);
    EXPECT_EQ(std::string(joined.GetText()), std::string(40, 'a') + std::string(30, 'b'));
    EXPECT_STREQ((CGrowString("x") + nullptr).GetText(), "x");
}

TEST(GrowString, ReadsThroughTheSharedLayout)
{
    CGrowString s("www.example.test");
    GrowStringLayout layout;
    static_assert(sizeof layout == sizeof s);
    std::memcpy(&layout, static_cast<const void*>(&s), sizeof layout);
    EXPECT_EQ(layout.text, s.GetText());
    EXPECT_EQ(layout.capacity, 64);
    EXPECT_EQ(layout.length, 16);
    EXPECT_EQ(TextOf(layout), "www.example.test");
}
