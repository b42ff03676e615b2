#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "SyntaxReport.h"

namespace {

// Reading a report where every path it names is a file.
SyntaxReport Read(const std::string& text)
{
    return ReadSyntaxReport(text, [](const std::string&) { return true; });
}

void ExpectLocation(const SyntaxReport& report, const std::string& path, int line, const std::string& message)
{
    EXPECT_TRUE(report.hasLocation);
    EXPECT_EQ(report.path, path);
    EXPECT_EQ(report.line, line);
    EXPECT_EQ(report.message, message);
}

void ExpectShownWhole(const std::string& text)
{
    const SyntaxReport report = Read(text);
    EXPECT_FALSE(report.hasLocation) << text;
    EXPECT_EQ(report.message, text);
}

const std::string kInvalidCommand =
    "Invalid command 'ServerNmae', perhaps misspelled or defined by a module not included in the server "
    "configuration";

}  // namespace

// The Launcher's own form, read as the scan format reads it.

TEST(SyntaxReportLauncherForm, PathLosesItsColonAndMessageIsTheNextLine)
{
    ExpectLocation(Read("Syntax error on line 12 of C:/Apache24/conf/httpd.conf:\n" + kInvalidCommand),
                   "C:/Apache24/conf/httpd.conf", 12, kInvalidCommand);
}

TEST(SyntaxReportLauncherForm, CarriageReturnsAndBlankLinesArePassedOver)
{
    ExpectLocation(
        Read("Syntax error on line 12 of C:/Apache24/conf/httpd.conf:\r\n\r\n  \r\n" + kInvalidCommand + "\r\n"),
        "C:/Apache24/conf/httpd.conf", 12, kInvalidCommand);
    ExpectLocation(Read("Syntax error on line 5 of C:/a.conf::\r\r\nmessage"), "C:/a.conf", 5, "message");
}

TEST(SyntaxReportLauncherForm, ScanRulesForBlanksAndNumbers)
{
    // Each blank of the format takes any run of white space, none included.
    ExpectLocation(Read("Syntax\terror  on\nline   7 of\nC:/a.conf\nmessage"), "C:/a.conf", 7, "message");
    ExpectLocation(Read("Syntaxerroronline7ofC:/a.conf\nmessage"), "C:/a.conf", 7, "message");
    ExpectLocation(Read("Syntax error on line -3 of a.conf:\nm"), "a.conf", -3, "m");
    ExpectLocation(Read("Syntax error on line +4 of a.conf:\nm"), "a.conf", 4, "m");
    ExpectLocation(Read("Syntax error on line 99999999999 of a.conf:\nm"), "a.conf", INT_MAX, "m");
}

TEST(SyntaxReportLauncherForm, ReportsMissingAFieldAreShownWhole)
{
    ExpectShownWhole("Syntax error on line 12 of C:/Apache24/conf/httpd.conf:");
    ExpectShownWhole("Syntax error on line 12 of C:/Apache24/conf/httpd.conf:\r\n");
    ExpectShownWhole("Syntax error on line twelve of C:/a.conf:\nmessage");
    ExpectShownWhole("Syntax error at line 12 of C:/a.conf:\nmessage");
    ExpectShownWhole("xSyntax error on line 12 of C:/a.conf:\nmessage");
    ExpectShownWhole("Syntax OK");
    ExpectShownWhole("");
}

TEST(SyntaxReportLauncherForm, TextEndsAtItsTerminator)
{
    const std::string text =
        std::string("Syntax error on line 3 of C:/a.conf:\nmessage") + '\0' + "Syntax error on line 9 of C:/b.conf:\nx";
    ExpectLocation(Read(text), "C:/a.conf", 3, "message");
}

