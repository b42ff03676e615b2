#pragma once
// The path a line of a configuration names, found as the server finds it: for an Include or
// IncludeOptional line the file (or folder, or wildcard) it includes; for a LoadModule,
// DocumentRoot or ServerRoot line the path it points at. Relative paths lie below the
// server folder, and an absolute path below the last ServerRoot above the line is moved
// there (a server folder copied elsewhere reads its own files); ${NAME} is replaced by what
// the Define lines above it set.

#include <string>

#include "ReadTimeState.h"
#include "SectionIndex.h"

namespace includes {

// What the lines above a line settle that paths depend on. An included file opened from
// its Include line starts from its including line's.
struct PathState {
    CConfigVariables variables;
    std::string declaredRoot;  // the last ServerRoot, "" when none
};

struct LinePath {
    enum Kind { kNone, kInclude, kPath };
    Kind kind = kNone;
    std::string path;      // resolved, with forward slashes
    PathState stateAbove;  // what the lines above it settled
};

// Reads the lines above `line` (Define, UnDefine, ServerRoot) after `start`, then the path
// `line` names; kNone when it names none.
LinePath PathAt(const conf::LineReader& text, int line, PathState start, const std::string& serverFolder);

}  // namespace includes
