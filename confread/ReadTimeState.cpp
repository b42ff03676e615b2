#include "ReadTimeState.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "ConfPath.h"

namespace {

constexpr const char* kConditionalSections[] = {"IfModule", "IfDefine", "IfDirective", "IfFile", "IfSection"};

// Compiled into the Windows server, by module name and source file.
constexpr const char* kCompiledIn[] = {
    "core_module", "core.c",      "win32_module", "mod_win32.c", "mpm_winnt_module",
    "mpm_winnt.c", "http_module", "http_core.c",  "so_module",   "mod_so.c",
};

std::string Folded(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

bool IsConditionalSection(std::string_view name)
{
    return std::any_of(std::begin(kConditionalSections), std::end(kConditionalSections),
                       [name](const char* section) { return confpath::EqualNoCase(section, name); });
}

std::optional<SectionCondition> ParseCondition(std::string_view args)
{
    // A quoted argument may hold blanks ("<IfFile "C:/Program Files/x">").
    while (!args.empty() && (args.front() == ' ' || args.front() == '\t'))
        args.remove_prefix(1);
    if (args.empty())
        return std::nullopt;
    SectionCondition condition;
    if (args.front() == '!') {
        condition.negated = true;
        args.remove_prefix(1);
    }
    if (!args.empty() && (args.front() == '"' || args.front() == '\'')) {
        const char quote = args.front();
        args.remove_prefix(1);
        condition.subject = std::string(args.substr(0, args.find(quote)));
    } else {
        condition.subject = std::string(args.substr(0, args.find_first_of(" \t")));
    }
    if (condition.subject.empty())
        return std::nullopt;
    return condition;
}

void CConfigVariables::Define(const std::string& name, const std::string& value)
{
    m_values[name] = value;
}

void CConfigVariables::Undefine(const std::string& name)
{
    m_values.erase(name);
}

bool CConfigVariables::IsDefined(const std::string& name) const
{
    return m_values.count(name) != 0;
}

std::string CConfigVariables::Expand(std::string_view text) const
{
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto start = text.find("${", pos);
        const auto end = start == std::string_view::npos ? start : text.find('}', start + 2);
        if (end == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, start - pos));
        const std::string name(text.substr(start + 2, end - start - 2));
        const auto defined = m_values.find(name);
        const char* environment = defined == m_values.end() && !name.empty() ? std::getenv(name.c_str()) : nullptr;
        if (defined != m_values.end())
            out += defined->second;
        else if (environment != nullptr)
            out += environment;
        else
            out.append(text.substr(start, end + 1 - start));
        pos = end + 1;
    }
    return out;
}

CLoadedModules::CLoadedModules()
{
    for (const char* name : kCompiledIn)
        Add(name);
}

void CLoadedModules::Load(std::string_view name, std::string_view file)
{
    Add(name);
    // modules/mod_alias.so -> mod_alias.c, the name its source gives the module.
    std::string source = confpath::FileName(file);
    const auto dot = source.rfind('.');
    if (dot != std::string::npos)
        source.resize(dot);
    if (!source.empty())
        Add(source + ".c");
}

bool CLoadedModules::IsLoaded(std::string_view nameOrSource) const
{
    return std::find(m_names.begin(), m_names.end(), Folded(nameOrSource)) != m_names.end();
}

void CLoadedModules::Add(std::string_view name)
{
    std::string folded = Folded(name);
    if (std::find(m_names.begin(), m_names.end(), folded) == m_names.end())
        m_names.push_back(std::move(folded));
}
