#pragma once
// The Launcher's host list for DoOptions, made of real counted strings as the Launcher's is.

#include <cstdint>
#include <string>
#include <vector>

#include "GrowString.h"
#include "LauncherLists.h"

namespace optionstest {

// One entry of the Launcher's host list, made of the Launcher's own strings.
struct LauncherHostEntry {
    CGrowString name;
    CGrowString folder;
    CGrowString extra;
    std::uint8_t reserved[4] = {};
    std::int32_t value1 = 0;
    std::int32_t value2 = 0;
};
static_assert(sizeof(LauncherHostEntry) == sizeof(HostListEntry));

class CLauncherHostList {
public:
    void Add(const std::string& name, const std::string& folder)
    {
        m_entries.push_back(LauncherHostEntry{name.c_str(), folder.c_str(), "extra", {1, 2, 3, 4}, 5, 6});
    }
    const HostList* Get()
    {
        m_list.entries = reinterpret_cast<const HostListEntry*>(m_entries.data());
        m_list.count = static_cast<std::int32_t>(m_entries.size());
        return &m_list;
    }

private:
    std::vector<LauncherHostEntry> m_entries;
    HostList m_list{};
};

}  // namespace optionstest
