#include <gtest/gtest.h>

#include <cstddef>

#include "ConfLexer.h"
#include "KeywordTable.h"
#include "EditorTestUtil.h"
#include "TextBuffer.h"

namespace tessaly::editor {
namespace {

// A small table, as a script would give it.
class ColouringTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            m_keywords.ReadScriptText("# test keywords\n"
                                      "directive\tServerName\thtdocs/manual/mod/core.html#servername\n"
                                      "directive\tDocumentRoot\thtdocs/manual/mod/core.html#documentroot\n"
                                      "directive\tVirtualHost\thtdocs/manual/mod/core.html#virtualhost\n"
                                      "directive\tDirectory\thtdocs/manual/mod/core.html#directory\n"
                                      "directive\tOptions\thtdocs/manual/mod/core.html#options\n"
                                      "constant\tOn\nconstant\tOff\nconstant\tExecCGI\nconstant\tFollowSymLinks\n"));
    }

    // The style of each byte of a line.
    std::string Styles(std::string_view line, bool continued = false, bool caseSensitive = false)
    {
        std::vector<StyleRun> runs;
        LexConfLine(line, continued, m_keywords, caseSensitive, runs);
        std::string styles(line.size(), '?');
        std::size_t covered = 0;
        for (const StyleRun& r : runs) {
            EXPECT_EQ(static_cast<std::size_t>(r.start), covered) << "runs leave no gaps";
            static const char letters[] = "tckCnqs";
            for (int i = 0; i < r.length; ++i)
                styles[static_cast<std::size_t>(r.start + i)] = letters[static_cast<int>(r.style)];
            covered = static_cast<std::size_t>(r.start + r.length);
        }
        EXPECT_EQ(covered, line.size());
        return styles;
    }

    KeywordTable m_keywords;
};

TEST_F(ColouringTest, CommentsStartWithAHashAsFirstNonBlank)
{
    EXPECT_EQ(Styles("#Example configuration"), "cccccccccccccccccccccc");
    EXPECT_EQ(Styles("  # indented"), "ttcccccccccc");
    EXPECT_EQ(Styles("ServerName a#b"), "kkkkkkkkkktttt");
}

TEST_F(ColouringTest, DirectivesArgumentsNumbersAndQuotes)
{
    EXPECT_EQ(Styles("DocumentRoot \"c:/host\""), "kkkkkkkkkkkktqqqqqqqqq");
    EXPECT_EQ(Styles("Options ExecCGI +FollowSymLinks"), "kkkkkkktCCCCCCCtCCCCCCCCCCCCCCC");
    EXPECT_EQ(Styles("Listen 8080"), "tttttttnnnn");
    EXPECT_EQ(Styles("Unknown On"), "ttttttttCC");
}

TEST_F(ColouringTest, SectionTagsColourTheirName)
{
    EXPECT_EQ(Styles("<VirtualHost 127.0.0.1>"),
              std::string("t") + std::string(11, 'k') + std::string("t") + std::string(9, 'n') + std::string("t"));
    EXPECT_EQ(Styles("</Directory>"), "ttkkkkkkkkkt");
    EXPECT_EQ(Styles("\t<Directory 'c:/host'>"),
              std::string("tt") + std::string(9, 'k') + std::string("t") + std::string(9, 's') + std::string("t"));
}

TEST_F(ColouringTest, CaseMattersOnlyWhenAskedFor)
{
    EXPECT_EQ(Styles("servername x"), "kkkkkkkkkktt");
    EXPECT_EQ(Styles("servername x", false, true), "tttttttttttt");
    EXPECT_EQ(Styles("ServerName x", false, true), "kkkkkkkkkktt");
}

TEST_F(ColouringTest, ContinuedLinesHoldNoDirective)
{
    EXPECT_EQ(Styles("  ServerName On", true), "tttttttttttttCC");
    TextBuffer text;
    ASSERT_TRUE(text.SetText("Options ExecCGI \\\r\n  On\r\nServerName x"));
    EXPECT_FALSE(LineIsContinued(text, 0));
    EXPECT_TRUE(LineIsContinued(text, 1));
    EXPECT_FALSE(LineIsContinued(text, 2));
}

