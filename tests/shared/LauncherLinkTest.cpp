#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "LauncherLink.h"

TEST(LauncherLink, TextIsCutAtTheLastCharacterThatFits)
{
    LauncherSharedData block{};
    const std::string longText(6000, 'x');
    std::fill(std::begin(block.szText), std::end(block.szText), '#');

    CopySharedText(block, longText.c_str());

    EXPECT_EQ(std::string(block.szText), std::string(4999, 'x'));
    EXPECT_EQ(block.szText[4999], '\0');
}

TEST(LauncherLink, TextOfExactlyTheLimitIsKeptWhole)
{
    LauncherSharedData block{};
    CopySharedText(block, std::string(4999, 'a').c_str());
    EXPECT_EQ(std::string(block.szText).size(), 4999u);

    CopySharedText(block, std::string(5000, 'b').c_str());
    EXPECT_EQ(std::string(block.szText), std::string(4999, 'b'));
}

TEST(LauncherLink, ShortAndNullTextsReplaceTheOldText)
{
    LauncherSharedData block{};
    CopySharedText(block, "Syntax error on line 3 of c:/conf/httpd.conf\nInvalid command");
    CopySharedText(block, "ok");
    EXPECT_STREQ(block.szText, "ok");
    CopySharedText(block, nullptr);
    EXPECT_STREQ(block.szText, "");
}

// The block is the last thing in the Launcher's mapping: a text field the Launcher filled to
// its last byte is read as its first 4999 characters, never on into what lies beyond.
TEST(LauncherLink, ATextWithoutItsTerminatorIsReadAsItsFirst4999Characters)
{
    struct {
        LauncherSharedData block;
        char beyond[64];
    } mapping;
    std::memset(&mapping, 'z', sizeof mapping);
    EXPECT_EQ(ReadSharedText(mapping.block), std::string(4999, 'z'));

    CopySharedText(mapping.block, "Syntax OK");
    EXPECT_EQ(ReadSharedText(mapping.block), "Syntax OK");
    CopySharedText(mapping.block, std::string(6000, 'y').c_str());
    EXPECT_EQ(ReadSharedText(mapping.block), std::string(4999, 'y'));
}
