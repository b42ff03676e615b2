#include "TextBuffer.h"

#include <algorithm>
#include <new>
#include <vector>

#include "LineEnds.h"

namespace tessaly::editor {

Pos TextBuffer::LineStart(Pos line) const
{
    if (line <= 0)
        return 0;
    if (line >= LineCount())
        return Length();
    return m_lines.PositionFromPartition(static_cast<std::int32_t>(line));
}

Pos TextBuffer::LineFromPosition(Pos pos) const
{
    if (pos <= 0)
        return 0;
    return m_lines.PartitionFromPosition(static_cast<std::int32_t>(std::min(pos, Length())));
}

void TextBuffer::GetBytes(Pos pos, Pos n, char* out) const
{
    if (n > 0)
        m_substance.GetRange(out, static_cast<std::ptrdiff_t>(pos), static_cast<std::ptrdiff_t>(n));
}

std::string_view TextBuffer::Range(Pos pos, Pos n)
{
    return {m_substance.RangePointer(static_cast<std::ptrdiff_t>(pos), static_cast<std::ptrdiff_t>(n)),
            static_cast<std::size_t>(n)};
}

bool TextBuffer::StartsLine(Pos pos) const
{
    if (pos <= 0 || pos > Length())
        return false;
    return IsLineStart(CharAt(pos - 1), CharAt(pos), pos == Length());
}

void TextBuffer::AddLineStarts(std::int32_t line, Pos from, Pos to)
{
    // A line start at p depends on the bytes at p - 1 and p only; look at every candidate.
    std::vector<Pos> starts;
    if (StartsLine(from))
        starts.push_back(from);
    if (to > from) {
        LineStartScanner scanner(from);
        const std::string_view run = Range(from, to - from);
        scanner.Feed(run.data(), run.size(), starts);
        // A CR as the last byte: the scanner holds it back; the byte after it decides.
        if (StartsLine(to) && (starts.empty() || starts.back() != to))
            starts.push_back(to);
    }
    if (starts.size() > 1)
        m_lines.Reserve(static_cast<std::int32_t>(LineCount() + static_cast<Pos>(starts.size())));
    m_lines.InsertPartitions(line + 1, starts.data(), starts.size());
}

bool TextBuffer::Insert(Pos pos, std::string_view text)
{
    if (pos < 0 || pos > Length())
        return false;
    const Pos n = static_cast<Pos>(text.size());
    if (n == 0)
        return true;
    if (n > kMaxLength - Length())
        return false;
    std::int32_t line = static_cast<std::int32_t>(LineFromPosition(pos));
    // A line start exactly at pos may stop being one (a CR now followed by LF): re-decide it.
    if (pos > 0 && LineStart(line) == pos) {
        m_lines.RemovePartition(line);
        --line;
    }
    m_substance.InsertFromArray(static_cast<std::ptrdiff_t>(pos), text.data(), static_cast<std::ptrdiff_t>(n));
    m_lines.InsertText(line, static_cast<std::int32_t>(n));
    AddLineStarts(line, pos, pos + n);
    return true;
}

bool TextBuffer::Delete(Pos pos, Pos n)
{
    if (pos < 0 || n < 0 || pos + n > Length())
        return false;
    if (n == 0)
        return true;
    std::int32_t line = static_cast<std::int32_t>(LineFromPosition(pos));
    // Starts in [pos, pos + n] depend on deleted bytes; drop them and re-decide pos afterwards.
    std::int32_t first = line;
    if (!(pos > 0 && LineStart(line) == pos))
        ++first;
    while (first < LineCount() && LineStart(first) <= pos + n)
        m_lines.RemovePartition(first);
    line = first - 1;
    m_lines.InsertText(line, static_cast<std::int32_t>(-n));
    m_substance.DeleteRange(static_cast<std::ptrdiff_t>(pos), static_cast<std::ptrdiff_t>(n));
    AddLineStarts(line, pos, pos);
    return true;
}

bool TextBuffer::SetText(std::string_view text)
{
    if (static_cast<Pos>(text.size()) > kMaxLength)
        return false;
    Delete(0, Length());
    return Insert(0, text);
}

char* TextBuffer::AppendSpace(Pos n)
{
    if (n < 0 || n > kMaxLength - Length())
        return nullptr;
    // Room beyond the text for the first edits, as much as the first growth would give: a
    // keystroke after reading a large file then finds room instead of copying the whole
    // text. The room is never written until used, so it costs the reading nothing.
    const Pos room = std::min<Pos>(n / 8, kMaxLength - Length() - n);
    try {
        m_substance.Reserve(static_cast<std::ptrdiff_t>(Length() + n + room));
    } catch (const std::bad_alloc&) {
        // Too little address space for the room: the text alone.
    }
    m_substance.Reserve(static_cast<std::ptrdiff_t>(Length() + n));
    return m_substance.InsertSpace(static_cast<std::ptrdiff_t>(Length()), static_cast<std::ptrdiff_t>(n));
}

void TextBuffer::CommitAppended(Pos start, Pos n, Pos reserved)
{
    std::vector<std::int32_t> found;
    LineStartScanner scanner(start);
    const std::string_view run = Range(start, n);
    scanner.Feed(run.data(), run.size(), found);
    scanner.Finish(found);
    CommitAppended(start, n, reserved, found);
}

void TextBuffer::CommitAppended(Pos start, Pos n, Pos reserved, std::span<const std::int32_t> found,
                                std::span<const std::int32_t> moreFound)
{
    if (reserved > n)
        m_substance.DeleteRange(static_cast<std::ptrdiff_t>(start + n), static_cast<std::ptrdiff_t>(reserved - n));
    // The appended bytes were counted into the last line; split them into lines now.
    std::int32_t line = static_cast<std::int32_t>(LineCount() - 1);
    if (start > 0 && LineStart(line) == start) {
        m_lines.RemovePartition(line);
        --line;
    }
    m_lines.InsertText(line, static_cast<std::int32_t>(n));
    // Whether a line starts at `start` depends on the byte before it too.
    if (StartsLine(start))
        m_lines.InsertPartition(++line, static_cast<std::int32_t>(start));
    m_lines.Reserve(static_cast<std::int32_t>(LineCount() + static_cast<Pos>(found.size() + moreFound.size())));
    m_lines.InsertPartitions(line + 1, found.data(), found.size());
    m_lines.InsertPartitions(line + 1 + static_cast<std::int32_t>(found.size()), moreFound.data(), moreFound.size());
}

void TextBuffer::CommitLoaded(Pos used, Pos reserved, PartitionStarts&& starts)
{
    if (reserved > used)
        m_substance.DeleteRange(static_cast<std::ptrdiff_t>(used), static_cast<std::ptrdiff_t>(reserved - used));
    starts.push_back(static_cast<std::int32_t>(used));
    m_lines.Adopt(std::move(starts));
}

}  // namespace tessaly::editor
