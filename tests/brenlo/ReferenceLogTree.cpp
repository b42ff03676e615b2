#include "ReferenceLogTree.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Case-insensitive comparison of two C strings, bytes compared unsigned.
int CompareNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        const auto x = static_cast<unsigned char>(Lower(*a));
        const auto y = static_cast<unsigned char>(Lower(*b));
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

// The viewer copies length + 1 bytes and uses the copy as a C string.
std::string CopyText(const GrowStringLayout& s)
{
    if (s.text == nullptr || s.length <= 0)
        return std::string();
    return std::string(s.text, static_cast<std::size_t>(s.length)).c_str();
}

// Inserts like the tree pane's insert routine; returns false when no item was made.
bool Insert(std::vector<LogTreeNode>& top, const std::string& group, const std::string& label, std::uint32_t data,
            bool exists)
{
    LogTreeNode item{label, exists ? kImageFilePresent : kImageFileMissing, data, {}};
    if (!group.empty()) {
        LogTreeNode* parent = nullptr;
        for (LogTreeNode& node : top) {
            if (!node.children.empty() && CompareNoCase(node.label.c_str(), group.c_str()) == 0) {
                parent = &node;
                break;
            }
        }
        if (parent == nullptr) {
            top.push_back(LogTreeNode{group, kImageGroupClosed, kGroupItemData, {}});
            parent = &top.back();
        }
        for (const LogTreeNode& child : parent->children) {
            if (CompareNoCase(child.label.c_str(), label.c_str()) == 0)
                return false;
        }
        parent->children.push_back(item);
        return true;
    }
    for (const LogTreeNode& node : top) {
        if (node.children.empty() && CompareNoCase(node.label.c_str(), label.c_str()) == 0)
            return false;
    }
    top.push_back(item);
    return true;
}

void SortLevel(std::vector<LogTreeNode>& level)
{
    std::sort(level.begin(), level.end(), [](const LogTreeNode& a, const LogTreeNode& b) {
        return CompareNoCase(a.label.c_str(), b.label.c_str()) < 0;
    });
    std::stable_sort(level.begin(), level.end(), [](const LogTreeNode& a, const LogTreeNode& b) {
        const bool aGroup = (a.data & 0x8000) != 0;
        const bool bGroup = (b.data & 0x8000) != 0;
        return !aGroup && bGroup;
    });
}

}  // namespace

ReferenceLogTree FillPlainly(const LogList* list, ILogFileFacts& facts, bool showSizes)
{
    ReferenceLogTree tree;
    const int count = list == nullptr || list->entries == nullptr ? 0 : list->count;
    for (int i = 0; i < count; ++i) {
        std::string path = CopyText(list->entries[i].path);
        std::replace(path.begin(), path.end(), '/', '\\');
        const char* slash = std::strrchr(path.c_str(), '\\');
        const std::string name = slash != nullptr ? slash + 1 : path;
        const LogFileFacts file = facts.Query(path);
        const long long size = file.exists ? static_cast<long long>(file.size) : 0;

        std::string label = name;
        if (showSizes) {
            std::vector<char> text(name.size() + 64);
            std::snprintf(text.data(), text.size(), "%s - %.2fKb", name.c_str(),
                          static_cast<double>(size) * 0.0009765625);
            label = text.data();
        }
        const auto data = static_cast<std::uint32_t>(tree.entries.size());
        if (Insert(tree.items, CopyText(list->entries[i].group), label, data, file.exists))
            tree.entries.push_back(LogEntry{size, file.exists, path, name, label});
    }

    SortLevel(tree.items);
    for (LogTreeNode& node : tree.items) {
        if (!node.children.empty())
            SortLevel(node.children);
    }
    return tree;
}
