#include "DirectiveIndex.h"

namespace check {

namespace {

constexpr std::size_t kLongestName = 64;

// The modules that come with every Windows server, by their manual names.
bool IsAlwaysThere(std::string_view module)
{
    return module == "core" || module == "mod_so" || module == "mod_win32" || module == "mpm_winnt" ||
           module == "http_core";
}

std::vector<std::string> ModulesToLoad(const directives::Directive& d)
{
    std::vector<std::string> modules;
    if (d.status == "MPM")
        return modules;
    std::string_view list = d.modules;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view module = list.substr(0, comma);
        if (IsAlwaysThere(module) || module.substr(0, 4) != "mod_")
            return {};
        modules.emplace_back(module);
        list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
    }
    return modules;
}

// Where the server takes a directive beyond the manual's context line: a directive that an
// override class other than AuthConfig and Limit lets into .htaccess is taken in the server
// config and virtual hosts too (RemoveType); and Alias stands in <Location> (since 2.4.19),
// as the manual's text says.
unsigned WiderContexts(const directives::Directive& d)
{
    unsigned wider = directives::Folded(d.name) == "alias" ? static_cast<unsigned>(directives::kDirectory) : 0u;
    std::string_view overrides = d.overrides;
    while (!overrides.empty()) {
        const std::size_t comma = overrides.find(',');
        const std::string_view name = overrides.substr(0, comma);
        if (name != "AuthConfig" && name != "Limit")
            wider |= directives::kServerConfig | directives::kVirtualHost;
        overrides.remove_prefix(comma == std::string_view::npos ? overrides.size() : comma + 1);
    }
    return wider;
}

}  // namespace

DirectiveIndex::DirectiveIndex(const directives::Catalogue& catalogue)
{
    m_facts.reserve(catalogue.All().size());
    for (const directives::Directive& d : catalogue.All()) {
        DirectiveFacts facts;
        facts.directive = &d;
        facts.contexts = d.contexts | WiderContexts(d);
        if (!d.section)
            facts.arity = ArityOf(d.syntax);
        facts.modules = ModulesToLoad(d);
        m_byFoldedName.emplace(directives::Folded(d.name), m_facts.size());
        m_facts.push_back(std::move(facts));
    }
}

const DirectiveFacts* DirectiveIndex::Find(std::string_view name) const
{
    if (name.empty() || name.size() > kLongestName)
        return nullptr;
    char folded[kLongestName];
    for (std::size_t i = 0; i < name.size(); ++i)
        folded[i] = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
    const auto found = m_byFoldedName.find(std::string_view(folded, name.size()));
    return found == m_byFoldedName.end() ? nullptr : &m_facts[found->second];
}

}  // namespace check
