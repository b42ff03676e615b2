#include <gtest/gtest.h>

#include <string>

#include "LogLabels.h"

TEST(LogLabels, KilobytesHaveTwoDecimals)
{
    EXPECT_EQ(KilobyteText(0), "0.00");
    EXPECT_EQ(KilobyteText(1536), "1.50");
    EXPECT_EQ(KilobyteText(1024), "1.00");
    EXPECT_EQ(KilobyteText(1023), "1.00");  // 0.999 rounds up into the next kilobyte
    EXPECT_EQ(KilobyteText(5), "0.00");     // 0.0049
    EXPECT_EQ(KilobyteText(6), "0.01");     // 0.0059
    EXPECT_EQ(KilobyteText(1048576), "1024.00");
}

TEST(LogLabels, HalfwaySizesRoundUpInEveryBuild)
{
    EXPECT_EQ(KilobyteText(128), "0.13");  // exactly 0.125
    EXPECT_EQ(KilobyteText(384), "0.38");  // exactly 0.375
    EXPECT_EQ(KilobyteText(1024 + 640), "1.63");
}

TEST(LogLabels, SizesBeyondFourGigabytesAreWhole)
{
    EXPECT_EQ(KilobyteText(3ull << 30), "3145728.00");
    EXPECT_EQ(KilobyteText((5ull << 30) + 1536), "5242881.50");
}

TEST(LogLabels, LabelShowsTheSizeOnlyWhenAsked)
{
    EXPECT_EQ(LogItemLabel("error.log", 1536, true), "error.log - 1.50Kb");
    EXPECT_EQ(LogItemLabel("error.log", 1536, false), "error.log");
    EXPECT_EQ(LogItemLabel("", 0, true), " - 0.00Kb");
}

TEST(LogLabels, PathsAndNames)
{
    EXPECT_EQ(BackslashPath("C:/Apache24/logs\\error.log"), "C:\\Apache24\\logs\\error.log");
    EXPECT_EQ(NameOfPath("C:\\Apache24\\logs\\error.log"), "error.log");
    EXPECT_EQ(NameOfPath("error.log"), "error.log");
    EXPECT_EQ(NameOfPath("C:\\logs\\"), "");
    EXPECT_EQ(CText(std::string("err\0or", 6)), "err");
    EXPECT_EQ(CText("plain"), "plain");
}

TEST(LogLabels, FoldingTouchesOnlyAsciiLetters)
{
    EXPECT_EQ(FoldCase("Error.LOG"), "error.log");
    EXPECT_EQ(FoldCase("[_]^`{}"), "[_]^`{}");
    EXPECT_EQ(FoldCase("\xC9t\xC9"), "\xC9t\xC9");  // no folding outside A to Z
}

TEST(LogLabels, TrailBytesOfTwoByteCharactersAreNotFolded)
{
    LeadByteTable lead{};
    lead[0x82] = true;
    // 0x82 0x41 is one character; the 'A' after it is a separate letter.
    EXPECT_EQ(FoldCase("\x82\x41\x41", &lead), "\x82\x41\x61");
    EXPECT_EQ(FoldCase("\x82\x41\x41"), "\x82\x61\x61");
    EXPECT_EQ(FoldCase("X\x82", &lead), "x\x82");  // a lead byte at the very end
}

TEST(LogLabels, ComparingFoldsAsTheKeysDo)
{
    LeadByteTable lead{};
    lead[0x82] = true;
    const std::string texts[] = {"",
                                 "a",
                                 "A",
                                 "ab",
                                 "aB",
                                 "b",
                                 "_",
                                 "[",
                                 "\x82\x41",
                                 "\x82\x61",
                                 "\x82\x41"
                                 "A",
                                 "a\x82",
                                 "Error.log",
                                 "error.LOG",
                                 "error.log - 1.00Kb"};
    const LeadByteTable* const tables[] = {nullptr, &lead};
    for (const LeadByteTable* table : tables) {
        for (const std::string& a : texts) {
            for (const std::string& b : texts) {
                const std::string keyA = FoldCase(a, table);
                const std::string keyB = FoldCase(b, table);
                const int expected = keyA < keyB ? -1 : (keyA == keyB ? 0 : 1);
                EXPECT_EQ(FoldCompare(a, b, table), expected) << a << " / " << b;
                EXPECT_EQ(FoldEqual(a, b, table), keyA == keyB) << a << " / " << b;
                if (keyA == keyB) {
                    EXPECT_EQ(FoldHash(a, table), FoldHash(b, table)) << a << " / " << b;
                }
            }
        }
    }
}
