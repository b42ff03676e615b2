#pragma once
// Reading the server's syntax-check report that the Launcher hands over with code 1: where
// the error is (file and line) and what to show in the status bar.
//
// The Launcher's own form is read as "Syntax error on line %d of %[^\n]\n%[^\n]" is scanned,
// with the trailing colons, carriage returns and line feeds taken off the path. Besides it,
// the forms today's servers print are understood:
//   AH00526: Syntax error on line 51 of C:/Apache24/conf/extra/httpd-vhosts.conf:
//   Invalid command 'Foo', perhaps misspelled or defined by a module not included ...
// and, on one line, with the program name first and the chain of included files:
//   httpd.exe: Syntax error on line 534 of C:/Apache24/conf/httpd.conf: Syntax error on
//   line 107 of C:/Apache24/conf/extra/httpd-ssl.conf: </IfModule> without matching ...
// In every form the location followed is the innermost one whose file is known: a message
// that starts with a further "Syntax error on line N of FILE:" or with "FILE:N:" names where
// the error really is when FILE exists, and the message shown is what follows the last
// location followed. A message that merely looks so ("Invalid command 'Alias/foo:1: x'")
// stays the message of the outer location.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

struct SyntaxReport {
    bool hasLocation = false;  // path and line name the place to go to
    std::string path;          // as the report spells it
    int line = 0;
    std::string message;  // to show; the whole report when it matches no form
};

// Room for the path and the message, in characters. A longer message is cut; a longer
// path is not a file that can be opened, so such a report gives no location.
constexpr std::size_t kSyntaxReportFieldRoom = 1023;

// Whether a path that a report names is a file to go to (it exists, or is open).
using IsKnownFile = std::function<bool(const std::string& path)>;

SyntaxReport ReadSyntaxReport(std::string_view text, const IsKnownFile& isKnownFile);

// Whether one line of the Launcher's answer is "Syntax OK" (warnings may come before it;
// line ends may be CR LF).
bool SaysSyntaxOk(std::string_view text);
