#include "DirectiveCatalogue.h"

#include <algorithm>

#include "DataLines.h"

namespace directives {

namespace {

constexpr std::string_view kFormatLine = "#format 1";
constexpr int kFields = 7;

bool ContextsOf(std::string_view letters, unsigned& contexts)
{
    static constexpr std::string_view kLetters = "svdhp";
    contexts = 0;
    for (char c : letters) {
        const std::size_t bit = kLetters.find(c);
        if (bit == std::string_view::npos)
            return false;
        contexts |= 1u << bit;
    }
    return contexts != 0;
}

std::string_view Dash(std::string_view field)
{
    return field == "-" ? std::string_view() : field;
}

// One directive line; false when it is damaged.
bool ParseLine(std::string_view line, Directive& d)
{
    std::string_view fields[kFields];
    for (int i = 0; i < kFields; ++i) {
        const std::size_t tab = line.find('\t');
        if ((tab == std::string_view::npos) != (i == kFields - 1))
            return false;
        fields[i] = line.substr(0, tab);
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    std::string_view name = fields[0];
    if (name.size() > 2 && name.front() == '<' && name.back() == '>') {
        d.section = true;
        name = name.substr(1, name.size() - 2);
    }
    if (name.empty() || fields[1].empty() || fields[4].empty() || fields[5].empty() ||
        !ContextsOf(fields[2], d.contexts))
        return false;
    d.name = name;
    d.modules = fields[1];
    d.overrides = Dash(fields[3]);
    d.status = fields[4];
    d.syntax = fields[5];
    d.defaultValue = Dash(fields[6]);
    return true;
}

}  // namespace

std::string Folded(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string Directive::SyntaxLine() const
{
    std::string modulesShown = modules;
    for (std::size_t at = modulesShown.find(','); at != std::string::npos; at = modulesShown.find(',', at + 2))
        modulesShown.insert(at + 1, " ");
    return syntax + "  (" + modulesShown + ")";
}

bool Catalogue::ReadText(std::string_view text)
{
    std::vector<Directive> all;
    bool formatSeen = false;
    DataLines lines(text);
    for (std::string_view line; lines.Next(line);) {
        if (line == kFormatLine) {
            formatSeen = true;
            continue;
        }
        if (DataLines::IsBlankOrComment(line))
            continue;
        Directive d;
        if (!formatSeen || !ParseLine(line, d))
            return false;
        all.push_back(std::move(d));
    }
    if (all.empty())
        return false;
    std::stable_sort(all.begin(), all.end(),
                     [](const Directive& a, const Directive& b) { return Folded(a.name) < Folded(b.name); });
    std::unordered_map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < all.size(); ++i)
        byName.emplace(Folded(all[i].name), i);
    m_all = std::move(all);
    m_byName = std::move(byName);
    return true;
}

const Directive* Catalogue::Find(std::string_view name) const
{
    const auto found = m_byName.find(Folded(name));
    return found == m_byName.end() ? nullptr : &m_all[found->second];
}

}  // namespace directives
