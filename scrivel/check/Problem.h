#pragma once
// A mistake found in a configuration file, where it is and what to do about it.

#include <string>

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

}  // namespace check
