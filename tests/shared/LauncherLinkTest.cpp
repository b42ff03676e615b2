#include <gtest/gtest.h>

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

TEST(LauncherLink, HandlesDoNotTouchTheText)
{
    LauncherSharedData block{};
    block.hEditorWnd = 0x1234;
    block.hLauncherWnd = 0xABCD;
    CopySharedText(block, std::string(7000, 'z').c_str());
    EXPECT_EQ(block.hEditorWnd, 0x1234u);
    EXPECT_EQ(block.hLauncherWnd, 0xABCDu);
}
