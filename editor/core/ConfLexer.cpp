#include "ConfLexer.h"

#include "CharClass.h"

namespace tessaly::editor {

namespace {

// Collects runs, joining neighbours of one style.
class RunSink {
public:
    explicit RunSink(std::vector<StyleRun>& out) : m_out(out) { m_out.clear(); }
    void Add(std::size_t start, std::size_t length, Style style)
    {
        if (length == 0)
            return;
        if (!m_out.empty() && m_out.back().style == style &&
            static_cast<std::size_t>(m_out.back().start + m_out.back().length) == start) {
            m_out.back().length += static_cast<std::int32_t>(length);
        } else {
            m_out.push_back({static_cast<std::int32_t>(start), static_cast<std::int32_t>(length), style});
        }
    }

private:
    std::vector<StyleRun>& m_out;
};

bool IsNumber(std::string_view token)
{
    if (token.empty() || token[0] < '0' || token[0] > '9')
        return false;
    for (const char c : token) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == ':'))
            return false;
    }
    return true;
}

bool EndsToken(char c)
{
    return IsBlank(c) || c == '"' || c == '\'' || c == '<' || c == '>';
}

std::size_t SkipQuoted(std::string_view line, std::size_t i)
{
    const char quote = line[i++];
    while (i < line.size()) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            i += 2;
            continue;
        }
        if (line[i++] == quote)
            break;
    }
    return i;
}

}  // namespace

void LexConfLine(std::string_view line, bool continued, const KeywordLookup& keywords, bool caseSensitive,
                 std::vector<StyleRun>& out)
{
    RunSink runs(out);
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    runs.Add(0, i, Style::Text);
    if (i == line.size())
        return;

    if (!continued) {
        if (line[i] == '#') {
            runs.Add(i, line.size() - i, Style::Comment);
            return;
        }
        // The directive: the first word, or the name in a section tag <Name ...> or </Name>.
        std::size_t nameStart = i;
        if (line[i] == '<') {
            nameStart = i + 1 < line.size() && line[i + 1] == '/' ? i + 2 : i + 1;
            runs.Add(i, nameStart - i, Style::Text);
        }
        std::size_t nameEnd = nameStart;
        while (nameEnd < line.size() && !IsBlank(line[nameEnd]) && line[nameEnd] != '>')
            ++nameEnd;
        const std::string_view name = line.substr(nameStart, nameEnd - nameStart);
        runs.Add(nameStart, nameEnd - nameStart,
                 keywords.IsDirective(name, caseSensitive) ? Style::Keyword : Style::Text);
        i = nameEnd;
    }

    // The arguments: quoted text, numbers, constants and plain words.
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c) || c == '<' || c == '>') {
            runs.Add(i, 1, Style::Text);
            ++i;
        } else if (c == '"' || c == '\'') {
            const std::size_t end = SkipQuoted(line, i);
            runs.Add(i, end - i, c == '"' ? Style::Quote : Style::SingleQuote);
            i = end;
        } else {
            std::size_t end = i;
            while (end < line.size() && !EndsToken(line[end]))
                ++end;
            const std::string_view token = line.substr(i, end - i);
            // Options take a + or - before the name: +FollowSymLinks is the constant FollowSymLinks.
            const std::string_view bare =
                (token.size() > 1 && (token[0] == '+' || token[0] == '-')) ? token.substr(1) : token;
            Style style = Style::Text;
            if (IsNumber(token))
                style = Style::Number;
            else if (keywords.IsConstant(bare, caseSensitive))
                style = Style::Constant;
            runs.Add(i, end - i, style);
            i = end;
        }
    }
}

bool LineIsContinued(const TextSource& text, Pos line)
{
    if (line <= 0)
        return false;
    const Pos end = text.LineEnd(line - 1);
    return end > text.LineStart(line - 1) && text.ByteAt(end - 1) == '\\';
}

}  // namespace tessaly::editor
