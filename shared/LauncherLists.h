#pragma once
// Read-only views of the lists the Launcher hands to DoOptions and DoViewLogs. The lists
// are the Launcher's memory: they are read through their fixed layout only, never changed
// or freed, and every text is copied by its stored length, never read past it.

#include <cstddef>
#include <cstdint>
#include <string>

// The layout of one of the Launcher's counted strings.
struct GrowStringLayout {
    const void* functionTable;
    const char* text;
    std::int32_t capacity;
    std::int32_t length;
};

struct HostListEntry {
    GrowStringLayout hostName;  // also the name of the host's HostsOpt value
    GrowStringLayout folder;    // where project files are searched
    GrowStringLayout extra;     // the Launcher's own
    std::uint8_t reserved[4];
    std::int32_t value1;
    std::int32_t value2;
};

struct HostList {
    const HostListEntry* entries;  // contiguous
    std::int32_t count;
};

struct LogListEntry {
    GrowStringLayout path;   // full path of the log; either slash separates
    GrowStringLayout group;  // empty for a log in no group
};

struct LogList {
    const LogListEntry* entries;  // contiguous
    std::int32_t count;
};

#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(GrowStringLayout) == 16);
static_assert(offsetof(GrowStringLayout, text) == 4);
static_assert(offsetof(GrowStringLayout, capacity) == 8);
static_assert(offsetof(GrowStringLayout, length) == 12);
static_assert(sizeof(HostListEntry) == 60);
static_assert(offsetof(HostListEntry, folder) == 16);
static_assert(offsetof(HostListEntry, extra) == 32);
static_assert(offsetof(HostListEntry, reserved) == 48);
static_assert(offsetof(HostListEntry, value1) == 52);
static_assert(offsetof(HostListEntry, value2) == 56);
static_assert(sizeof(HostList) == 8);
static_assert(sizeof(LogListEntry) == 32);
static_assert(offsetof(LogListEntry, group) == 16);
static_assert(sizeof(LogList) == 8);
#endif

// The text of a Launcher string: a null text or a negative length reads as "".
std::string TextOf(const GrowStringLayout& s);

// The host list as the Options pages read it; a null list or a negative count is empty.
class CHostListView {
public:
    explicit CHostListView(const HostList* list) : m_list(list) {}
    int Count() const;
    std::string HostName(int i) const { return TextOf(m_list->entries[i].hostName); }
    std::string Folder(int i) const { return TextOf(m_list->entries[i].folder); }
    std::string Extra(int i) const { return TextOf(m_list->entries[i].extra); }

private:
    const HostList* m_list;
};

// The log list as the log viewer reads it; a null list or a negative count is empty.
class CLogListView {
public:
    explicit CLogListView(const LogList* list) : m_list(list) {}
    int Count() const;
    std::string Path(int i) const { return TextOf(m_list->entries[i].path); }
    std::string Group(int i) const { return TextOf(m_list->entries[i].group); }

private:
    const LogList* m_list;
};
