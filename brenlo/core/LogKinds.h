#pragma once
// What kind of log the server wrote, told from its first lines, and how much each of its
// lines matters: the level of an error log's line, the status of an access log's request.

#include <string_view>
#include <vector>

enum class LogKind {
    Neither,
    ErrorLog,   // "[time] [module:level] ..." (or "[time] [level] ...")
    AccessLog,  // the common or the combined format
};

enum class LineLevel {
    Plain,
    Error,    // emerg, alert, crit and error; a request answered 5xx
    Warning,  // warn; a request answered 4xx
    Debug,    // debug and trace1 to trace8
};

// Lines a caller hands to DetectLogKind: the first ones that are not empty, at most this many.
constexpr int kLogKindSampleLines = 20;
// Bytes of a line that ClassifyLine needs at most: a request line longer than the server
// takes would not be logged with its status within them.
constexpr std::size_t kClassifyLineBytes = 16 * 1024;

// The kind that at least half of the lines have (lines without a line end; empty ones are
// not counted); Neither when none has that many, or there are no lines.
LogKind DetectLogKind(const std::vector<std::string_view>& firstLines);

// How much a line of a log of that kind matters; Plain for a line of another shape.
LineLevel ClassifyLine(LogKind kind, std::string_view line);
