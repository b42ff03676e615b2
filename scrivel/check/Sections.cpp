#include "Sections.h"

#include <vector>

#include "ConfPath.h"
#include "DirectiveCatalogue.h"
#include "ReadTimeState.h"

namespace check {

namespace {

bool OneOf(std::string_view name, std::initializer_list<const char*> names)
{
    for (const char* n : names) {
        if (confpath::EqualNoCase(name, n))
            return true;
    }
    return false;
}

}  // namespace

SectionRole RoleOf(std::string_view name)
{
    if (IsStartCondition(name) ||
        OneOf(name, {"Limit", "LimitExcept", "RequireAll", "RequireAny", "RequireNone", "IfVersion"}))
        return SectionRole::kTransparent;
    if (OneOf(name, {"VirtualHost"}))
        return SectionRole::kVirtualHost;
    if (OneOf(name, {"Directory", "DirectoryMatch", "Location", "LocationMatch", "Files", "FilesMatch", "If", "ElseIf",
                     "Else"}))
        return SectionRole::kDirectory;
    if (OneOf(name, {"Proxy", "ProxyMatch"}))
        return SectionRole::kProxy;
    if (OneOf(name, {"Macro"}))
        return SectionRole::kMacro;
    return SectionRole::kOpaque;
}

bool IsStartCondition(std::string_view name)
{
    return IsConditionalSection(name) || confpath::EqualNoCase(name, "IfVersion");
}

bool AllowedIn(unsigned contexts, unsigned here)
{
    using namespace directives;
    if (here == 0)
        return true;
    if (here == kProxySection)
        return (contexts & (kProxySection | kDirectory)) != 0;
    return (contexts & here) != 0;
}

std::string WhereText(unsigned contexts)
{
    using namespace directives;
    std::vector<const char*> places;
    if (contexts & kServerConfig)
        places.push_back("the server config");
    if (contexts & kVirtualHost)
        places.push_back("<VirtualHost>");
    if (contexts & kDirectory)
        places.push_back("<Directory>/<Location>/<Files>");
    if ((contexts & kProxySection) && !(contexts & kDirectory))
        places.push_back("<Proxy>");
    if (contexts & kHtaccess)
        places.push_back(".htaccess");
    std::string text = places.size() == 1 ? "only in " : "in ";
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (i > 0)
            text += i + 1 == places.size() ? " or " : ", ";
        text += places[i];
    }
    return text;
}

}  // namespace check
