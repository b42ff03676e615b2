#include "SectionIndex.h"

#include <algorithm>

#include "ConfLine.h"

namespace conf {

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

bool SectionIndex::ReadTag(const LineReader& text, int line, std::string& scratch, Tag& tag)
{
    text.ReadHead(line, scratch);
    const LineHead head = HeadOf(scratch);
    if (head.kind != LineHead::kSectionOpen && head.kind != LineHead::kSectionClose)
        return false;
    tag.line = line;
    tag.open = head.kind == LineHead::kSectionOpen;
    tag.name.assign(head.name);
    return true;
}

void SectionIndex::Rebuild(const LineReader& text)
{
    m_tags.clear();
    m_settled = 0;
    std::string scratch;
    const int lines = text.LineCount();
    for (int line = 0; line < lines; ++line) {
        Tag tag{};
        if (ReadTag(text, line, scratch, tag))
            m_tags.push_back(std::move(tag));
    }
}

int SectionIndex::FirstTagFrom(int line) const
{
    const auto at =
        std::lower_bound(m_tags.begin(), m_tags.end(), line, [](const Tag& tag, int l) { return tag.line < l; });
    return static_cast<int>(at - m_tags.begin());
}

void SectionIndex::OnLinesChanged(const LineReader& text, int firstLine, int removed, int added)
{
    firstLine = std::max(0, firstLine);
    removed = std::max(0, removed);
    added = std::max(0, added);
    const int from = FirstTagFrom(firstLine);
    const int to = FirstTagFrom(firstLine + removed + 1);  // tags of the lines the edit replaced

    std::vector<Tag> fresh;
    std::string scratch;
    const int lastLine = std::min(firstLine + added, text.LineCount() - 1);
    for (int line = firstLine; line <= lastLine; ++line) {
        Tag tag{};
        if (ReadTag(text, line, scratch, tag))
            fresh.push_back(std::move(tag));
    }
    // Typing in a line or a tag's arguments leaves the nesting as it was.
    const bool sameTags = std::equal(fresh.begin(), fresh.end(), m_tags.begin() + from, m_tags.begin() + to,
                                     [](const Tag& a, const Tag& b) { return a.open == b.open && a.name == b.name; });
    const int shift = added - removed;
    if (sameTags) {
        for (int i = from; i < to; ++i)
            m_tags[static_cast<std::size_t>(i)].line = fresh[static_cast<std::size_t>(i - from)].line;
    } else {
        m_tags.erase(m_tags.begin() + from, m_tags.begin() + to);
        m_tags.insert(m_tags.begin() + from, std::make_move_iterator(fresh.begin()),
                      std::make_move_iterator(fresh.end()));
        m_settled = std::min(m_settled, from);
    }
    if (shift != 0) {
        for (auto tag = m_tags.begin() + from + static_cast<std::ptrdiff_t>(fresh.size()); tag != m_tags.end(); ++tag)
            tag->line += shift;
    }
}

void SectionIndex::Settle(int index) const
{
    for (; m_settled <= index; ++m_settled) {
        Tag& tag = m_tags[static_cast<std::size_t>(m_settled)];
        const int before = m_settled > 0 ? m_tags[static_cast<std::size_t>(m_settled - 1)].innermostAfter : -1;
        if (tag.open) {
            tag.outer = before;
            tag.innermostAfter = m_settled;
            continue;
        }
        tag.outer = -1;
        tag.innermostAfter = before;
        for (int open = before; open != -1; open = m_tags[static_cast<std::size_t>(open)].outer) {
            if (SameName(m_tags[static_cast<std::size_t>(open)].name, tag.name)) {
                tag.innermostAfter = m_tags[static_cast<std::size_t>(open)].outer;
                break;
            }
        }
    }
}

std::vector<OpenSection> SectionIndex::EnclosingAt(int line) const
{
    std::vector<OpenSection> sections;
    const int last = FirstTagFrom(line) - 1;  // the last tag before the line
    if (last < 0)
        return sections;
    Settle(last);
    for (int open = m_tags[static_cast<std::size_t>(last)].innermostAfter; open != -1;
         open = m_tags[static_cast<std::size_t>(open)].outer) {
        const Tag& tag = m_tags[static_cast<std::size_t>(open)];
        sections.push_back({tag.name, tag.line});
    }
    std::reverse(sections.begin(), sections.end());
    return sections;
}

}  // namespace conf
