#include "KeywordTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "CharClass.h"
#include "DataLines.h"
#include "FileIO.h"

namespace tessaly::editor {

namespace {

std::string Folded(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = FoldCase(c);
    return out;
}

void CopyText(char* dest, std::size_t size, std::string_view s)
{
    const std::size_t n = std::min(s.size(), size - 1);
    std::memcpy(dest, s.data(), n);
    dest[n] = '\0';
}

}  // namespace

void KeywordTable::Add(Kinds& kinds, int kind, std::string_view name, std::string_view help)
{
    if (name.empty() || name.size() > 255 || help.size() >= sizeof(NODE::szHelpPath))
        return;
    std::string key = Folded(name);
    if (kinds.byName[kind].count(key))
        return;
    NODE& node = kinds.nodes[kind].emplace_back();
    CopyText(node.szKeyword, sizeof(node.szKeyword), name);
    CopyText(node.szHelpPath, sizeof(node.szHelpPath), help);
    kinds.byName[kind].emplace(std::move(key), &node);
}

bool KeywordTable::ReadScriptText(std::string_view text)
{
    Kinds kinds;
    DataLines lines(text);
    for (std::string_view line; lines.Next(line);) {
        if (DataLines::IsBlankOrComment(line))
            continue;
        std::string_view fields[3];
        int n = 0;
        while (n < 3) {
            const std::size_t tab = line.find('\t');
            fields[n++] = line.substr(0, tab);
            if (tab == std::string_view::npos)
                break;
            line.remove_prefix(tab + 1);
        }
        if (n >= 2 && fields[0] == "directive")
            Add(kinds, kDirectives, fields[1], n == 3 ? fields[2] : "");
        else if (n == 2 && fields[0] == "constant")
            Add(kinds, kConstants, fields[1], "");
    }
    if (kinds.nodes[kDirectives].empty())
        return false;
    m_kinds = std::move(kinds);
    return true;
}

bool KeywordTable::ReadScriptFile(const std::string& path)
{
    SharedReadFile file;
    if (!file.Open(path))
        return false;
    const Pos size = file.Size();
    // A keyword script is small; anything huge is not one.
    if (size < 0 || size > 16 * 1024 * 1024)
        return false;
    std::vector<char> text(static_cast<std::size_t>(size));
    if (size > 0 && file.ReadAt(0, text.data(), text.size()) != size)
        return false;
    return ReadScriptText(std::string_view(text.data(), text.size()));
}

const NODE* KeywordTable::FindIn(int kind, std::string_view word, bool caseSensitive) const
{
    if (word.empty() || word.size() > 255)
        return nullptr;
    const auto it = m_kinds.byName[kind].find(Folded(word));
    if (it == m_kinds.byName[kind].end())
        return nullptr;
    if (caseSensitive && std::string_view(it->second->szKeyword) != word)
        return nullptr;
    return it->second;
}

const NODE* KeywordTable::Find(std::string_view word, int flag) const
{
    if (flag != kDirectives && flag != kConstants)
        return nullptr;
    return FindIn(flag, word, false);
}

int KeywordTable::Count(int flag) const
{
    if (flag != kDirectives && flag != kConstants)
        return 0;
    return static_cast<int>(m_kinds.nodes[flag].size());
}

bool KeywordTable::IsDirective(std::string_view word, bool caseSensitive) const
{
    return FindIn(kDirectives, word, caseSensitive) != nullptr;
}

bool KeywordTable::IsConstant(std::string_view word, bool caseSensitive) const
{
    return FindIn(kConstants, word, caseSensitive) != nullptr;
}

}  // namespace tessaly::editor
