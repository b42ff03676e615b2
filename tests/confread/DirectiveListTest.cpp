#include <gtest/gtest.h>

#include "DirectiveList.h"

TEST(DirectiveList, ReadsTheKeywordScriptAndSkipsWhatIsNotADirective)
{
    CDirectiveList list;
    EXPECT_TRUE(list.ReadScriptText("# comment\n"
                                    "directive\tVirtualHost\thtdocs/manual/mod/core.html#virtualhost\r\n"
                                    "constant\tOn\n"
                                    "directive\tAlias\thtdocs/manual/mod/mod_alias.html#alias\n"
                                    "directive\tListen\thtdocs/manual/mod/mpm_common.html#listen\n"
                                    "directive\t\tbroken\n"
                                    "garbage line\n"));
    EXPECT_TRUE(list.FromScript());
    ASSERT_EQ(list.All().size(), 3u);
    EXPECT_EQ(list.All()[0].name, "Alias");
    EXPECT_EQ(list.All()[0].module, "mod_alias.c");
    EXPECT_TRUE(list.IsKnown("virtualhost"));
    EXPECT_FALSE(list.IsKnown("On"));
    EXPECT_EQ(list.Modules(), (std::vector<std::string>{"core.c", "mod_alias.c", "mpm_winnt.c"}));

    // A script without a single directive leaves the list as it was.
    EXPECT_FALSE(list.ReadScriptText("constant\tOn\n"));
    EXPECT_EQ(list.All().size(), 3u);
    EXPECT_FALSE(list.ReadScriptFile("no/such/keywords.txt"));
}

TEST(DirectiveList, BuiltInListCoversTheSampleServer)
{
    CDirectiveList list;
    list.UseBuiltIn();
    EXPECT_FALSE(list.FromScript());
    for (const char* name : {"ServerRoot", "VirtualHost", "IfModule", "Include", "CustomLog", "LoadModule", "Require"})
        EXPECT_TRUE(list.IsKnown(name)) << name;
}