TEST(SyntaxReportLauncherForm, FieldsAreBounded)
{
    const std::string longPath = "C:/" + std::string(1021, 'p');  // 1024 characters
    const SyntaxReport tooLong = Read("Syntax error on line 3 of " + longPath + ":\nmessage");
    EXPECT_FALSE(tooLong.hasLocation);
    EXPECT_EQ(tooLong.message, "message");

    const std::string fits = "C:/" + std::string(1020, 'p');  // 1023 characters
    ExpectLocation(Read("Syntax error on line 3 of " + fits + ":\nmessage"), fits, 3, "message");

    const SyntaxReport longMessage = Read("Syntax error on line 3 of C:/a.conf:\n" + std::string(3000, 'm'));
    EXPECT_EQ(longMessage.message, std::string(kSyntaxReportFieldRoom, 'm'));
}

// What Apache httpd 2.2 and 2.4 print, as found in users' reports.

TEST(SyntaxReportServerForms, MessageIdentifierThenTheMessageOnTheNextLine)
{
    ExpectLocation(Read("AH00526: Syntax error on line 51 of C:/Apache24/conf/extra/httpd-vhosts.conf:\r\n" +
                        kInvalidCommand + "\r\n"),
                   "C:/Apache24/conf/extra/httpd-vhosts.conf", 51, kInvalidCommand);
    ExpectLocation(Read("AH00526: Syntax error on line 166 of httpd-ssl.conf:\nInvalid command "
                        "'SLCertificateKeyFile', perhaps misspelled or defined by a module not included "
                        "in the server configuration"),
                   "httpd-ssl.conf", 166,
                   "Invalid command 'SLCertificateKeyFile', perhaps misspelled or defined by a module not included in "
                   "the server configuration");
}

TEST(SyntaxReportServerForms, MessagesWithColonsAndPathsStayWhole)
{
    ExpectLocation(
        Read("AH00526: Syntax error on line 39 of /etc/apache2/sites-enabled/10-default_vhost_443.conf:\n"
             "SSLCertificateKeyFile: file '/etc/ssl/private/ssl-cert-snakeoil.key' does not exist or is empty\n"
             "Action 'configtest' failed.\n"
             "The Apache error log may have more information.\n"),
        "/etc/apache2/sites-enabled/10-default_vhost_443.conf", 39,
        "SSLCertificateKeyFile: file '/etc/ssl/private/ssl-cert-snakeoil.key' does not exist or is empty");
    ExpectLocation(Read("httpd.exe: Syntax error on line 597 of C:/wamp64/bin/apache/apache2.4.54.2/conf/httpd.conf: "
                        "Include/IncludeOptional: No matches for the wildcard '*.conf' in 'C:/wamp64 - ssl auto "
                        "config/vhosts/http', failing"),
                   "C:/wamp64/bin/apache/apache2.4.54.2/conf/httpd.conf", 597,
                   "Include/IncludeOptional: No matches for the wildcard '*.conf' in 'C:/wamp64 - ssl auto "
                   "config/vhosts/http', failing");
    ExpectLocation(Read("apache2: Syntax error on line 216 of /etc/apache2/apache2.conf: Could not open "
                        "configuration file /etc/apache2/httpd.conf: No such file or directory"),
                   "/etc/apache2/apache2.conf", 216,
                   "Could not open configuration file /etc/apache2/httpd.conf: No such file or directory");
    ExpectLocation(Read("httpd.exe: Syntax error on line 3 of C:/Program Files/Apache Group/Apache2/conf/httpd.conf: "
                        "Either all Options must start with + or -, or no Option may."),
                   "C:/Program Files/Apache Group/Apache2/conf/httpd.conf", 3,
                   "Either all Options must start with + or -, or no Option may.");
}

