#include "SyntaxReport.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

constexpr std::string_view kSyntaxError = "Syntax error on line ";

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Digits as a line number; numbers too big for an int stay at its largest value.
int LineNumber(std::string_view digits, bool negative)
{
    long long value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

struct Location {
    std::string_view path;
    int line = 0;
    std::string_view rest;  // what follows the location on its line
};

// The Launcher's form, as the scan format reads it: ordinary characters must match, each
// blank of the format takes any run of white space (none included), "%d" skips white space
// and reads a signed number, "%[^\n]" takes one or more characters up to a line feed.
class FormatScan {
public:
    explicit FormatScan(std::string_view text) : m_text(text) {}

    void SkipSpace()
    {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }

    bool Word(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    bool Number(int& value)
    {
        SkipSpace();
        bool negative = false;
        if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-'))
            negative = m_text[m_pos++] == '-';
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos]))
            ++m_pos;
        if (m_pos == start)
            return false;
        value = LineNumber(m_text.substr(start, m_pos - start), negative);
        return true;
    }

    bool UpToLineFeed(std::string_view& field)
    {
        const std::size_t end = std::min(m_text.find('\n', m_pos), m_text.size());
        if (end == m_pos)
            return false;
        field = m_text.substr(m_pos, end - m_pos);
        m_pos = end;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// "Syntax error on line %d of %[^\n]\n%[^\n]": all three fields, or nothing.
std::optional<Location> ScanLauncherForm(std::string_view text)
{
    FormatScan scan(text);
    Location location;
    std::string_view path;
    for (std::string_view word : {"Syntax", "error", "on", "line"}) {
        if (word != "Syntax")
            scan.SkipSpace();
        if (!scan.Word(word))
            return std::nullopt;
    }
    if (!scan.Number(location.line))
        return std::nullopt;
    scan.SkipSpace();
    if (!scan.Word("of"))
        return std::nullopt;
    scan.SkipSpace();
    if (!scan.UpToLineFeed(path))
        return std::nullopt;
    scan.SkipSpace();
    if (!scan.UpToLineFeed(location.rest))
        return std::nullopt;
    while (!path.empty() && (path.back() == ':' || path.back() == '\r' || path.back() == '\n'))
        path.remove_suffix(1);
    location.path = path;
    return location;
}

// "Syntax error on line N of PATH: REST" on one line (no line feed in `line`). The path
// ends at the first colon followed by a blank or by the end of the line, so the colon of a
// drive letter stays in it; a line that has no such colon is all path.
std::optional<Location> ReadSyntaxErrorLocation(std::string_view line)
{
    if (line.substr(0, kSyntaxError.size()) != kSyntaxError)
        return std::nullopt;
    line.remove_prefix(kSyntaxError.size());
    std::size_t digits = 0;
    while (digits < line.size() && IsDigit(line[digits]))
        ++digits;
    if (digits == 0 || line.substr(digits, 4) != " of ")
        return std::nullopt;
    Location location;
    location.line = LineNumber(line.substr(0, digits), false);
    line.remove_prefix(digits + 4);

    std::size_t colon = 0;
    while ((colon = line.find(':', colon)) != std::string_view::npos) {
        if (colon + 1 == line.size() || line[colon + 1] == ' ' || line[colon + 1] == '\t' || line[colon + 1] == '\r')
            break;
        ++colon;
    }
    if (colon == std::string_view::npos) {
        location.path = TrimBlanks(line);
    } else {
        location.path = TrimBlanks(line.substr(0, colon));
        location.rest = TrimBlanks(line.substr(colon + 1));
    }
    if (location.path.empty())
        return std::nullopt;
    return location;
}

// "FILE:N: REST", as the server starts the message for a section that was not closed. The
// file must look like a path (a slash in it) and hold no ": ", so that a message such as
// "SSLCertificateKeyFile: file '...' does not exist" is never taken for one.
std::optional<Location> ReadFileLineLocation(std::string_view message)
{
    for (std::size_t colon = message.find(':'); colon != std::string_view::npos; colon = message.find(':', colon + 1)) {
        std::size_t end = colon + 1;
        while (end < message.size() && IsDigit(message[end]))
            ++end;
        if (end == colon + 1 || end >= message.size() || message[end] != ':')
            continue;
        if (end + 1 < message.size() && message[end + 1] != ' ' && message[end + 1] != '\t')
            continue;
        const std::string_view path = message.substr(0, colon);
        const std::string_view rest = TrimBlanks(message.substr(end + 1));
        if (path.empty() || path.front() == ' ' || path.find(": ") != std::string_view::npos ||
            path.find_first_of("/\\") == std::string_view::npos || rest.empty())
            return std::nullopt;
        return Location{path, LineNumber(message.substr(colon + 1, end - colon - 1), false), rest};
    }
    return std::nullopt;
}

// From an outer location to the innermost one its message names, as long as each names a
// known file.
Location Innermost(Location location, const IsKnownFile& isKnownFile)
{
    for (;;) {
        std::optional<Location> inner = ReadSyntaxErrorLocation(location.rest);
        if (!inner || inner->rest.empty())
            inner = ReadFileLineLocation(location.rest);
        if (!inner || inner->path.size() > kSyntaxReportFieldRoom || !isKnownFile(std::string(inner->path)))
            return location;
        location = *inner;
    }
}

// The line from `pos` on, without its line feed and carriage return.
std::string_view LineAt(std::string_view text, std::size_t pos)
{
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    while (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The first non-blank line after the one that holds `pos`.
std::string_view NextNonBlankLine(std::string_view text, std::size_t pos)
{
    std::size_t start = text.find('\n', pos);
    while (start != std::string_view::npos) {
        const std::string_view line = TrimBlanks(LineAt(text, start + 1));
        if (!line.empty())
            return line;
        start = text.find('\n', start + 1);
    }
    return {};
}

// The servers' own forms: the first "Syntax error on line" that starts a line (blanks
// aside) or follows a "NAME: " (a program name, a message identifier), with its message on the same line or,
// when nothing follows the location there, on the next line that is not blank.
std::optional<Location> ReadServerForm(std::string_view text)
{
    for (std::size_t at = text.find(kSyntaxError); at != std::string_view::npos; at = text.find(kSyntaxError, at + 1)) {
        std::size_t lineStart = at;
        while (lineStart > 0 && (text[lineStart - 1] == ' ' || text[lineStart - 1] == '\t'))
            --lineStart;
        const bool startsLine = lineStart == 0 || text[lineStart - 1] == '\n';
        const bool followsName = at >= 2 && text[at - 1] == ' ' && text[at - 2] == ':';
        if (!startsLine && !followsName)
            continue;
        auto location = ReadSyntaxErrorLocation(LineAt(text, at));
        if (!location)
            continue;
        if (location->rest.empty())
            location->rest = NextNonBlankLine(text, at);
        return location;
    }
    return std::nullopt;
}

SyntaxReport Reported(const Location& location)
{
    SyntaxReport report;
    std::string_view message = location.rest;
    while (!message.empty() && message.back() == '\r')
        message.remove_suffix(1);
    report.message = std::string(message.substr(0, kSyntaxReportFieldRoom));
    if (location.path.empty() || location.path.size() > kSyntaxReportFieldRoom)
        return report;
    report.hasLocation = true;
    report.path = std::string(location.path);
    report.line = location.line;
    return report;
}

}  // namespace

SyntaxReport ReadSyntaxReport(std::string_view text, const IsKnownFile& isKnownFile)
{
    text = text.substr(0, text.find('\0'));

    // The Launcher's form wins unless its path holds a whole one-line report.
    std::optional<Location> location = ScanLauncherForm(text);
    if (!location || location->path.find(": ") != std::string_view::npos) {
        if (std::optional<Location> server = ReadServerForm(text))
            location = server;
    }

    SyntaxReport report;
    if (location)
        report = Reported(Innermost(*location, isKnownFile));
    // A report without its message line is shown whole, wherever it points.
    if (report.message.empty()) {
        report = SyntaxReport{};
        report.message = std::string(text);
    }
    return report;
}

bool SaysSyntaxOk(std::string_view text)
{
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line == "Syntax OK")
            return true;
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return false;
}
