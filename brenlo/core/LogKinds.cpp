#include "LogKinds.h"

#include <array>

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The level in "[time] [module:level]" or "[time] [level]" at the start of a line; empty
// when the line does not start so or the word is no level of the server's.
std::string_view ErrorLevelWord(std::string_view line)
{
    if (line.empty() || line[0] != '[')
        return {};
    const std::size_t timeEnd = line.find(']');
    if (timeEnd == npos || timeEnd < 2 || line.substr(timeEnd, 3) != "] [")
        return {};
    const std::size_t tagEnd = line.find(']', timeEnd + 3);
    if (tagEnd == npos)
        return {};
    std::string_view tag = line.substr(timeEnd + 3, tagEnd - timeEnd - 3);
    if (const std::size_t colon = tag.rfind(':'); colon != npos)
        tag.remove_prefix(colon + 1);
    static constexpr std::array<std::string_view, 16> levels = {
        "emerg",  "alert",  "crit",   "error",  "warn",   "notice", "info",   "debug",
        "trace1", "trace2", "trace3", "trace4", "trace5", "trace6", "trace7", "trace8"};
    for (const std::string_view level : levels) {
        if (tag == level)
            return level;
    }
    return {};
}

// The status of a request in the common or combined format:
//   host ident user [10/Oct/2000:13:55:36 -0700] "request" status bytes ["referer" "agent"]
// where the server writes a quote inside the request as \" and a backslash as \\; -1 when
// the line has another shape.
int AccessStatus(std::string_view line)
{
    const std::size_t hostEnd = line.find(' ');
    if (hostEnd == 0 || hostEnd == npos)
        return -1;
    const std::size_t timeStart = line.find(" [", hostEnd);
    if (timeStart == npos)
        return -1;
    // "dd/Mon/yyyy:" opens the time.
    const std::string_view time = line.substr(timeStart + 2, 12);
    if (time.size() < 12 || time[2] != '/' || time[6] != '/' || time[11] != ':' || !IsDigit(time[0]))
        return -1;
    const std::size_t request = line.find("] \"", timeStart + 14);
    if (request == npos)
        return -1;
    std::size_t at = request + 3;
    while (at < line.size() && line[at] != '"')
        at += line[at] == '\\' ? 2 : 1;
    // `"` status ` ` bytes, the status of three digits.
    const std::string_view rest = line.substr(std::min(at, line.size()));
    if (rest.size() < 6 || rest[1] != ' ' || !IsDigit(rest[2]) || !IsDigit(rest[3]) || !IsDigit(rest[4]) ||
        rest[5] != ' ')
        return -1;
    return (rest[2] - '0') * 100 + (rest[3] - '0') * 10 + (rest[4] - '0');
}

}  // namespace

LogKind DetectLogKind(const std::vector<std::string_view>& firstLines)
{
    int lines = 0, errorLines = 0, accessLines = 0;
    for (const std::string_view line : firstLines) {
        if (line.empty())
            continue;
        ++lines;
        errorLines += !ErrorLevelWord(line).empty();
        accessLines += AccessStatus(line) >= 0;
    }
    if (lines == 0)
        return LogKind::Neither;
    if (errorLines * 2 >= lines)
        return LogKind::ErrorLog;
    if (accessLines * 2 >= lines)
        return LogKind::AccessLog;
    return LogKind::Neither;
}

LineLevel ClassifyLine(LogKind kind, std::string_view line)
{
    if (kind == LogKind::ErrorLog) {
        const std::string_view level = ErrorLevelWord(line);
        if (level == "emerg" || level == "alert" || level == "crit" || level == "error")
            return LineLevel::Error;
        if (level == "warn")
            return LineLevel::Warning;
        if (level == "debug" || level.substr(0, 5) == "trace")
            return LineLevel::Debug;
    } else if (kind == LogKind::AccessLog) {
        const int status = AccessStatus(line);
        if (status >= 500 && status <= 599)
            return LineLevel::Error;
        if (status >= 400 && status <= 499)
            return LineLevel::Warning;
    }
    return LineLevel::Plain;
}
