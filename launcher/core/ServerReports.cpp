#include "ServerReports.h"

#include <cstdio>
#include <map>

namespace reports {

std::string SyntaxCheck(const CConfigReader& reader)
{
    const ConfigProblem& problem = reader.Problem();
    switch (problem.stage) {
        case ConfigProblem::Stage::None:
            return "Syntax OK\n";
        case ConfigProblem::Stage::Build:
            return std::string(kProgramName) + ": " + problem.message + "\n";
        case ConfigProblem::Stage::Walk:
            break;
    }
    return "AH00526: Syntax error on line " + std::to_string(problem.line) + " of " + problem.file + ":\n" +
           problem.message + "\n";
}

std::string Version()
{
    return std::string("Server version: ") + kServerVersion + "\nServer built:   " + __DATE__ + " " + __TIME__ + "\n";
}

std::string CompiledModules()
{
    std::string out = "Compiled in modules:\n";
    for (const char* module : {"core.c", "mod_win32.c", "mpm_winnt.c", "http_core.c", "mod_so.c"})
        out += std::string("  ") + module + "\n";
    return out;
}

std::string Directives(const CDirectiveList& directives)
{
    std::string out;
    for (const DirectiveInfo& d : directives.All()) {
        out += (IsSectionDirective(d.name) ? "<" : "") + d.name + " (" + d.module + ")\n";
        if (!d.helpPath.empty())
            out += "\tDescribed in " + d.helpPath + "\n";
    }
    return out;
}

namespace {

std::string Padded(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string Where(const VirtualHostInfo& host)
{
    return " (" + host.file + ":" + std::to_string(host.line) + ")";
}

std::string PortOf(const std::string& address)
{
    const auto colon = address.rfind(':');
    return colon == std::string::npos ? "*" : address.substr(colon + 1);
}

}  // namespace

std::string VirtualHosts(const ServerConfig& config)
{
    // Hosts sharing an address are name-based; the first of them is the default.
    std::map<std::string, std::vector<const VirtualHostInfo*>> byAddress;
    std::vector<std::string> order;
    for (const VirtualHostInfo& host : config.hosts) {
        auto& list = byAddress[host.address];
        if (list.empty())
            order.push_back(host.address);
        list.push_back(&host);
    }

    std::string out = "VirtualHost configuration:\n";
    for (const std::string& address : order) {
        const auto& hosts = byAddress[address];
        if (hosts.size() == 1) {
            out += Padded(address, 22) + " " + hosts[0]->serverName + Where(*hosts[0]) + "\n";
            continue;
        }
        out += Padded(address, 22) + " is a NameVirtualHost\n";
        out += "         default server " + hosts[0]->serverName + Where(*hosts[0]) + "\n";
        for (const VirtualHostInfo* host : hosts)
            out += "         port " + PortOf(address) + " namevhost " + host->serverName + Where(*host) + "\n";
    }
    const std::string root = config.serverFolder;
    const std::string errorLog = config.errorLog.empty() ? root + "/logs/error.log" : config.errorLog;
    out += "ServerRoot: \"" + root + "\"\n";
    out += "Main DocumentRoot: \"" + (config.documentRoot.empty() ? root + "/htdocs" : config.documentRoot) + "\"\n";
    out += "Main ErrorLog: \"" + errorLog + "\"\n";
    out += "Mutex default: dir=\"" + root + "/logs/\" mechanism=default \n";
    out += "PidFile: \"" + root + "/logs/httpd.pid\"\n";
    out += "Define: DUMP_VHOSTS\nDefine: DUMP_RUN_CFG\n";
    return out;
}

}  // namespace reports
