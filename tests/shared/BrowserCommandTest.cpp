// The command line that opens a web address: quoting, "%1" substitution and the collapsing
// of double-quote runs.
#include <gtest/gtest.h>

#include "BrowserCommand.h"

namespace {
using browser::BuildCommandLine;
using browser::CollapseQuotes;
using browser::QuoteAddress;
using browser::ReplacePlaceholder;

TEST(BrowserCommandTest, OnlyAddressesWithABlankAreQuoted)
{
    EXPECT_EQ(QuoteAddress("http://example.org/"), "http://example.org/");
    EXPECT_EQ(QuoteAddress("http://example.org/a b"), "\"http://example.org/a b\"");
}

TEST(BrowserCommandTest, EveryPlaceholderIsReplacedOnce)
{
    EXPECT_EQ(ReplacePlaceholder("b.exe %1 -x %1", "A"), "b.exe A -x A");
    EXPECT_EQ(ReplacePlaceholder("b.exe -x", "A"), "b.exe -x");
    // An address holding "%1" is not substituted again (a rescan would never end).
    EXPECT_EQ(ReplacePlaceholder("b.exe %1", "http://h/%1%1"), "b.exe http://h/%1%1");
    EXPECT_EQ(ReplacePlaceholder("%1%1", "%1"), "%1%1");
}

TEST(BrowserCommandTest, AnyRunOfDoubleQuotesBecomesOne)
{
    EXPECT_EQ(CollapseQuotes("\"\""), "\"");
    EXPECT_EQ(CollapseQuotes("\"\"\""), "\"");
    EXPECT_EQ(CollapseQuotes("a\"\"\"\"\"b\"\"c"), "a\"b\"c");
    EXPECT_EQ(CollapseQuotes("\"b.exe\" \"x\""), "\"b.exe\" \"x\"");
    EXPECT_EQ(CollapseQuotes(""), "");
}

TEST(BrowserCommandTest, ATemplateWithoutPlaceholderGetsTheAddressAppendedInQuotes)
{
    EXPECT_EQ(BuildCommandLine("\"C:\\B\\b.exe\" -nohome", "http://example.org/"),
              "\"C:\\B\\b.exe\" -nohome \"http://example.org/\"");
    EXPECT_EQ(BuildCommandLine("b.exe", "\"http://example.org/a b\""), "b.exe \"http://example.org/a b\"");
}

TEST(BrowserCommandTest, AQuotedAddressInAQuotedPlaceholderEndsUpQuotedOnce)
{
    EXPECT_EQ(BuildCommandLine("\"b.exe\" \"%1\"", "\"http://example.org/a b\""),
              "\"b.exe\" \"http://example.org/a b\"");
    EXPECT_EQ(BuildCommandLine("b.exe \"%1\" -new \"%1\"", "http://h/"), "b.exe \"http://h/\" -new \"http://h/\"");
}
}  // namespace
