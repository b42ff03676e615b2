#include <gtest/gtest.h>

#include "ConfPath.h"

using namespace confpath;

TEST(ConfPath, AbsoluteMeansDriveOrLeadingSlash)
{
    EXPECT_TRUE(IsAbsolute("C:/Apache24"));
    EXPECT_TRUE(IsAbsolute("c:\\Apache24"));
    EXPECT_TRUE(IsAbsolute("/srv/www"));
    EXPECT_TRUE(IsAbsolute("\\\\server\\share"));
    EXPECT_FALSE(IsAbsolute("conf/httpd.conf"));
    EXPECT_FALSE(IsAbsolute(""));
}

TEST(ConfPath, JoinUsesForwardSlashesAndKeepsAbsoluteNames)
{
    EXPECT_EQ(Join("C:\\Server\\", "conf\\extra.conf"), "C:/Server/conf/extra.conf");
    EXPECT_EQ(Join("C:/Server", "./logs/error.log"), "C:/Server/logs/error.log");
    EXPECT_EQ(Join("C:/Server", "D:/elsewhere/x.log"), "D:/elsewhere/x.log");
    EXPECT_EQ(Join("C:/", "x"), "C:/x");
}

TEST(ConfPath, ResolverMovesTheDeclaredRootToTheRealFolder)
{
    CPathResolver resolver("Z:\\copies\\Apache24\\");
    EXPECT_EQ(resolver.Resolve("logs/error.log"), "Z:/copies/Apache24/logs/error.log");
    EXPECT_EQ(resolver.Resolve("C:/Apache24/logs/x.log"), "C:/Apache24/logs/x.log");
    resolver.SetDeclaredRoot("c:\\apache24");
    EXPECT_EQ(resolver.Resolve("C:/Apache24/logs/x.log"), "Z:/copies/Apache24/logs/x.log");
    EXPECT_EQ(resolver.Resolve("C:/Apache24"), "Z:/copies/Apache24");
    // A sibling folder that merely starts with the same letters is not below the root.
    EXPECT_EQ(resolver.Resolve("C:/Apache24-old/x.log"), "C:/Apache24-old/x.log");
    EXPECT_EQ(resolver.Resolve("D:/www/site"), "D:/www/site");
}

TEST(ConfPath, WildcardsMatchWithoutRegardToCase)
{
    EXPECT_TRUE(WildcardMatch("*.conf", "httpd-VHOSTS.CONF"));
    EXPECT_TRUE(WildcardMatch("site?.conf", "site1.conf"));
    EXPECT_TRUE(WildcardMatch("*a*b*", "xxaxxbxx"));
    EXPECT_FALSE(WildcardMatch("*.conf", "httpd.conf.bak"));
    EXPECT_FALSE(WildcardMatch("site?.conf", "site12.conf"));
    EXPECT_TRUE(HasWildcard("*.conf"));
    EXPECT_FALSE(HasWildcard("httpd.conf"));
}
