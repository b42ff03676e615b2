// The texts Scrivel prepares for its status bar and message boxes.
#include <gtest/gtest.h>

#include <string>

#include "StatusTexts.h"

TEST(FlashText, KeepsPlainTextAsItIs)
{
    EXPECT_EQ(FlashText("Syntax OK"), "Syntax OK");
    EXPECT_EQ(FlashText(""), "");
    EXPECT_EQ(FlashText(nullptr), "");
}

TEST(FlashText, ShowsControlCharactersAndHighBytesAsSpaces)
{
    EXPECT_EQ(FlashText("line one\r\nline two\ttab"), "line one  line two tab");
    EXPECT_EQ(FlashText("caf\xE9 \x80\xFF!"), "caf    !");
    EXPECT_EQ(FlashText("\x1F\x20\x7E\x7F"), "  ~\x7F");
}

TEST(FlashText, KeepsTheFirst255Characters)
{
    const std::string long300(300, 'x');
    EXPECT_EQ(FlashText(long300.c_str()), std::string(255, 'x'));
    const std::string exactly255 = std::string(254, 'a') + "b";
    EXPECT_EQ(FlashText(exactly255.c_str()), exactly255);
}

TEST(WithPath, PutsThePathInPlaceOfTheFirstPercentS)
{
    EXPECT_EQ(WithPath("Error creating file %s.", "C:\\conf\\a.conf"), "Error creating file C:\\conf\\a.conf.");
    EXPECT_EQ(WithPath("File %s not found. Do you wish to create new file?", "x"),
              "File x not found. Do you wish to create new file?");
    EXPECT_EQ(WithPath("%s and %s", "a"), "a and %s");
    EXPECT_EQ(WithPath("no place", "a"), "no place");
    EXPECT_EQ(WithPath("%s", "100%d"), "100%d");
}
