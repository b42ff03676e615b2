#include "IncludedPath.h"

#include <vector>

#include "ConfLine.h"
#include "ConfPath.h"
#include "ConfigReader.h"

namespace includes {

namespace {

// The words after a line's directive name, with the variables in place.
std::vector<std::string> Arguments(const std::string& line, const conf::LineHead& head, const PathState& state)
{
    const std::string_view rest = std::string_view(line).substr(head.nameStart + head.name.size());
    return SplitArguments(state.variables.Expand(rest));
}

void Settle(const std::string& line, PathState& state)
{
    const conf::LineHead head = conf::HeadOf(line);
    if (head.kind != conf::LineHead::kDirective)
        return;
    const bool define = confpath::EqualNoCase(head.name, "Define");
    const bool undefine = confpath::EqualNoCase(head.name, "UnDefine");
    const bool root = confpath::EqualNoCase(head.name, "ServerRoot");
    if (!define && !undefine && !root)
        return;
    const std::vector<std::string> words = Arguments(line, head, state);
    if (words.empty())
        return;
    if (define)
        state.variables.Define(words[0], words.size() > 1 ? words[1] : std::string());
    else if (undefine)
        state.variables.Undefine(words[0]);
    else
        state.declaredRoot = words[0];
}

}  // namespace

LinePath PathAt(const conf::LineReader& text, int line, PathState start, const std::string& serverFolder)
{
    LinePath found;
    found.stateAbove = std::move(start);
    std::string scratch;
    for (int above = 0; above < line && above < text.LineCount(); ++above) {
        text.ReadHead(above, scratch);
        Settle(scratch, found.stateAbove);
    }
    if (line < 0 || line >= text.LineCount())
        return found;
    text.ReadHead(line, scratch);
    const conf::LineHead head = conf::HeadOf(scratch);
    if (head.kind != conf::LineHead::kDirective)
        return found;
    const std::vector<std::string> words = Arguments(scratch, head, found.stateAbove);
    const bool include = confpath::EqualNoCase(head.name, "Include") || confpath::EqualNoCase(head.name, "IncludeOptional");
    const bool module = confpath::EqualNoCase(head.name, "LoadModule");
    const bool root = confpath::EqualNoCase(head.name, "ServerRoot");
    const bool documents = confpath::EqualNoCase(head.name, "DocumentRoot");
    const std::size_t index = module ? 1 : 0;
    if (!(include || module || root || documents) || words.size() <= index)
        return found;
    confpath::CPathResolver resolver(serverFolder);
    if (!root)
        resolver.SetDeclaredRoot(found.stateAbove.declaredRoot);
    found.kind = include ? LinePath::kInclude : LinePath::kPath;
    found.path = resolver.Resolve(words[index]);
    return found;
}

}  // namespace includes
