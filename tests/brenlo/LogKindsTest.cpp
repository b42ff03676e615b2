// Telling logs apart and their lines' levels, on lines as the server writes them: the 2.4
// error log with module, pid and thread, message codes and IPv6 clients (and the older form
// without a module), and access logs in the common and combined formats with quotes inside.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "LogKinds.h"

namespace {

struct Sample {
    std::string_view line;
    LineLevel level;
};

const std::vector<Sample> kErrorLines = {
    {"[Mon Dec 07 10:14:03.552410 2026] [core:error] [pid 5236:tid 1080] [client 127.0.0.1:51822] AH00037: Symbolic "
     "link not allowed or link target not accessible: C:/Apache24/htdocs/old",
     LineLevel::Error},
    {"[Mon Oct 09 08:00:00.100000 2023] [core:emerg] [pid 4120:tid 404] AH00015: Unable to open logs",
     LineLevel::Error},
    {"[Tue Oct 10 09:12:44.501882 2023] [:error] [pid 5244:tid 1128] [client 2001:db8:5:1a::7:50211] PHP Fatal error:  "
     "Uncaught Error: Call to undefined function mysql_connect() in C:\\Apache24\\htdocs\\search.php:12",
     LineLevel::Error},
    {"[Wed Oct 11 14:32:52 2000] [error] [client 127.0.0.1] client denied by server configuration: /export/home/live",
     LineLevel::Error},
    {"[Mon Oct 09 08:00:02.310204 2023] [ssl:warn] [pid 4120:tid 404] AH01909: www.example.test:443:0 server "
     "certificate does NOT include an ID which matches the server name",
     LineLevel::Warning},
    {"[Thu Oct 12 14:00:01.000153 2023] [core:trace5] [pid 5236:tid 1096] protocol.c(708): [client ::1:51822] Request "
     "received from client: GET /search?q=%22virtual+host%22 HTTP/1.1",
     LineLevel::Debug},
    {"[Thu Oct 12 14:00:01.000160 2023] [authz_core:debug] [pid 5236:tid 1096] mod_authz_core.c(815): [client "
     "198.51.100.7:49321] AH01626: authorization result of Require all granted: granted",
     LineLevel::Debug},
    {"[Mon Oct 09 08:00:00.100000 2023] [mpm_winnt:notice] [pid 4120:tid 404] AH00455: Apache/2.4.58 (Win32) "
     "configured -- resuming normal operations",
     LineLevel::Plain},
    // What the server writes before its log is open has no prefix.
    {"AH00558: httpd.exe: Could not reliably determine the server's fully qualified domain name, using fe80::1c3a.",
     LineLevel::Plain},
};

const std::vector<Sample> kAccessLines = {
    {"127.0.0.1 - frank [10/Oct/2000:13:55:36 -0700] \"GET /apache_pb.gif HTTP/1.0\" 200 2326", LineLevel::Plain},
    {"::1 - - [09/Oct/2023:10:01:02 +0200] \"GET /private/ HTTP/1.1\" 401 381 \"-\" \"curl/8.4.0\"",
     LineLevel::Warning},
    {"2001:db8:1f:3::a - alice [09/Oct/2023:10:01:02 +0200] \"POST /search HTTP/1.1\" 500 528 \"-\" "
     "\"Mozilla/5.0 (compatible; \\\"SiteChecker\\\" 1.2; +https://checker.example.org/)\"",
     LineLevel::Error},
    // A quote inside the request is written \": what follows it is still the request.
    {"203.0.113.9 - - [09/Oct/2023:11:20:31 +0200] \"GET /a\\\" 500 1 HTTP/1.1\" 404 196 \"-\" \"-\"",
     LineLevel::Warning},
    {"192.0.2.14 - - [09/Oct/2023:11:20:40 +0200] \"-\" 408 - \"-\" \"-\"", LineLevel::Warning},
    {"127.0.0.1 - - [07/Dec/2026:11:42:57 +0100] \"GET /index.html HTTP/1.1\" 304 - \"-\" \"Mozilla/5.0\"",
     LineLevel::Plain},
};

TEST(LogKinds, LevelsOfRealLinesAndKindFromTheFirstLines)
{
    std::vector<std::string_view> errorLog, accessLog;
    for (const bool errors : {true, false}) {
        const LogKind kind = errors ? LogKind::ErrorLog : LogKind::AccessLog;
        for (const Sample& s : errors ? kErrorLines : kAccessLines) {
            EXPECT_EQ(ClassifyLine(kind, s.line), s.level) << s.line;
            EXPECT_EQ(ClassifyLine(errors ? LogKind::AccessLog : LogKind::ErrorLog, s.line), LineLevel::Plain);
            (errors ? errorLog : accessLog).push_back(s.line);
        }
    }
    EXPECT_EQ(ClassifyLine(LogKind::Neither, kErrorLines[0].line), LineLevel::Plain);
    EXPECT_EQ(DetectLogKind(errorLog), LogKind::ErrorLog);
    EXPECT_EQ(DetectLogKind(accessLog), LogKind::AccessLog);
    // Half the lines suffice, empty ones not counted.
    EXPECT_EQ(DetectLogKind({"Starting the server", "", kErrorLines[1].line}), LogKind::ErrorLog);
    EXPECT_EQ(DetectLogKind({"ServerRoot \"C:/Apache24\"", "[core] [x]", kAccessLines[0].line}), LogKind::Neither);
    EXPECT_EQ(DetectLogKind({"", ""}), LogKind::Neither);
}

}  // namespace
