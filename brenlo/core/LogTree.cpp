#include "LogTree.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

// A file item or a group during the fill, with the key that places it among its siblings.
struct Keyed {
    std::string key;
    int index;  // entry index for a file, group index for a group
};

struct PendingGroup {
    std::string label;  // the group text of its first entry
    std::vector<Keyed> files;
    std::unordered_set<std::string> fileKeys;
};

void SortByKey(std::vector<Keyed>& items)
{
    // Keys are unique within a kind and level: an item whose key is taken is never made.
    std::sort(items.begin(), items.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
}

}  // namespace

void CLogTree::SetLeadBytes(const LeadByteTable& leadBytes)
{
    m_leadBytes = leadBytes;
    m_hasLeadBytes = true;
}

void CLogTree::Fill(const CLogListView& list, ILogFileFacts& facts, bool showSizes)
{
    const std::string currentPath = m_current >= 0 ? m_entries[m_current].path : std::string();
    const bool hadCurrent = m_current >= 0;

    m_items.clear();
    m_entries.clear();
    m_where.clear();
    m_omitted = 0;
    m_current = -1;
    m_showSizes = showSizes;
    const LeadByteTable* leadBytes = m_hasLeadBytes ? &m_leadBytes : nullptr;

    std::vector<Keyed> topFiles;
    std::unordered_set<std::string> topFileKeys;
    std::vector<PendingGroup> groups;
    std::vector<Keyed> groupOrder;
    std::unordered_map<std::string, int> groupByKey;

    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        std::string path = BackslashPath(CText(list.Path(i)));
        std::string name = NameOfPath(path);
        const std::string groupText(CText(list.Group(i)));

        // Without sizes the label is the name alone, so the file is only asked about once
        // it is known to make an item.
        LogFileFacts file;
        if (showSizes)
            file = facts.Query(path);
        std::string label = LogItemLabel(name, file.exists ? file.size : 0, showSizes);
        std::string key = FoldCase(label, leadBytes);

        int group = -1;
        std::string groupKey;
        if (!groupText.empty()) {
            groupKey = FoldCase(groupText, leadBytes);
            const auto found = groupByKey.find(groupKey);
            if (found != groupByKey.end()) {
                group = found->second;
                if (groups[group].fileKeys.count(key) != 0)
                    continue;
            }
        } else if (topFileKeys.count(key) != 0) {
            continue;
        }

        if (static_cast<int>(m_entries.size()) == kMaxFileItems) {
            ++m_omitted;
            continue;
        }
        if (!showSizes)
            file = facts.Query(path);

        if (!groupText.empty() && group < 0) {
            group = static_cast<int>(groups.size());
            groupByKey.emplace(groupKey, group);
            groupOrder.push_back(Keyed{groupKey, group});
            groups.push_back(PendingGroup{groupText, {}, {}});
        }

        const int index = static_cast<int>(m_entries.size());
        if (group >= 0) {
            groups[group].fileKeys.insert(key);
            groups[group].files.push_back(Keyed{std::move(key), index});
        } else {
            topFileKeys.insert(key);
            topFiles.push_back(Keyed{std::move(key), index});
        }
        const std::int64_t size = file.exists ? static_cast<std::int64_t>(file.size) : 0;
        m_entries.push_back(LogEntry{size, file.exists, std::move(path), std::move(name), std::move(label)});
    }

    m_where.resize(m_entries.size());
    auto fileNode = [this](const Keyed& file) {
        const LogEntry& entry = m_entries[file.index];
        return LogTreeNode{entry.label, entry.exists ? kImageFilePresent : kImageFileMissing,
                           static_cast<std::uint32_t>(file.index), {}};
    };

    SortByKey(topFiles);
    SortByKey(groupOrder);
    m_items.reserve(topFiles.size() + groupOrder.size());
    for (const Keyed& file : topFiles) {
        m_where[file.index] = Where{static_cast<int>(m_items.size()), -1};
        m_items.push_back(fileNode(file));
    }
    for (const Keyed& keyed : groupOrder) {
        PendingGroup& group = groups[keyed.index];
        SortByKey(group.files);
        LogTreeNode node{std::move(group.label), kImageGroupClosed, kGroupItemData, {}};
        node.children.reserve(group.files.size());
        for (const Keyed& file : group.files) {
            m_where[file.index] = Where{static_cast<int>(m_items.size()), static_cast<int>(node.children.size())};
            node.children.push_back(fileNode(file));
        }
        m_items.push_back(std::move(node));
    }

    if (hadCurrent)
        m_current = FindPath(currentPath);
}

const LogEntry* CLogTree::EntryOf(std::uint32_t data) const
{
    if ((data & kGroupItemData) != 0 || data >= m_entries.size())
        return nullptr;
    return &m_entries[data];
}

bool CLogTree::CanClear(std::uint32_t data) const
{
    const LogEntry* entry = EntryOf(data);
    return entry != nullptr && entry->exists;
}

std::vector<int> CLogTree::ClearAllTargets() const
{
    std::vector<int> targets;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].exists)
            targets.push_back(static_cast<int>(i));
    }
    return targets;
}

std::string CLogTree::MarkCleared(int index)
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return std::string();
    LogEntry& entry = m_entries[index];
    entry.size = 0;
    entry.label = LogItemLabel(entry.name, 0, m_showSizes);
    const Where where = m_where[index];
    LogTreeNode& top = m_items[where.top];
    (where.child < 0 ? top : top.children[where.child]).label = entry.label;
    return entry.label;
}

void CLogTree::SetCurrentIndex(int index)
{
    m_current = index >= 0 && index < static_cast<int>(m_entries.size()) ? index : -1;
}

int CLogTree::FindPath(const std::string& path) const
{
    const LeadByteTable* leadBytes = m_hasLeadBytes ? &m_leadBytes : nullptr;
    const std::string key = FoldCase(path, leadBytes);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].path.size() == path.size() && FoldCase(m_entries[i].path, leadBytes) == key)
            return static_cast<int>(i);
    }
    return -1;
}
