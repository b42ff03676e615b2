#include "LogTree.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace {

// Where the fill puts the file items it has made: one open-addressing table over all
// levels, keyed by the parent group (or none) and the folded label. Holds entry indices.
class SiblingTable {
public:
    explicit SiblingTable(std::size_t items)
    {
        std::size_t slots = 16;
        while (slots < items * 2)
            slots *= 2;
        m_slots.assign(slots, -1);
    }

    static std::uint32_t Hash(int parent, std::string_view label, const LeadByteTable* leadBytes)
    {
        return FoldHash(label, leadBytes) ^ (static_cast<std::uint32_t>(parent + 1) * 0x9E3779B1u);
    }

    // The slot of the item with that parent and label, or the free slot where it goes.
    template <typename SameItem>
    std::size_t Find(std::uint32_t hash, SameItem sameItem) const
    {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t slot = hash & mask;
        while (m_slots[slot] >= 0 && !sameItem(m_slots[slot]))
            slot = (slot + 1) & mask;
        return slot;
    }

    bool Taken(std::size_t slot) const { return m_slots[slot] >= 0; }
    void Put(std::size_t slot, int entry) { m_slots[slot] = entry; }

private:
    std::vector<int> m_slots;
};

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

    const int count = list.Count();
    std::vector<std::string> paths(count);
    for (int i = 0; i < count; ++i) {
        std::string& path = paths[i];
        path = list.Path(i);
        path.resize(CText(path).size());
        std::replace(path.begin(), path.end(), '/', '\\');
    }
    facts.Prepare(paths, showSizes);

    const auto most = static_cast<std::size_t>(std::min(count, kMaxFileItems));
    m_entries.reserve(most);
    std::vector<int> parentOf;  // per entry: its group, or -1 at the top level
    parentOf.reserve(most);
    SiblingTable siblings(most);

    std::vector<std::string> groupLabels;  // the group text of each group's first entry
    std::unordered_map<std::string, int> groupByKey;
    std::string lastGroupText;  // lists name the same group many times in a row
    int lastGroup = -1;

    for (int i = 0; i < count; ++i) {
        const std::string groupText(CText(list.Group(i)));
        std::string& path = paths[i];

        // Without sizes the label is the name alone, so the file is only asked about once
        // it is known to make an item.
        LogFileFacts file;
        if (showSizes)
            file = facts.QueryAt(static_cast<std::size_t>(i), path);
        std::string name = NameOfPath(path);
        std::string label = LogItemLabel(name, file.exists ? file.size : 0, showSizes);

        int group = -1;
        bool newGroup = false;
        if (!groupText.empty()) {
            if (lastGroup >= 0 && groupText == lastGroupText) {
                group = lastGroup;
            } else {
                const auto found = groupByKey.find(FoldCase(groupText, leadBytes));
                newGroup = found == groupByKey.end();
                group = newGroup ? static_cast<int>(groupLabels.size()) : found->second;
            }
        }

        const std::size_t slot = siblings.Find(SiblingTable::Hash(group, label, leadBytes), [&](int other) {
            return parentOf[other] == group && FoldEqual(m_entries[other].label, label, leadBytes);
        });
        if (siblings.Taken(slot))
            continue;
        if (static_cast<int>(m_entries.size()) == kMaxFileItems) {
            ++m_omitted;
            continue;
        }
        if (!showSizes)
            file = facts.QueryAt(static_cast<std::size_t>(i), path);

        if (newGroup) {
            groupByKey.emplace(FoldCase(groupText, leadBytes), group);
            groupLabels.push_back(groupText);
        }
        if (group >= 0) {
            lastGroup = group;
            lastGroupText = groupText;
        }
        siblings.Put(slot, static_cast<int>(m_entries.size()));
        parentOf.push_back(group);
        const std::int64_t size = file.exists ? static_cast<std::int64_t>(file.size) : 0;
        m_entries.push_back(LogEntry{size, file.exists, std::move(path), std::move(name), std::move(label)});
    }

    BuildItems(parentOf, groupLabels);
    if (hadCurrent)
        m_current = FindPath(currentPath);
}

void CLogTree::BuildItems(const std::vector<int>& parentOf, std::vector<std::string>& groupLabels)
{
    const LeadByteTable* leadBytes = m_hasLeadBytes ? &m_leadBytes : nullptr;

    // Labels are unique within a kind and level, so the order is complete.
    auto byLabel = [&](int a, int b) { return FoldCompare(m_entries[a].label, m_entries[b].label, leadBytes) < 0; };
    auto byGroupLabel = [&](int a, int b) { return FoldCompare(groupLabels[a], groupLabels[b], leadBytes) < 0; };

    std::vector<int> topFiles;
    std::vector<std::vector<int>> children(groupLabels.size());
    for (std::size_t i = 0; i < parentOf.size(); ++i)
        (parentOf[i] < 0 ? topFiles : children[parentOf[i]]).push_back(static_cast<int>(i));
    std::vector<int> groups(groupLabels.size());
    for (std::size_t g = 0; g < groups.size(); ++g)
        groups[g] = static_cast<int>(g);
    std::sort(topFiles.begin(), topFiles.end(), byLabel);
    std::sort(groups.begin(), groups.end(), byGroupLabel);

    auto fileNode = [this](int index) {
        const LogEntry& entry = m_entries[index];
        return LogTreeNode{
            entry.label, entry.exists ? kImageFilePresent : kImageFileMissing, static_cast<std::uint32_t>(index), {}};
    };

    m_where.resize(m_entries.size());
    m_items.reserve(topFiles.size() + groups.size());
    for (int index : topFiles) {
        m_where[index] = Where{static_cast<int>(m_items.size()), -1};
        m_items.push_back(fileNode(index));
    }
    for (int g : groups) {
        std::vector<int>& files = children[g];
        std::sort(files.begin(), files.end(), byLabel);
        LogTreeNode node{std::move(groupLabels[g]), kImageGroupClosed, kGroupItemData, {}};
        node.children.reserve(files.size());
        for (int index : files) {
            m_where[index] = Where{static_cast<int>(m_items.size()), static_cast<int>(node.children.size())};
            node.children.push_back(fileNode(index));
        }
        m_items.push_back(std::move(node));
    }
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
    return SetEntrySize(index, 0);
}

std::string CLogTree::SetEntrySize(int index, std::uint64_t size)
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return std::string();
    LogEntry& entry = m_entries[index];
    entry.size = static_cast<std::int64_t>(size);
    entry.label = LogItemLabel(entry.name, size, m_showSizes);
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
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (FoldEqual(m_entries[i].path, path, leadBytes))
            return static_cast<int>(i);
    }
    return -1;
}
