#include "LogLabels.h"

std::string_view CText(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

std::string BackslashPath(std::string_view path)
{
    std::string result(path);
    for (char& c : result) {
        if (c == '/')
            c = '\\';
    }
    return result;
}

std::string NameOfPath(std::string_view path)
{
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos)
        return std::string(path);
    return std::string(path.substr(slash + 1));
}

std::string KilobyteText(std::uint64_t size)
{
    std::uint64_t whole = size / 1024;
    const std::uint64_t rest = size % 1024;
    std::uint64_t hundredths = (rest * 100 + 512) / 1024;
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    std::string text = std::to_string(whole);
    text += '.';
    text += static_cast<char>('0' + hundredths / 10);
    text += static_cast<char>('0' + hundredths % 10);
    return text;
}

std::string LogItemLabel(std::string_view name, std::uint64_t size, bool showSizes)
{
    std::string label(name);
    if (showSizes) {
        label += " - ";
        label += KilobyteText(size);
        label += "Kb";
    }
    return label;
}

namespace {

// Walks a text byte by byte as FoldCase sees it.
class FoldedBytes {
public:
    FoldedBytes(std::string_view text, const LeadByteTable* leadBytes) : m_text(text), m_leadBytes(leadBytes) {}

    bool AtEnd() const { return m_pos == m_text.size(); }

    unsigned char Next()
    {
        const auto byte = static_cast<unsigned char>(m_text[m_pos++]);
        if (m_trail) {
            m_trail = false;
            return byte;
        }
        if (m_leadBytes != nullptr && (*m_leadBytes)[byte]) {
            m_trail = true;
            return byte;
        }
        return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
    }

private:
    std::string_view m_text;
    const LeadByteTable* m_leadBytes;
    std::size_t m_pos = 0;
    bool m_trail = false;
};

}  // namespace

int FoldCompare(std::string_view a, std::string_view b, const LeadByteTable* leadBytes)
{
    FoldedBytes x(a, leadBytes);
    FoldedBytes y(b, leadBytes);
    while (!x.AtEnd() && !y.AtEnd()) {
        const unsigned char p = x.Next();
        const unsigned char q = y.Next();
        if (p != q)
            return p < q ? -1 : 1;
    }
    if (x.AtEnd() && y.AtEnd())
        return 0;
    return x.AtEnd() ? -1 : 1;
}

bool FoldEqual(std::string_view a, std::string_view b, const LeadByteTable* leadBytes)
{
    return a.size() == b.size() && FoldCompare(a, b, leadBytes) == 0;
}

std::uint32_t FoldHash(std::string_view text, const LeadByteTable* leadBytes)
{
    std::uint32_t hash = 2166136261u;  // FNV-1a
    FoldedBytes bytes(text, leadBytes);
    while (!bytes.AtEnd()) {
        hash ^= bytes.Next();
        hash *= 16777619u;
    }
    return hash;
}

std::string FoldCase(std::string_view text, const LeadByteTable* leadBytes)
{
    std::string key;
    key.reserve(text.size());
    FoldedBytes bytes(text, leadBytes);
    while (!bytes.AtEnd())
        key.push_back(static_cast<char>(bytes.Next()));
    return key;
}
