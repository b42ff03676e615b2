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

// The report from the last "Syntax error on line N of " on, in its two-line form.
bool PhraseSyntaxError(std::string_view output, std::string& report)
{
    const auto start = output.rfind(kSyntaxError);
    if (start == std::string_view::npos)
        return false;
    std::string_view rest = output.substr(start + kSyntaxError.size());
    std::size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
        ++digits;
    if (digits == 0 || rest.substr(digits, 4) != " of ")
        return false;
    const std::string_view number = rest.substr(0, digits);
    rest.remove_prefix(digits + 4);

    // The path ends at a colon that ends the line (two-line form) or is followed by a blank
    // (one-line form); a drive letter's colon is followed by a slash.
    std::size_t end = 0;
    for (; end < rest.size(); ++end) {
        if (rest[end] == '\n')
            return false;
        if (rest[end] == ':' && (end + 1 == rest.size() || rest[end + 1] == ' ' || rest[end + 1] == '\r' ||
                                 rest[end + 1] == '\n'))
            break;
    }
    if (end == 0 || end == rest.size())
        return false;
    const std::string_view path = rest.substr(0, end);
    std::string_view after = rest.substr(end + 1);
    std::string_view message;
    if (!after.empty() && after[0] == ' ') {
        message = TrimLine(after.substr(0, after.find('\n')));
    } else {
        after = TrimLine(after);
        message = TrimLine(after.substr(0, after.find('\n')));
    }
    report = std::string(kSyntaxError) + std::string(number) + " of " + std::string(path) + ":\n" + std::string(message);
    return true;
}

}  // namespace

TestAnswer AnswerForTestOutput(std::string_view output, bool started, std::string_view commandLine)
{
    if (!started)
        return {LN_STATUS_ERROR, "The configuration test could not be run: " + std::string(commandLine)};
    std::string report;
    if (PhraseSyntaxError(output, report))
        return {LN_SYNTAX_ERROR, report};
    const std::string_view text = TrimLine(output);
    if (text.find("Syntax OK") != std::string_view::npos)
        return {LN_STATUS_INFO, std::string(text)};
    if (text.empty())
        return {LN_STATUS_ERROR, "The configuration test printed nothing: " + std::string(commandLine)};
    return {LN_STATUS_ERROR, std::string(text)};
}
