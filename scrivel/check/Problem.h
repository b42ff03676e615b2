#pragma once
// A mistake found in a configuration file, where it is and what to do about it.

#include <memory>
#include <string>
#include <vector>

namespace check {

enum class Severity { kError, kWarning };

struct Problem {
    int line = 0;   // from 0
    int start = 0;  // the part at fault: byte columns in the line
    int end = 0;
    Severity severity = Severity::kError;
    std::string message;

    bool operator==(const Problem&) const = default;
};

// A file's problems as found once, shared rather than copied: a big file may hold tens of
// thousands, and the window's thread takes them after every keystroke.
using ProblemList = std::shared_ptr<const std::vector<Problem>>;

}  // namespace check