TEST(SyntaxReportServerForms, ChainOfIncludesLeadsToTheInnermost)
{
    ExpectLocation(Read("httpd.exe: Syntax error on line 534 of C:/Apache24/conf/httpd.conf: Syntax error on "
                        "line 107 of C:/Apache24/conf/extra/httpd-ssl.conf: </IfModule> without matching "
                        "<IfModule> section"),
                   "C:/Apache24/conf/extra/httpd-ssl.conf", 107, "</IfModule> without matching <IfModule> section");
    ExpectLocation(Read("apache2: Syntax error on line 235 of /etc/apache2/apache2.conf: Syntax error on line "
                        "208 of /etc/crs4/plugins/nextcloud-rule-exclusions-config.conf: Expected </link> "
                        "but saw </head>"),
                   "/etc/crs4/plugins/nextcloud-rule-exclusions-config.conf", 208, "Expected </link> but saw </head>");
    // The same chain with the inner report on the next line.
    ExpectLocation(Read("AH00526: Syntax error on line 534 of C:/Apache24/conf/httpd.conf:\r\nSyntax error on "
                        "line 107 of C:/Apache24/conf/extra/httpd-ssl.conf: </IfModule> without matching "
                        "<IfModule> section\r\n"),
                   "C:/Apache24/conf/extra/httpd-ssl.conf", 107, "</IfModule> without matching <IfModule> section");
}

TEST(SyntaxReportServerForms, SectionNotClosedNamesItsOwnFileAndLine)
{
    ExpectLocation(Read("httpd: Syntax error on line 225 of C:/Apache2.2/conf/httpd.conf: "
                        "C:/Apache2.2/conf/extra/httpd-vhosts.conf:1: <VirtualHost> was not closed."),
                   "C:/Apache2.2/conf/extra/httpd-vhosts.conf", 1, "<VirtualHost> was not closed.");
    ExpectLocation(Read("Syntax error on line 36 of /private/etc/apache2/httpd.conf: "
                        "/private/etc/apache2/httpd.conf:36: <\x85\xca#> was not closed."),
                   "/private/etc/apache2/httpd.conf", 36, "<\x85\xca#> was not closed.");
    ExpectLocation(Read("AH00526: Syntax error on line 1 of C:/Apache24/conf/extra/httpd-vhosts.conf:\r\n"
                        "C:/Apache24/conf/extra/httpd-vhosts.conf:1: <VirtualHost> was not closed.\r\n"),
                   "C:/Apache24/conf/extra/httpd-vhosts.conf", 1, "<VirtualHost> was not closed.");
}

TEST(SyntaxReportServerForms, OnlyPathLikeTextCountsAsAnInnerLocation)
{
    // No slash, a ": " before the number, or nothing after it: an ordinary message.
    ExpectLocation(Read("Syntax error on line 4 of C:/a.conf:\nListen:80: bad address"), "C:/a.conf", 4,
                   "Listen:80: bad address");
    ExpectLocation(Read("Syntax error on line 4 of C:/a.conf:\nSee also: C:/b.conf:2: text"), "C:/a.conf", 4,
                   "See also: C:/b.conf:2: text");
    ExpectLocation(Read("Syntax error on line 4 of C:/a.conf:\nC:/b.conf:2:"), "C:/a.conf", 4, "C:/b.conf:2:");
    ExpectLocation(Read("Syntax error on line 4 of C:/a.conf:\nC:/b.conf:2:x"), "C:/a.conf", 4, "C:/b.conf:2:x");
}

TEST(SyntaxReportServerForms, LinesBeforeTheReportArePassedOver)
{
    ExpectLocation(Read("AH00558: httpd.exe: Could not reliably determine the server's fully qualified domain "
                        "name, using fe80::5efe:c0a8:1. Set the 'ServerName' directive globally to suppress "
                        "this message\r\nAH00526: Syntax error on line 51 of C:/Apache24/conf/httpd.conf:\r\n" +
                        kInvalidCommand + "\r\n"),
                   "C:/Apache24/conf/httpd.conf", 51, kInvalidCommand);
    ExpectLocation(Read("\r\n   Syntax error on line 8 of C:/a.conf:\r\n  message\r\n"), "C:/a.conf", 8, "message");
}

