// Any configuration text and any edits of it: the checker never crashes, every problem lies
// on a line of the text, and after each edit it finds what a check of the whole new text
// finds. The input is the text, a NUL, then three bytes an edit (where, lines removed, lines
// added from the text's own lines).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FileChecker.h"

namespace {

const check::DirectiveIndex& Directives()
{
    static const directives::Catalogue catalogue = [] {
        std::ifstream in(TESSALY_DIRECTIVES_FILE, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        directives::Catalogue c;
        if (!c.ReadText(text.str()))
            std::abort();
        return c;
    }();
    static const check::DirectiveIndex index(catalogue);
    return index;
}

std::vector<check::Problem> Whole(const std::vector<std::string>& lines, const check::FileSetting& setting)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n" : "") + lines[i];
    check::FileChecker checker(Directives());
    checker.SetSetting(setting);
    checker.SetText(text);
    return checker.Problems();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view text = input.substr(0, nul);
    std::vector<std::string> lines;
    std::size_t pos = 0;
    for (std::size_t end; (end = text.find('\n', pos)) != std::string_view::npos; pos = end + 1)
        lines.emplace_back(text.substr(pos, end - pos));
    lines.emplace_back(text.substr(pos));
    const std::vector<std::string> pool = lines;

    check::FileSetting setting;
    setting.htaccess = size % 2 == 1;
    check::FileChecker checker(Directives());
    checker.SetSetting(setting);
    checker.SetText(text);
    std::string_view edits = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
    for (; edits.size() >= 3; edits.remove_prefix(3)) {
        const int first = static_cast<unsigned char>(edits[0]) % static_cast<int>(lines.size() + 1);
        const int removed = std::min(static_cast<unsigned char>(edits[1]) % 4, static_cast<int>(lines.size()) - first);
        std::vector<std::string> added;
        for (int i = 0; i < static_cast<unsigned char>(edits[2]) % 4; ++i)
            added.push_back(pool[(static_cast<std::size_t>(edits[2]) + static_cast<std::size_t>(i)) % pool.size()]);
        lines.erase(lines.begin() + first, lines.begin() + first + removed);
        lines.insert(lines.begin() + first, added.begin(), added.end());
        if (lines.empty())
            lines.emplace_back();
        checker.ReplaceLines(first, removed, added);
    }
    const std::vector<check::Problem> problems = checker.Problems();
    for (const check::Problem& p : problems) {
        if (p.line < 0 || p.line >= checker.LineCount() || p.start < 0 || p.start > p.end ||
            p.end > static_cast<int>(checker.Line(p.line).size()) || p.message.empty())
            std::abort();
    }
    if (problems != Whole(lines, setting))
        std::abort();
    return 0;
}
