#include "TestReport.h"

#include "LauncherLink.h"

namespace {

constexpr std::string_view kSyntaxError = "Syntax error on line ";

std::string_view TrimLine(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Where the output holds a report "Syntax error on line N of PATH:" (the path ends at a
// colon that ends the line or is followed by a blank; a drive letter's colon is followed by
// a slash): the start of the line the first such report is on.
std::size_t FindSyntaxErrorLine(std::string_view output)
{
    for (std::size_t at = output.find(kSyntaxError); at != std::string_view::npos;
         at = output.find(kSyntaxError, at + 1)) {
        std::string_view rest = output.substr(at + kSyntaxError.size());
        std::size_t digits = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
            ++digits;
        if (digits == 0 || rest.substr(digits, 4) != " of ")
            continue;
        rest.remove_prefix(digits + 4);
        for (std::size_t end = 1; end < rest.size() && rest[end] != '\n'; ++end) {
            const char next = end + 1 < rest.size() ? rest[end + 1] : '\n';
            if (rest[end] == ':' && (next == ' ' || next == '\r' || next == '\n')) {
                const std::size_t lineStart = output.rfind('\n', at);
                return lineStart == std::string_view::npos ? 0 : lineStart + 1;
            }
        }
    }
    return std::string_view::npos;
}

}  // namespace

TestAnswer AnswerForTestOutput(std::string_view output, bool started, std::string_view commandLine, std::size_t room)
{
    if (!started)
        return {LN_STATUS_ERROR, "The configuration test could not be run: " + std::string(commandLine)};
    const std::string_view text = TrimLine(output);
    const std::size_t reportLine = FindSyntaxErrorLine(text);
    if (reportLine != std::string_view::npos) {
        const std::string_view report = text.size() <= room ? text : text.substr(reportLine, room);
        return {LN_SYNTAX_ERROR, std::string(report)};
    }
    if (text.find("Syntax OK") != std::string_view::npos)
        return {LN_STATUS_INFO, std::string(text)};
    if (text.empty())
        return {LN_STATUS_ERROR, "The configuration test printed nothing: " + std::string(commandLine)};
    return {LN_STATUS_ERROR, std::string(text.substr(0, room))};
}