TEST(SyntaxReportServerForms, TheFirstOfSeveralReportsCounts)
{
    ExpectLocation(Read("AH00526: Syntax error on line 31 of /etc/httpd/extra/httpd-multilang-errordoc.conf:\n"
                        "Invalid command 'LanguagePriority', perhaps misspelled or defined by a module not "
                        "included in the server configuration\n\n"
                        "AH00526: Syntax error on line 10 of /etc/httpd/extra/httpd-userdir.conf:\n"
                        "Invalid command 'UserDir', perhaps misspelled or defined by a module not included "
                        "in the server configuration\n"),
                   "/etc/httpd/extra/httpd-multilang-errordoc.conf", 31,
                   "Invalid command 'LanguagePriority', perhaps misspelled or defined by a module not included in the "
                   "server configuration");
}

TEST(SyntaxReportServerForms, ReportsNamingNoLineAreShownWhole)
{
    ExpectShownWhole(
        "httpd.exe: Could not open configuration file C:/Apache24/conf/httpd.conf: No such file or directory");
    ExpectShownWhole("httpd: Could not open configuration file ../etc/apache2/httpd.conf: No such file or directory\n");
    ExpectShownWhole("(OS 10048)Only one usage of each socket address (protocol/network address/port) is normally "
                     "permitted.  : AH00072: make_sock: could not bind to address [::]:80");
}

TEST(SyntaxReportServerForms, ALocationWithoutMessageIsShownWhole)
{
    // As a report in the Launcher's form that lacks its message line: no jump.
    ExpectShownWhole(
        "AH00526: Syntax error on line 18 of C:/wamp64 - ssl auto config/vhosts/https/conf/httpd-ssl.conf");
    ExpectShownWhole("httpd.exe: Syntax error on line 18 of C:/Apache24/conf/httpd.conf:\r\n\r\n");
}

// An inner location is followed only when its file exists or is open; a message that merely
// holds "name:line:" or a further "Syntax error" stays the message of the outer location.

TEST(SyntaxReportInnerLocations, AreFollowedOnlyToKnownFiles)
{
    const auto onlyVhosts = [](const std::string& path) { return path == "C:/Apache24/conf/extra/httpd-vhosts.conf"; };
    const std::string pseudo = "Invalid command 'Alias/foo:1: x', perhaps misspelled or defined by a module not "
                               "included in the server configuration";
    ExpectLocation(ReadSyntaxReport("Syntax error on line 12 of C:/Apache24/conf/httpd.conf:\n" + pseudo, onlyVhosts),
                   "C:/Apache24/conf/httpd.conf", 12, pseudo);
    ExpectLocation(
        ReadSyntaxReport("httpd.exe: Syntax error on line 534 of C:/Apache24/conf/httpd.conf: Syntax error on "
                         "line 107 of C:/Apache24/conf/extra/httpd-ssl.conf: </IfModule> without matching "
                         "<IfModule> section",
                         onlyVhosts),
        "C:/Apache24/conf/httpd.conf", 534,
        "Syntax error on line 107 of C:/Apache24/conf/extra/httpd-ssl.conf: </IfModule> without matching "
        "<IfModule> section");
    ExpectLocation(ReadSyntaxReport("httpd: Syntax error on line 225 of C:/Apache24/conf/httpd.conf: "
                                    "C:/Apache24/conf/extra/httpd-vhosts.conf:1: <VirtualHost> was not closed.",
                                    onlyVhosts),
                   "C:/Apache24/conf/extra/httpd-vhosts.conf", 1, "<VirtualHost> was not closed.");
}

TEST(SyntaxReportInnerLocations, TheChainStopsAtTheFirstUnknownFile)
{
    std::vector<std::string> asked;
    const auto known = [&](const std::string& path) {
        asked.push_back(path);
        return path == "C:/b.conf";
    };
    ExpectLocation(ReadSyntaxReport("Syntax error on line 1 of C:/a.conf: Syntax error on line 2 of C:/b.conf: "
                                    "Syntax error on line 3 of C:/c.conf: C:/b.conf:4: deepest",
                                    known),
                   "C:/b.conf", 2, "Syntax error on line 3 of C:/c.conf: C:/b.conf:4: deepest");
    EXPECT_EQ(asked, (std::vector<std::string>{"C:/b.conf", "C:/c.conf"}));
}
