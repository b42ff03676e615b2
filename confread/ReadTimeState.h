#pragma once
// What the server settles while it reads its configuration, before any directive is
// checked: the variables Define sets (put in place of ${NAME}), the modules loaded so far,
// and the conditions of the sections whose body it skips when they fail (<IfModule>,
// <IfDefine>, <IfDirective>, <IfFile>, <IfSection>, each negated by a leading '!').

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The sections above, without '<'.
bool IsConditionalSection(std::string_view name);

// The argument of a conditional section: "!mpm_netware_module" is negated.
struct SectionCondition {
    std::string subject;
    bool negated = false;
};
// None when the section names nothing.
std::optional<SectionCondition> ParseCondition(std::string_view args);

class CConfigVariables {
public:
    // Names compare with regard to case, as the server's do.
    void Define(const std::string& name, const std::string& value);
    void Undefine(const std::string& name);
    bool IsDefined(const std::string& name) const;
    // Every ${NAME} replaced, in one pass, by Define's value or else the environment's; a
    // name neither knows stays as written.
    std::string Expand(std::string_view text) const;

private:
    std::map<std::string, std::string> m_values;
};

// The modules the server has: those compiled into the Windows server and those LoadModule
// has loaded so far. A module answers to its name ("alias_module") and to its source
// file's ("mod_alias.c"), without regard to case.
class CLoadedModules {
public:
    CLoadedModules();
    // LoadModule alias_module modules/mod_alias.so
    void Load(std::string_view name, std::string_view file);
    bool IsLoaded(std::string_view nameOrSource) const;

private:
    void Add(std::string_view name);
    std::vector<std::string> m_names;  // folded
};
