#include "Completion.h"

#include <algorithm>
#include <array>

#include "ConfLine.h"

namespace conf {

namespace {

using directives::Folded;

struct SectionEffect {
    std::string_view name;  // folded
    unsigned context;
};

constexpr std::array<SectionEffect, 16> kEffects{{
    {"virtualhost", directives::kVirtualHost},
    {"directory", directives::kDirectory},
    {"directorymatch", directives::kDirectory},
    {"location", directives::kDirectory},
    {"locationmatch", directives::kDirectory},
    {"files", directives::kDirectory},
    {"filesmatch", directives::kDirectory},
    {"if", directives::kDirectory},
    {"elseif", directives::kDirectory},
    {"else", directives::kDirectory},
    {"authnprovideralias", directives::kDirectory},
    {"authzprovideralias", directives::kDirectory},
    {"proxy", directives::kProxySection},
    {"proxymatch", directives::kProxySection},
    {"mdomainset", directives::kServerConfig},
    {"macro", 0},  // a macro's body is checked where it is used
}};

}  // namespace

CompletionPoint CompletionAt(std::string_view beforeCaret)
{
    CompletionPoint point;
    std::size_t at = beforeCaret.find_first_not_of(" \t");
    if (at == std::string_view::npos)
        at = beforeCaret.size();
    point.kind = CompletionPoint::kDirective;
    if (at < beforeCaret.size() && beforeCaret[at] == '<') {
        ++at;
        point.kind = CompletionPoint::kSection;
        if (at < beforeCaret.size() && beforeCaret[at] == '/') {
            ++at;
            point.kind = CompletionPoint::kSectionEnd;
        }
    }
    const std::string_view name = beforeCaret.substr(at);
    if (!std::all_of(name.begin(), name.end(), IsNameChar))
        return CompletionPoint();
    point.wordStart = at;
    point.prefix = name;
    return point;
}

unsigned ContextAt(const std::vector<OpenSection>& enclosing, unsigned fileContext)
{
    for (auto section = enclosing.rbegin(); section != enclosing.rend(); ++section) {
        const std::string name = Folded(section->name);
        for (const SectionEffect& effect : kEffects) {
            if (effect.name != name)
                continue;
            // Sections in .htaccess stay under its overrides.
            if (effect.context == directives::kDirectory && fileContext == directives::kHtaccess)
                return fileContext;
            if (effect.context != 0)
                return effect.context;
        }
    }
    return fileContext;
}

bool AllowedAt(const directives::Directive& directive, unsigned context)
{
    if (context == directives::kDirectory || context == directives::kProxySection)
        return directive.AllowedIn(directives::kDirectory | directives::kProxySection);
    return directive.AllowedIn(context);
}

std::vector<const directives::Directive*> Completions(const directives::Catalogue& catalogue, unsigned context,
                                                      std::string_view prefix, bool sections)
{
    const std::string folded = Folded(prefix);
    std::vector<const directives::Directive*> found;
    for (const directives::Directive& d : catalogue.All()) {
        if (d.section != sections || d.name.size() < folded.size() || !AllowedAt(d, context))
            continue;
        if (std::equal(folded.begin(), folded.end(), d.name.begin(), [](char f, char c) {
                return f == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
            }))
            found.push_back(&d);
    }
    return found;
}

}  // namespace conf
