#pragma once
// What the filter tests compare against: a filter as plain as it can be written, and a text
// whose index knows only its first lines until told more, and which can grow at its end.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "BlockSearch.h"
#include "LineFilter.h"
#include "TextBuffer.h"

namespace tessaly::editor::test {

// The lines a filter shows, one line and one text after the other (LF, CR LF and a lone CR
// end a line).
inline std::vector<Pos> PlainFilter(const std::string& s, const LineFilterOptions& o)
{
    const auto fold = [&](std::string t) {
        for (char& c : t)
            c = !o.matchCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        return t;
    };
    const std::vector<std::string> texts = SplitFilterTexts(o.text);
    std::vector<bool> passes;
    std::string line;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i < s.size() && s[i] != '\n' && s[i] != '\r') {
            line += s[i];
            continue;
        }
        bool holds = false;
        for (const std::string& t : texts)
            holds = holds || fold(line).find(fold(t)) != std::string::npos;
        passes.push_back(texts.empty() || holds != o.exclude);
        line.clear();
        i += i + 1 < s.size() && s[i] == '\r' && s[i + 1] == '\n';
    }
    const Pos c = std::clamp(o.context, 0, kMaxFilterContext), n = static_cast<Pos>(passes.size());
    std::vector<Pos> shown;
    for (Pos i = 0; i < n; ++i) {
        if (std::count(passes.begin() + std::max<Pos>(0, i - c), passes.begin() + std::min(n, i + c + 1), true))
            shown.push_back(i);
    }
    return shown;
}

// Lines of words that hold the texts in either case, next to near misses, with every kind
// of line end, empty lines, NUL bytes, bytes that are not UTF-8 and a line longer than a block.
inline std::string GeneratedLog(std::mt19937& rng, int lines)
{
    static const std::string words[] = {"err", "ERR", "er", "r ", "warn", "Warn", "a|b", {"\0x", 2}, "\xff\xfe", "x"};
    static const char* const ends[] = {"\n", "\r\n", "\r", "\n\n"};
    std::string s;
    for (int i = 0; i < lines; ++i) {
        for (unsigned n = rng() % 4; n > 0; --n)
            s += words[rng() % 10];
        s += ends[rng() % 4];
    }
    return s;
}

// A text in memory whose index knows only its first `known` lines (all complete, with their
// line ends) until Know() tells it more, as a log's index does while it is being built.
class GrowingText : public TextSource {
public:
    explicit GrowingText(const std::string& s, Pos known = 1 << 30) : m_known(known) { m_text.SetText(s); }

    Pos Length() const override { return m_text.Length(); }
    bool IsIndexComplete() const override { return m_known >= m_text.LineCount(); }
    Pos LineCount() const override { return IsIndexComplete() ? m_text.LineCount() : m_known; }
    Pos LineStart(Pos line) const override { return m_text.LineStart(std::min(line, LineCount())); }
    Pos LineFromPosition(Pos pos) const override
    {
        return std::min(m_text.LineFromPosition(pos), std::max<Pos>(0, LineCount() - 1));
    }
    void GetBytes(Pos pos, Pos n, char* out) const override { m_text.GetBytes(pos, n, out); }

    void Know(Pos lines) { m_known = lines; }
    void Append(const std::string& s) { m_text.Insert(m_text.Length(), s); }
    // With a reader for another thread, a filter of it runs on a thread of its own (the text
    // must not change meanwhile).
    void OfferReader() { m_offerReader = true; }
    std::unique_ptr<TextReader> NewReader() const override
    {
        return m_offerReader ? std::make_unique<SourceReader>(*this) : nullptr;
    }

private:
    TextBuffer m_text;
    Pos m_known;
    bool m_offerReader = false;
};

inline std::vector<Pos> Rows(const ShownLines& shown)
{
    std::vector<Pos> lines;
    for (Pos row = 0; row < shown.Count(); ++row)
        lines.push_back(shown.Line(row));
    return lines;
}

// Runs the filter to its end in pieces of `piece` bytes (letting the index know a line more
// whenever it waits for one); the lines shown. Until the end, what is shown after each piece
// must begin the lines `expected` (a filter stopped keeps what it showed); prefixOk says so.
inline std::vector<Pos> FilterInPieces(LineFilter& filter, GrowingText& text, Pos piece, ShownLines& shown,
                                       const std::vector<Pos>& expected, bool& prefixOk)
{
    SourceReader reader(text);
    for (LineFilter::Progress p; (p = filter.Run(text, reader, piece, shown)) != LineFilter::Progress::Done;) {
        const std::vector<Pos> rows = Rows(shown);
        prefixOk = prefixOk && rows.size() <= expected.size() && std::equal(rows.begin(), rows.end(), expected.begin());
        if (p == LineFilter::Progress::Waiting)
            text.Know(text.LineCount() + 1);
    }
    return Rows(shown);
}

}  // namespace tessaly::editor::test
