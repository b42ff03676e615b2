#pragma once
// Completion in context: which directives may stand where the caret is. The context of a
// line is the file's own (server config, or .htaccess for a file named like the
// configuration's AccessFileName, or that of the Include line an included file was opened
// from), changed by the innermost enclosing section that changes it: <VirtualHost> makes it
// virtual host, <Directory>, <Location>, <Files>, <If> and their kin directory, <Proxy>
// proxy section; <IfModule>, <IfDefine>, <Limit>, <RequireAll> and the like leave it as it is.

#include <string>
#include <string_view>
#include <vector>

#include "DirectiveCatalogue.h"
#include "SectionIndex.h"

namespace conf {

// What the caret stands at the end of, for completion: a name typed at the start of a line,
// after "<" (a section) or after "</" (a section's end).
struct CompletionPoint {
    enum Kind { kNone, kDirective, kSection, kSectionEnd };
    Kind kind = kNone;
    std::size_t wordStart = 0;  // where the name starts (after the angle bracket and slash)
    std::string prefix;         // the name typed so far
};
// `beforeCaret`: the caret's line up to the caret.
CompletionPoint CompletionAt(std::string_view beforeCaret);

// A context of directives::Context (one bit).
unsigned ContextAt(const std::vector<OpenSection>& enclosing, unsigned fileContext);

// Whether a directive may stand in `context` (a directory context also admits the
// directives of a proxy section's, and a proxy section those of a directory).
bool AllowedAt(const directives::Directive& directive, unsigned context);

// The directives (or, with `sections`, the sections) allowed in `context` whose names start
// with `prefix` in any case, by name.
std::vector<const directives::Directive*> Completions(const directives::Catalogue& catalogue, unsigned context,
                                                      std::string_view prefix, bool sections);

}  // namespace conf
