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

// The directives of the Windows server's compiled-in modules and of the modules its stock
// configuration loads, by module; names separated by blanks.
struct BuiltInModule {
    const char* module;
    const char* names;
};

constexpr BuiltInModule kBuiltIn[] = {
    {"core.c",
     "AcceptFilter AcceptPathInfo AccessFileName AddDefaultCharset AllowEncodedSlashes AllowOverride "
     "AllowOverrideList CGIPassAuth CGIVar ContentDigest DefaultRuntimeDir DefaultType Define Directory "
     "DirectoryMatch DocumentRoot Else ElseIf EnableMMAP EnableSendfile Error ErrorDocument ErrorLog "
     "ErrorLogFormat ExtendedStatus FileETag Files FilesMatch FlushMaxPipelined FlushMaxThreshold ForceType "
     "HostnameLookups HttpProtocolOptions If IfDefine IfDirective IfFile IfModule IfSection Include "
     "IncludeOptional LimitExcept Limit LimitInternalRecursion LimitRequestBody LimitRequestFields "
     "LimitRequestFieldSize LimitRequestLine LimitXMLRequestBody Location LocationMatch LogLevel "
     "MaxConnectionsPerChild MaxMemFree MaxRangeOverlaps MaxRangeReversals MaxRanges MaxRequestsPerChild "
     "MergeSlashes MergeTrailers Mutex NameVirtualHost Options PidFile Protocol Protocols ProtocolsHonorOrder "
     "QualifyRedirectURL ReadBufferSize RegexDefaultOptions RegisterHttpMethod ScoreBoardFile SeeRequestTail "
     "ServerAdmin ServerAlias ServerName ServerPath ServerRoot ServerSignature ServerTokens SetHandler "
     "SetInputFilter SetOutputFilter StrictHostCheck ThreadStackSize Timeout TraceEnable UnDefine "
     "UseCanonicalName UseCanonicalPhysicalPort VirtualHost"},
    {"http_core.c", "KeepAlive KeepAliveTimeout MaxKeepAliveRequests"},
    {"mod_so.c", "LoadFile LoadModule"},
    {"mod_win32.c", "ScriptInterpreterSource"},
    {"mpm_winnt.c", "Listen ListenBacklog ReceiveBufferSize SendBufferSize ThreadLimit ThreadsPerChild"},
    {"mod_access_compat.c", "Allow Deny Order Satisfy"},
    {"mod_actions.c", "Action Script"},
    {"mod_alias.c",
     "Alias AliasMatch AliasPreservePath Redirect RedirectMatch RedirectPermanent RedirectRelative RedirectTemp "
     "ScriptAlias ScriptAliasMatch"},
    {"mod_allowmethods.c", "AllowMethods"},
    {"mod_auth_basic.c", "AuthBasicAuthoritative AuthBasicFake AuthBasicProvider AuthBasicUseDigestAlgorithm"},
    {"mod_authn_core.c", "AuthName AuthnProviderAlias AuthType"},
    {"mod_authn_file.c", "AuthUserFile"},
    {"mod_authz_core.c",
     "AuthMerging AuthzProviderAlias AuthzSendForbiddenOnFailure Require RequireAll RequireAny RequireNone"},
    {"mod_authz_groupfile.c", "AuthGroupFile"},
    {"mod_autoindex.c",
     "AddAlt AddAltByEncoding AddAltByType AddDescription AddIcon AddIconByEncoding AddIconByType DefaultIcon "
     "HeaderName IndexHeadInsert IndexIgnore IndexIgnoreReset IndexOptions IndexOrderDefault IndexStyleSheet "
     "ReadmeName"},
    {"mod_cgi.c", "CGIScriptTimeout ScriptLog ScriptLogBuffer ScriptLogLength"},
    {"mod_dir.c", "DirectoryCheckHandler DirectoryIndex DirectoryIndexRedirect DirectorySlash FallbackResource"},
    {"mod_env.c", "PassEnv SetEnv UnsetEnv"},
    {"mod_headers.c", "Header RequestHeader"},
    {"mod_include.c", "SSIEndTag SSIErrorMsg SSIEtag SSILastModified SSILegacyExprParser SSIStartTag SSITimeFormat "
                      "SSIUndefinedEcho XBitHack"},
    {"mod_isapi.c", "ISAPIAppendLogToErrors ISAPIAppendLogToQuery ISAPICacheFile ISAPIFakeAsync ISAPILogNotSupported "
                    "ISAPIReadAheadBuffer"},
    {"mod_log_config.c", "BufferedLogs CustomLog GlobalLog LogFormat TransferLog"},
    {"mod_mime.c",
     "AddCharset AddEncoding AddHandler AddInputFilter AddLanguage AddOutputFilter AddType DefaultLanguage "
     "ModMimeUsePathInfo MultiviewsMatch RemoveCharset RemoveEncoding RemoveHandler RemoveInputFilter "
     "RemoveLanguage RemoveOutputFilter RemoveType TypesConfig"},
    {"mod_negotiation.c", "CacheNegotiatedDocs ForceLanguagePriority LanguagePriority"},
    {"mod_setenvif.c", "BrowserMatch BrowserMatchNoCase SetEnvIf SetEnvIfExpr SetEnvIfNoCase"},
};

constexpr const char* kSections[] = {
    "AuthnProviderAlias",
    "AuthzProviderAlias",
    "Directory",
    "DirectoryMatch",
    "Else",
    "ElseIf",
    "Files",
    "FilesMatch",
    "If",
    "IfDefine",
    "IfDirective",
    "IfFile",
    "IfModule",
    "IfSection",
    "IfVersion",
    "Limit",
    "LimitExcept",
    "Location",
    "LocationMatch",
    "Macro",
    "MDomainSet",
    "Proxy",
    "ProxyMatch",
    "RequireAll",
    "RequireAny",
    "RequireNone",
    "VirtualHost",
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
    built.AddBuiltIn();
    *this = std::move(built);
}

void CDirectiveList::AddBuiltIn()
{
    for (const BuiltInModule& module : kBuiltIn) {
        std::string_view names(module.names);
        while (!names.empty()) {
            const auto blank = names.find(' ');
            const std::string_view name = names.substr(0, blank);
            if (!name.empty())
                Add(name, module.module);
            names = blank == std::string_view::npos ? std::string_view() : names.substr(blank + 1);
        }
    }
    Finish();
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

CDirectiveList LoadDirectiveList(const std::string& folder)
{
    CDirectiveList list;
    if (list.ReadScriptFile(folder + "/" + kKeywordScriptName))
        list.AddBuiltIn();
    else
        list.UseBuiltIn();
    return list;
}
