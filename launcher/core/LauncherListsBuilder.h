#pragma once
// The host list and log list the Launcher hands to DoOptions and DoViewLogs, built from a
// server's configuration out of real CGrowString objects laid out as the libraries read
// them. The object owns every string and keeps the lists valid until it is rebuilt or gone.

#include <cstdint>
#include <string>
#include <vector>

#include "GrowString.h"
#include "LauncherLists.h"
#include "ServerConfig.h"

// One HostListEntry, 60 bytes on the 32-bit platform.
struct HostListItem {
    CGrowString hostName;
    CGrowString folder;
    CGrowString address;  // the Launcher's own: the <VirtualHost> address
    std::uint8_t reserved[4] = {0, 0, 0, 0};
    std::int32_t value1 = 0;
    std::int32_t value2 = 0;
};

// One LogListEntry, 32 bytes on the 32-bit platform.
struct LogListItem {
    CGrowString path;
    CGrowString group;
};

static_assert(sizeof(HostListItem) == sizeof(HostListEntry));
static_assert(sizeof(LogListItem) == sizeof(LogListEntry));

class CLauncherLists {
public:
    CLauncherLists() = default;
    CLauncherLists(const CLauncherLists&) = delete;
    CLauncherLists& operator=(const CLauncherLists&) = delete;

    // Hosts in configuration order, named by ServerName (the address when a host names
    // none); logs: the main server's without a group, then each host's under its name.
    void Build(const ServerConfig& config);

    const HostList* Hosts() const { return &m_hostList; }
    const LogList* Logs() const { return &m_logList; }

private:
    std::vector<HostListItem> m_hosts;
    std::vector<LogListItem> m_logs;
    HostList m_hostList{nullptr, 0};
    LogList m_logList{nullptr, 0};
};