TEST_F(ColouringTest, UnclosedQuotesRunToTheLineEnd)
{
    EXPECT_EQ(Styles("ServerName \"abc"), "kkkkkkkkkktqqqq");
    EXPECT_EQ(Styles("ServerName \"a\\\"b\" x"), "kkkkkkkkkktqqqqqqtt");
}

TEST(Keywords, NodesHoldTheHelpPathFromByte256)
{
    static_assert(offsetof(NODE, szHelpPath) == 256);
    KeywordTable k;
    ASSERT_TRUE(k.ReadScriptText("directive\tDocumentRoot\thtdocs/manual/mod/core.html#documentroot\nconstant\tOff\n"));
    const NODE* node = k.Find("documentroot", KeywordTable::kDirectives);
    ASSERT_NE(node, nullptr);
    const char* bytes = reinterpret_cast<const char*>(node);
    EXPECT_STREQ(bytes, "DocumentRoot");
    EXPECT_STREQ(bytes + 256, "htdocs/manual/mod/core.html#documentroot");
    EXPECT_EQ(k.Find("Off", 0), nullptr);
    ASSERT_NE(k.Find("off", 1), nullptr);
    EXPECT_STREQ(k.Find("off", 1)->szHelpPath, "");
    EXPECT_EQ(k.Find("Nothing", 0), nullptr);
    EXPECT_EQ(k.Find("", 0), nullptr);
    EXPECT_EQ(k.Find("Off", 2), nullptr);
}

TEST(Keywords, TheShippedScriptIsReadFromBesideTheBinary)
{
    KeywordTable k;
    ASSERT_TRUE(k.ReadScriptFile((test::TestBinaryDir() / kKeywordScriptName).string()));
    EXPECT_GT(k.Count(KeywordTable::kDirectives), 500);
    EXPECT_GT(k.Count(KeywordTable::kConstants), 20);
    for (const char* name : {"DocumentRoot", "ServerName", "VirtualHost", "Directory", "Options", "ErrorLog",
                             "ScriptLog", "ServerAdmin", "Listen", "LoadModule"}) {
        const NODE* node = k.Find(name, KeywordTable::kDirectives);
        ASSERT_NE(node, nullptr) << name;
        EXPECT_EQ(std::string(node->szHelpPath).rfind("htdocs/manual/mod/", 0), 0u) << name;
    }
    for (const char* name : {"On", "Off", "None", "All", "Any", "Default", "ExecCGI", "FollowSymLinks"}) {
        EXPECT_NE(k.Find(name, KeywordTable::kConstants), nullptr) << name;
    }
}

TEST(Keywords, DamagedLinesAreSkippedAndAnEmptyScriptRefused)
{
    KeywordTable k;
    std::string script = "directive\tListen\t\r\ngarbage line\ndirective\nconstant\tOn\textra\n";
    script.append("directive\t").append(300, 'x').append("\t\n#directive\tCommented\n");
    ASSERT_TRUE(k.ReadScriptText(script));
    EXPECT_EQ(k.Count(KeywordTable::kDirectives), 1);
    EXPECT_EQ(k.Count(KeywordTable::kConstants), 0);
    EXPECT_FALSE(k.ReadScriptText("nonsense\n"));
    EXPECT_FALSE(k.ReadScriptText(""));
    test::TempDir dir;
    EXPECT_FALSE(k.ReadScriptFile(dir.File("no-such-file.txt")));
    EXPECT_FALSE(k.ReadScriptFile(dir.Path().string()));
    EXPECT_NE(k.Find("Listen", 0), nullptr);  // the table read before is kept
}

TEST_F(ColouringTest, NothingIsColouredWithoutKeywordsMatching)
{
    KeywordTable empty;
    std::vector<StyleRun> runs;
    ASSERT_TRUE(empty.ReadScriptText("directive\tOther\t\n"));
    LexConfLine("ServerName On", false, empty, false, runs);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].style, Style::Text);
}

}  // namespace
}  // namespace tessaly::editor
