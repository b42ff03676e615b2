#pragma once
// Launcher lists for the log tree's tests: the strings live in the list object and the
// LogList points at them through the Launcher's layout.

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "LauncherLists.h"
#include "LogFileFacts.h"
#include "LogTree.h"

// Readable failure messages for the tree's items and entries.
inline void PrintTo(const LogTreeNode& node, std::ostream* out)
{
    *out << "{\"" << node.label << "\" image " << node.image << " data " << node.data;
    for (const LogTreeNode& child : node.children)
        *out << "\n    {\"" << child.label << "\" image " << child.image << " data " << child.data << "}";
    *out << "}\n";
}

inline void PrintTo(const LogEntry& entry, std::ostream* out)
{
    *out << "{" << entry.size << (entry.exists ? " exists " : " missing ") << entry.path << " | " << entry.name << " | "
         << entry.label << "}\n";
}

class TestLogList {
public:
    void Add(std::string path, std::string group = std::string())
    {
        m_texts.push_back(std::move(path));
        m_texts.push_back(std::move(group));
    }

    // The list as the Launcher hands it over; valid until the next Add.
    const LogList* Get()
    {
        m_entries.clear();
        for (std::size_t i = 0; i + 1 < m_texts.size(); i += 2)
            m_entries.push_back(LogListEntry{Layout(m_texts[i]), Layout(m_texts[i + 1])});
        m_list = LogList{m_entries.data(), static_cast<std::int32_t>(m_entries.size())};
        return &m_list;
    }

    LogList* Raw()
    {
        Get();
        return &m_list;
    }

private:
    static GrowStringLayout Layout(const std::string& text)
    {
        return GrowStringLayout{nullptr, text.c_str(), static_cast<std::int32_t>(text.size() / 64 + 1) * 64,
                                static_cast<std::int32_t>(text.size())};
    }

    std::vector<std::string> m_texts;  // path, group, path, group, ...
    std::vector<LogListEntry> m_entries;
    LogList m_list{};
};

// Files known by their exact path; every other path does not exist.
class FakeLogFileFacts : public ILogFileFacts {
public:
    void Set(const std::string& path, std::uint64_t size) { m_sizes[path] = size; }

    LogFileFacts Query(const std::string& path) override
    {
        ++queries;
        const auto found = m_sizes.find(path);
        if (found == m_sizes.end())
            return LogFileFacts{};
        return LogFileFacts{true, found->second};
    }

    int queries = 0;

private:
    std::map<std::string, std::uint64_t> m_sizes;
};
