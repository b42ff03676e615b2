// Where context help leads: the words that qualify, addresses from absolute and relative
// help paths with either slash, the manual in either of its two homes, a type map's page in
// the user's language, the online manual when there is none, and the menu text.
#include <gtest/gtest.h>

#include <set>

#include "KeywordHelp.h"
#include "ManualLanguage.h"

using namespace keywordhelp;

namespace {
FileExists Files(std::set<std::string> files)
{
    return [files](const std::string& path) { return files.count(path) != 0; };
}
const FileExists kNothing = Files({});
}  // namespace

TEST(KeywordHelpTest, WordsOfOneTo254CharactersQualify)
{
    EXPECT_FALSE(Qualifies(""));
    EXPECT_TRUE(Qualifies("A"));
    EXPECT_TRUE(Qualifies(std::string(254, 'x')));
    EXPECT_FALSE(Qualifies(std::string(255, 'x')));
}

TEST(KeywordHelpTest, HelpPathsBecomeFileAddressesWithBackslashes)
{
    EXPECT_EQ(HelpUrl("C:/Apache", "C:/x/y.html", kNothing), "file:///C:\\x\\y.html");
    EXPECT_EQ(HelpUrl("C:/Apache", "htdocs/manual/mod/core.html", kNothing),
              "file:///C:\\Apache\\htdocs\\manual\\mod\\core.html");
    EXPECT_EQ(HelpUrl("", "htdocs/manual/mod/core.html#allowoverride", kNothing),
              "file:///\\htdocs\\manual\\mod\\core.html#allowoverride");
}

TEST(KeywordHelpTest, APageOnlyUnderManualIsTakenFromThereAndOneUnderHtdocsStaysThere)
{
    const std::string oldPage = "C:\\Apache24\\htdocs\\manual\\mod\\core.html";
    const std::string newPage = "C:\\Apache24\\manual\\mod\\core.html";
    const std::string path = "htdocs/manual/mod/core.html#allowoverride";

    EXPECT_EQ(HelpUrl("C:\\Apache24", path, Files({newPage})), "file:///" + newPage + "#allowoverride");
    EXPECT_EQ(HelpUrl("C:\\Apache24", path, Files({oldPage, newPage})), "file:///" + oldPage + "#allowoverride");
    // Neither: the address the table gives, for the browser to report.
    EXPECT_EQ(HelpUrl("C:\\Apache24", path, kNothing), "file:///" + oldPage + "#allowoverride");
    // Only a whole folder named htdocs counts.
    EXPECT_EQ(HelpUrl("C:\\myhtdocs", "C:/myhtdocs/manual/x.html", Files({"C:\\myhtdocs\\manual\\x.html"})),
              "file:///C:\\myhtdocs\\manual\\x.html");
    EXPECT_EQ(HelpUrl("C:\\s", "C:/s/xhtdocs/manual/x.html", Files({"C:\\s\\manual\\x.html"})),
              "file:///C:\\s\\xhtdocs\\manual\\x.html");
    // Letter case as Windows ignores it.
    EXPECT_EQ(HelpUrl("C:\\s", "HTDOCS/Manual/x.html", Files({"C:\\s\\manual\\x.html"})),
              "file:///C:\\s\\manual\\x.html");
}

TEST(KeywordHelpTest, TheIndexIsUnderHtdocsUnlessOnlyTheNewLayoutHasIt)
{
    EXPECT_EQ(ManualIndexUrl("C:/Apache", kNothing), "file:///C:/Apache\\htdocs\\manual\\index.html");
    EXPECT_EQ(ManualIndexUrl("C:/Apache", Files({"C:/Apache\\manual\\index.html"})),
              "file:///C:/Apache\\manual\\index.html");
    EXPECT_EQ(
        ManualIndexUrl("C:/Apache", Files({"C:/Apache\\manual\\index.html", "C:/Apache\\htdocs\\manual\\index.html"})),
        "file:///C:/Apache\\htdocs\\manual\\index.html");
}

TEST(KeywordHelpTest, ATypeMapLeadsToItsPageInTheUsersLanguageOnDiskElseTheEnglishOne)
{
    const std::string mod = "C:\\A\\manual\\mod\\";
    auto page = [&](const std::string& language, const std::string& text) {
        const ManualAccess manual{Files({mod + "core.html", mod + "core.html.de", mod + "core.html.en"}),
                                  [=](const std::string&) { return text; }, language};
        return HelpPage("C:\\A", "htdocs/manual/mod/core.html#a", manual).url;
    };
    const std::string map = "URI: core.html\r\n\r\nURI: core.html.de\r\nContent-Language: de\r\n\r\n"
                            "URI: core.html.ja.utf8\nContent-Language: ja\n\nURI: core.html.en\nContent-Language: en\n";
    EXPECT_EQ(page("de", map), "file:///" + mod + "core.html.de#a");
    EXPECT_EQ(page("ja", map), "file:///" + mod + "core.html.en#a");  // listed, not on disk
    EXPECT_EQ(page("de", "<!DOCTYPE html>\n<html>"), "file:///" + mod + "core.html#a");
    for (auto [id, code] : {std::pair{0x0407, "de"}, {0x0416, "pt-br"}, {0x0804, "zh-cn"}, {0x0404, "zh-tw"}})
        EXPECT_EQ(ManualLanguageOf(static_cast<unsigned short>(id)), code);
    EXPECT_EQ(ManualLanguageOf(0x0436), "en");  // a language the manual lacks
}

TEST(KeywordHelpTest, WithoutTheManualTheIndexIsTheOnlineManualsButAPageOutsideAnyManualStaysOnDisk)
{
    const ManualAccess none{kNothing, [](const std::string&) { return std::string(); }, "en"};
    EXPECT_EQ(IndexPage("C:/A", none).url, "https://httpd.apache.org/docs/2.4/index.html");
    EXPECT_TRUE(IndexPage("C:/A", none).online);
    EXPECT_EQ(HelpPage("C:\\A", "C:/x/y.html", none).url, "file:///C:\\x\\y.html");
    EXPECT_FALSE(HelpPage("C:\\A", "C:/x/y.html", none).online);
}

TEST(KeywordHelpTest, TheMenuTextNamesTheWordAndItsKeyOrSaysThereIsNoHelp)
{
    EXPECT_EQ(MenuText("AllowOverride", true), "Help for 'AllowOverride'\tF1");
    EXPECT_EQ(MenuText("Off", false), "No help available");
}
