#include "LauncherListsBuilder.h"

void CLauncherLists::Build(const ServerConfig& config)
{
    m_hosts.clear();
    m_logs.clear();
    m_hosts.reserve(config.hosts.size());
    for (const VirtualHostInfo& host : config.hosts) {
        HostListItem& item = m_hosts.emplace_back();
        const std::string& name = host.serverName.empty() ? host.address : host.serverName;
        item.hostName = name.c_str();
        item.folder = host.documentRoot.c_str();
        item.address = host.address.c_str();
    }

    for (const std::string& log : config.logs)
        m_logs.push_back({CGrowString(log.c_str()), CGrowString()});
    for (const VirtualHostInfo& host : config.hosts) {
        const std::string& group = host.serverName.empty() ? host.address : host.serverName;
        for (const std::string& log : host.logs)
            m_logs.push_back({CGrowString(log.c_str()), CGrowString(group.c_str())});
    }

    // The items have exactly the entries' layout: string objects where the entries
    // describe strings, the same plain fields after them.
    m_hostList = {m_hosts.empty() ? nullptr : reinterpret_cast<const HostListEntry*>(m_hosts.data()),
                  static_cast<std::int32_t>(m_hosts.size())};
    m_logList = {m_logs.empty() ? nullptr : reinterpret_cast<const LogListEntry*>(m_logs.data()),
                 static_cast<std::int32_t>(m_logs.size())};
}
