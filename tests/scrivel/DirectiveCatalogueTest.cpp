// The directive catalogue as shipped, a damaged one refused, and where directives may stand:
// completion at the top level, in a virtual host, a directory, a proxy section, .htaccess.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Completion.h"
#include "DirectiveCatalogue.h"

using namespace directives;

namespace {

std::string ShippedText()
{
    std::ifstream in(TESSALY_DIRECTIVES_FILE, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Names(const Catalogue& c, unsigned context, const char* prefix, bool sections = false)
{
    std::vector<std::string> names;
    for (const Directive* d : conf::Completions(c, context, prefix, sections))
        names.push_back(d->name);
    return names;
}

bool Has(const std::vector<std::string>& names, const char* name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

TEST(DirectiveCatalogueTest, TheShippedCatalogueKnowsEveryDirectiveWithItsFacts)
{
    Catalogue c;
    ASSERT_TRUE(c.ReadText(ShippedText()));
    EXPECT_GT(c.All().size(), 700u);
    const Directive* allow = c.Find("allowoverride");
    ASSERT_NE(allow, nullptr);
    EXPECT_EQ(allow->SyntaxLine(), "AllowOverride All|None|directive-type [directive-type] ...  (core)");
    EXPECT_EQ(allow->contexts, unsigned(kDirectory));
    EXPECT_EQ(allow->defaultValue, "AllowOverride None");
    const Directive* directory = c.Find("Directory");
    ASSERT_NE(directory, nullptr);
    EXPECT_TRUE(directory->section);
    EXPECT_EQ(directory->contexts, unsigned(kServerConfig | kVirtualHost));
    const Directive* require = c.Find("Require");
    ASSERT_NE(require, nullptr);
    EXPECT_EQ(require->overrides, "AuthConfig");
    EXPECT_EQ(require->modules, "mod_authz_core");
    EXPECT_EQ(c.Find("Listen")->SyntaxLine(),
              "Listen [IP-address:]portnumber [protocol]  (event, worker, prefork, mpm_winnt, mpm_netware, mpmt_os2)");
}

TEST(DirectiveCatalogueTest, ADamagedCatalogueIsRefusedAndTheOneReadBeforeStays)
{
    Catalogue c;
    ASSERT_TRUE(c.ReadText("#format 1\nListen\tcore\ts\t-\tCore\tListen port\t-\n"));
    EXPECT_FALSE(c.ReadText("Listen\tcore\ts\t-\tCore\tListen port\t-\n"));              // no format line
    EXPECT_FALSE(c.ReadText("#format 1\nListen\tcore\tsx\t-\tCore\tListen port\t-\n"));  // unknown context
    EXPECT_FALSE(c.ReadText("#format 1\nListen\tcore\ts\t-\tCore\tListen port\n"));      // a field short
    EXPECT_FALSE(c.ReadText("#format 1\n# nothing\n"));
    EXPECT_FALSE(c.ReadText(std::string("#format 1\nLis\0ten\tcore\ts\t-\tCore\tx\t-\t\n", 38)));
    ASSERT_EQ(c.All().size(), 1u);
    EXPECT_NE(c.Find("LISTEN"), nullptr);
}

TEST(DirectiveCatalogueTest, CompletionOffersWhatMayStandWhereTheCaretIs)
{
    Catalogue c;
    ASSERT_TRUE(c.ReadText(ShippedText()));
    const auto top = Names(c, conf::ContextAt({}, kServerConfig), "");
    EXPECT_TRUE(Has(top, "Listen"));
    EXPECT_FALSE(Has(top, "AllowOverride"));

    const unsigned inDirectory =
        conf::ContextAt({{"VirtualHost", 1}, {"IfModule", 2}, {"Directory", 3}, {"IfDefine", 4}}, kServerConfig);
    EXPECT_EQ(inDirectory, unsigned(kDirectory));
    EXPECT_EQ(Names(c, inDirectory, "Allo"),
              (std::vector<std::string>{"Allow", "AllowMethods", "AllowOverride", "AllowOverrideList"}));
    EXPECT_FALSE(Has(Names(c, inDirectory, "L"), "Listen"));
    const auto sectionsInDirectory = Names(c, inDirectory, "", true);
    EXPECT_TRUE(Has(sectionsInDirectory, "Files"));
    EXPECT_FALSE(Has(sectionsInDirectory, "Directory"));

    EXPECT_EQ(conf::ContextAt({{"VirtualHost", 1}, {"IfModule", 2}}, kServerConfig), unsigned(kVirtualHost));
    EXPECT_TRUE(Has(Names(c, conf::ContextAt({{"Proxy", 1}}, kServerConfig), "Balancer"), "BalancerMember"));
    // In .htaccess, <Files> keeps the file's context: AllowOverride stays out.
    const unsigned htaccess = conf::ContextAt({{"Files", 1}}, kHtaccess);
    EXPECT_EQ(htaccess, unsigned(kHtaccess));
    EXPECT_FALSE(Has(Names(c, htaccess, "Allow"), "AllowOverride"));
    EXPECT_TRUE(Has(Names(c, htaccess, "Req"), "Require"));
}
