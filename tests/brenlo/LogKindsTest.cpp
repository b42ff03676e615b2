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
    {"[Mon Oct 09 08:00:00.100000 2023] [core:emerg] [pid 4120:tid 404] (OS 10048)Only one usage of each socket "
     "address "
     "(protocol/network address/port) is normally permitted.  : AH00072: make_sock: could not bind to address [::]:80",
     LineLevel::Error},
    {"[Mon Oct 09 08:00:00.100000 2023] [mpm_winnt:alert] [pid 4120:tid 404] AH00451: no listening sockets available, "
     "shutting down",
     LineLevel::Error},
    {"[Thu Oct 12 03:12:09.884211 2023] [mpm_winnt:crit] [pid 5244:tid 1112] (OS 1450)Insufficient system resources "
     "exist to complete the requested service.  : AH00341: winnt_accept: AcceptEx failed. Attempting to recover.",
     LineLevel::Error},
    {"[Tue Oct 10 09:12:44.501882 2023] [:error] [pid 5244:tid 1128] [client 2001:db8:5:1a::7:50211] PHP Fatal error:  "
     "Uncaught Error: Call to undefined function mysql_connect() in C:\\Apache24\\htdocs\\search.php:12",
     LineLevel::Error},
    {"[Wed Oct 11 14:32:52 2000] [error] [client 127.0.0.1] client denied by server configuration: "
     "/export/home/live/ap/htdocs/test",
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
    {"[Mon Oct 09 09:05:44.218810 2023] [core:info] [pid 5236:tid 1096] [client 127.0.0.1:50871] AH00128: File does "
     "not "
     "exist: C:/Apache24/htdocs/www/contact.html, referer: http://www.example.test/",
     LineLevel::Plain},
    // What the server writes to the log before it has one of its own is not prefixed.
    {"AH00558: httpd.exe: Could not reliably determine the server's fully qualified domain name, using fe80::1c3a. Set "
     "the 'ServerName' directive globally to suppress this message",
     LineLevel::Plain},
};

const std::vector<Sample> kAccessLines = {
    {"127.0.0.1 - frank [10/Oct/2000:13:55:36 -0700] \"GET /apache_pb.gif HTTP/1.0\" 200 2326", LineLevel::Plain},
    {"::1 - - [09/Oct/2023:10:01:02 +0200] \"GET /private/ HTTP/1.1\" 401 381 \"-\" \"curl/8.4.0\"",
     LineLevel::Warning},
    {"2001:db8:1f:3::a - alice [09/Oct/2023:10:01:02 +0200] \"POST /search HTTP/1.1\" 500 528 "
     "\"https://www.example.test/\" \"Mozilla/5.0 (compatible; \\\"SiteChecker\\\" 1.2; "
     "+https://checker.example.org/)\"",
     LineLevel::Error},
    // A quote inside the request is written \": what follows it is still the request.
    {"203.0.113.9 - - [09/Oct/2023:11:20:31 +0200] \"GET /a\\\" 500 1 HTTP/1.1\" 404 196 \"-\" \"Scanner\\\\Probe "
     "\\\"v2\\\"\"",
     LineLevel::Warning},
    {"198.51.100.4 - - [09/Oct/2023:11:20:33 +0200] \"\\x16\\x03\\x01\\x02\" 400 226 \"-\" \"-\"", LineLevel::Warning},
    {"192.0.2.14 - - [09/Oct/2023:11:20:40 +0200] \"-\" 408 - \"-\" \"-\"", LineLevel::Warning},
    {"192.168.1.23 - - [09/Oct/2023:12:00:00 +0200] \"GET /cgi-bin/report.pl HTTP/1.1\" 503 299", LineLevel::Error},
    {"127.0.0.1 - - [07/Dec/2026:11:42:57 +0100] \"GET /index.html HTTP/1.1\" 304 - \"-\" \"Mozilla/5.0 (Windows NT "
     "10.0; Win64; x64; rv:118.0) Gecko/20100101 Firefox/118.0\"",
     LineLevel::Plain},
};

std::vector<std::string_view> Lines(const std::vector<Sample>& samples)
{
    std::vector<std::string_view> lines;
    for (const Sample& s : samples)
        lines.push_back(s.line);
    return lines;
}

TEST(LogKinds, LevelsOfRealLines)
{
    for (const Sample& s : kErrorLines) {
        EXPECT_EQ(ClassifyLine(LogKind::ErrorLog, s.line), s.level) << s.line;
        EXPECT_EQ(ClassifyLine(LogKind::AccessLog, s.line), LineLevel::Plain) << s.line;
    }
    for (const Sample& s : kAccessLines) {
        EXPECT_EQ(ClassifyLine(LogKind::AccessLog, s.line), s.level) << s.line;
        EXPECT_EQ(ClassifyLine(LogKind::ErrorLog, s.line), LineLevel::Plain) << s.line;
    }
    EXPECT_EQ(ClassifyLine(LogKind::Neither, kErrorLines[0].line), LineLevel::Plain);
    // Cut short, as a line longer than ClassifyLine needs is handed to it.
    EXPECT_EQ(ClassifyLine(LogKind::AccessLog, kAccessLines[2].line.substr(0, 60)), LineLevel::Plain);
}

TEST(LogKinds, KindFromTheFirstLines)
{
    EXPECT_EQ(DetectLogKind(Lines(kErrorLines)), LogKind::ErrorLog);
    EXPECT_EQ(DetectLogKind(Lines(kAccessLines)), LogKind::AccessLog);
    // Half the lines suffice, empty ones not counted.
    EXPECT_EQ(DetectLogKind({"Starting the server", "", kErrorLines[9].line}), LogKind::ErrorLog);
    EXPECT_EQ(DetectLogKind({"#", "ServerRoot \"C:/Apache24\"", "[core] [x]", kAccessLines[0].line}), LogKind::Neither);
    EXPECT_EQ(DetectLogKind({"", ""}), LogKind::Neither);
}

}  // namespace
