#pragma once
// The log tree without its window: from the Launcher's list it works out the groups and
// file items the tree view shows, in display order, with their labels, images and item
// data, and keeps the entries that the open and clear commands work on.
//
// The result is that of the plain fill, in which every new item is compared with its
// siblings (case-insensitively) and dropped when one has the same text, and each level is
// then sorted with files before groups, each kind alphabetically. Here the items made so far
// sit in one hash table keyed by parent and folded label instead, so a fill costs time in
// proportion to the list.

#include <cstdint>
#include <string>
#include <vector>

#include "LauncherLists.h"
#include "LogFileFacts.h"
#include "LogLabels.h"

// Pictures of the tree's image strip (bitmap 6001).
enum LogTreeImage : int {
    kImageGroupClosed = 2,
    kImageGroupOpen = 3,
    kImageFileMissing = 5,
    kImageFilePresent = 6,
};

// A group's picture follows its expanded state.
constexpr int GroupImage(bool expanded)
{
    return expanded ? kImageGroupOpen : kImageGroupClosed;
}

// Item data: a file item holds its entry index, a group item holds kGroupItemData. Bit 15
// marks a group, so at most kMaxFileItems file items can be told apart. A list that would
// make more is shown up to that many file items, in list order; the entries after them that
// would have made an item are left out (no item, no entry) and counted, so the pane can tell
// the user. An entry that repeats an item already shown is dropped as always, not counted.
constexpr std::uint32_t kGroupItemData = 0x8000;
constexpr int kMaxFileItems = 0x8000;

// One file item shown, in the order the items were made; its index is the item's data.
struct LogEntry {
    std::int64_t size = 0;  // bytes when the tree was filled; 0 after clearing
    bool exists = false;    // the file's status could be read when the tree was filled
    std::string path;       // the Launcher's path with every "/" turned into "\"
    std::string name;       // the part of the path after its last "\"
    std::string label;      // the item's text

    bool operator==(const LogEntry&) const = default;
};

// One item of the tree view; a group's children are its file items in display order.
struct LogTreeNode {
    std::string label;
    int image = kImageFileMissing;
    std::uint32_t data = 0;
    std::vector<LogTreeNode> children;

    bool IsGroup() const { return data == kGroupItemData; }
    bool operator==(const LogTreeNode&) const = default;
};

class CLogTree {
public:
    // Code pages with two-byte characters: their trail bytes are never case-folded.
    void SetLeadBytes(const LeadByteTable& leadBytes);

    // Builds the tree anew from the list. The current entry follows its path: it becomes
    // the first entry with the same path (letter case aside), or none.
    void Fill(const CLogListView& list, ILogFileFacts& facts, bool showSizes);

    // The top-level items in display order: file items first, then groups.
    const std::vector<LogTreeNode>& Items() const { return m_items; }
    const std::vector<LogEntry>& Entries() const { return m_entries; }
    bool ShowSizes() const { return m_showSizes; }
    bool Empty() const { return m_items.empty(); }

    // List entries left out because the tree already held kMaxFileItems file items.
    int Omitted() const { return m_omitted; }

    // The entry behind an item's data, or null for a group or data that names no entry.
    const LogEntry* EntryOf(std::uint32_t data) const;

    // "Clear" is offered for a file item whose file existed at filling.
    bool CanClear(std::uint32_t data) const;

    // Entries "Clear all" truncates, in array order: those whose file existed at filling.
    std::vector<int> ClearAllTargets() const;

    // Records that the entry's file was emptied; returns the item's new text.
    std::string MarkCleared(int index);
    // Records the entry's size as it is now (the shown log grew or shrank); returns the
    // item's new text.
    std::string SetEntrySize(int index, std::uint64_t size);

    // The entry last opened into the text view, -1 for none; never past the array.
    int CurrentIndex() const { return m_current; }
    void SetCurrentIndex(int index);

private:
    // Where an entry's item sits: top-level position, and child position or -1.
    struct Where {
        int top;
        int child;
    };

    void BuildItems(const std::vector<int>& parentOf, std::vector<std::string>& groupLabels);
    int FindPath(const std::string& path) const;

    std::vector<LogTreeNode> m_items;
    std::vector<Where> m_where;
    std::vector<LogEntry> m_entries;
    LeadByteTable m_leadBytes{};
    bool m_hasLeadBytes = false;
    bool m_showSizes = false;
    int m_omitted = 0;
    int m_current = -1;
};
