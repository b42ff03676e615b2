#include "DirectiveList.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace {

std::string Folded(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view NextField(std::string_view& line)
{
    const auto tab = line.find('\t');
    std::string_view field = line.substr(0, tab);
    line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    while (!field.empty() && (field.back() == '\r' || field.back() == ' '))
        field.remove_suffix(1);
    return field;
}

struct BuiltIn {
    const char* name;
    const char* module;
};

constexpr BuiltIn kBuiltIn[] = {
    {"AcceptFilter", "core.c"}, {"AccessFileName", "core.c"}, {"AddDefaultCharset", "core.c"},
    {"AllowOverride", "core.c"}, {"DefaultType", "core.c"}, {"Define", "core.c"},
    {"Directory", "core.c"}, {"DirectoryMatch", "core.c"}, {"DocumentRoot", "core.c"},
    {"EnableSendfile", "core.c"}, {"ErrorDocument", "core.c"}, {"ErrorLog", "core.c"},
    {"Files", "core.c"}, {"FilesMatch", "core.c"}, {"HostnameLookups", "core.c"},
    {"IfDefine", "core.c"}, {"IfModule", "core.c"}, {"Include", "core.c"},
    {"IncludeOptional", "core.c"}, {"KeepAlive", "core.c"}, {"KeepAliveTimeout", "core.c"},
    {"Location", "core.c"}, {"LocationMatch", "core.c"}, {"LogLevel", "core.c"},
    {"MaxKeepAliveRequests", "core.c"}, {"Options", "core.c"}, {"ServerAdmin", "core.c"},
    {"ServerAlias", "core.c"}, {"ServerName", "core.c"}, {"ServerRoot", "core.c"},
    {"ServerSignature", "core.c"}, {"ServerTokens", "core.c"}, {"Timeout", "core.c"},
    {"UseCanonicalName", "core.c"}, {"VirtualHost", "core.c"},
    {"Listen", "mpm_winnt.c"}, {"ThreadsPerChild", "mpm_winnt.c"}, {"MaxConnectionsPerChild", "mpm_winnt.c"},
    {"PidFile", "mpm_winnt.c"},
    {"LoadModule", "mod_so.c"},
    {"CustomLog", "mod_log_config.c"}, {"LogFormat", "mod_log_config.c"}, {"TransferLog", "mod_log_config.c"},
    {"Alias", "mod_alias.c"}, {"Redirect", "mod_alias.c"}, {"ScriptAlias", "mod_alias.c"},
    {"DirectoryIndex", "mod_dir.c"},
    {"AddType", "mod_mime.c"}, {"AddHandler", "mod_mime.c"}, {"AddEncoding", "mod_mime.c"},
    {"TypesConfig", "mod_mime.c"},
    {"Require", "mod_authz_core.c"}, {"RequireAll", "mod_authz_core.c"}, {"RequireAny", "mod_authz_core.c"},
    {"Order", "mod_access_compat.c"}, {"Allow", "mod_access_compat.c"}, {"Deny", "mod_access_compat.c"},
    {"SetEnvIf", "mod_setenvif.c"}, {"Header", "mod_headers.c"},
    {"IndexOptions", "mod_autoindex.c"}, {"AddIcon", "mod_autoindex.c"},
};

constexpr const char* kSections[] = {
    "AuthnProviderAlias", "AuthzProviderAlias", "Directory", "DirectoryMatch", "Else", "ElseIf",
    "Files", "FilesMatch", "If", "IfDefine", "IfDirective", "IfFile", "IfModule", "IfSection",
    "IfVersion", "Limit", "LimitExcept", "Location", "LocationMatch", "Macro", "MDomainSet",
    "Proxy", "ProxyMatch", "RequireAll", "RequireAny", "RequireNone", "VirtualHost",
};

}  // namespace

bool IsSectionDirective(std::string_view name)
{
    const std::string folded = Folded(name);
    for (const char* section : kSections)
        if (Folded(section) == folded)
            return true;
    return false;
}

std::string ModuleFromHelpPath(std::string_view helpPath)
{
    auto start = helpPath.find_last_of('/');
    std::string_view page = start == std::string_view::npos ? helpPath : helpPath.substr(start + 1);
    page = page.substr(0, page.find_first_of(".#"));
    if (page.empty())
        return "core.c";
    if (page == "mpm_common" || page == "mpm_winnt" || page == "event" || page == "prefork" || page == "worker")
        return "mpm_winnt.c";
    return std::string(page) + ".c";
}

bool CDirectiveList::ReadScriptText(std::string_view text)
{
    CDirectiveList read;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line[0] == '#')
            continue;
        if (NextField(line) != "directive")
            continue;
        const std::string_view name = NextField(line);
        const std::string_view help = NextField(line);
        if (name.empty() || name.find(' ') != std::string_view::npos)
            continue;
        read.Add(name, ModuleFromHelpPath(help), help);
    }
    if (read.m_entries.empty())
        return false;
    read.m_fromScript = true;
    read.Finish();
    *this = std::move(read);
    return true;
}

bool CDirectiveList::ReadScriptFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream text;
    text << in.rdbuf();
    return ReadScriptText(text.str());
}

void CDirectiveList::UseBuiltIn()
{
    CDirectiveList built;
    for (const BuiltIn& b : kBuiltIn)
        built.Add(b.name, b.module);
    built.Finish();
    *this = std::move(built);
}

void CDirectiveList::Add(std::string_view name, std::string_view module, std::string_view helpPath)
{
    const std::string key = Folded(name);
    if (m_byFoldedName.count(key) != 0)
        return;
    m_byFoldedName.emplace(key, m_entries.size());
    m_entries.push_back({std::string(name), std::string(module), std::string(helpPath)});
}

void CDirectiveList::Finish()
{
    std::sort(m_entries.begin(), m_entries.end(),
              [](const DirectiveInfo& a, const DirectiveInfo& b) { return Folded(a.name) < Folded(b.name); });
    m_byFoldedName.clear();
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_byFoldedName.emplace(Folded(m_entries[i].name), i);
}

bool CDirectiveList::IsKnown(std::string_view name) const
{
    return m_byFoldedName.count(Folded(name)) != 0;
}

std::vector<std::string> CDirectiveList::Modules() const
{
    std::vector<std::string> modules;
    for (const DirectiveInfo& d : m_entries)
        if (std::find(modules.begin(), modules.end(), d.module) == modules.end())
            modules.push_back(d.module);
    std::sort(modules.begin(), modules.end(), [](const std::string& a, const std::string& b) {
        if ((a == "core.c") != (b == "core.c"))
            return a == "core.c";
        return a < b;
    });
    return modules;
}
