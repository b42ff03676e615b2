// Scrivel's checks of a big configuration, off the window's thread: a full check of the
// 400,000-line configuration of ScrivelBench (the text read into the checker and every line
// checked), beside the colouring pass of the editor over the same lines in the same run; then
// keystrokes typed into a directive in its middle, each re-checked as Scrivel re-checks it
// (the changed line handed over and the problems read back), beside a full check.
//   CheckerBench [--lines 400000] [--mib 20] [--keystrokes 1000] [--runs 3]
// Under Wine from build/bench-bin (tools/wine-run.sh build/bench-bin/CheckerBench.exe).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchConf.h"
#include "BenchFigures.h"
#include "ConfLexer.h"
#include "DirectiveCatalogue.h"
#include "FileChecker.h"
#include "KeywordTable.h"

using Clock = std::chrono::steady_clock;
using namespace benchfigures;

namespace {

constexpr double kFullTargetMs = 250.0;
constexpr double kKeystrokeTargetMs = 2.0;

// The colouring pass: every line split off the text and coloured, as painting does.
double ColourAll(const std::string& text, const tessaly::editor::KeywordTable& keywords, std::size_t& runs)
{
    const auto start = Clock::now();
    std::vector<tessaly::editor::StyleRun> out;
    bool continued = false;
    runs = 0;
    for (std::size_t pos = 0; pos <= text.size();) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.clear();
        tessaly::editor::LexConfLine(line, continued, keywords, false, out);
        runs += out.size();
        continued = !line.empty() && line.back() == '\\';
        pos = end + 1;
    }
    return Ms(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv)
{
    long lines = 400000, mib = 20;
    int keystrokes = 1000, runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const long value = std::atol(argv[i + 1]);
        if (!std::strcmp(argv[i], "--lines"))
            lines = std::max(10L, value);
        else if (!std::strcmp(argv[i], "--mib"))
            mib = std::max(1L, value);
        else if (!std::strcmp(argv[i], "--keystrokes"))
            keystrokes = static_cast<int>(std::max(1L, value));
        else if (!std::strcmp(argv[i], "--runs"))
            runs = static_cast<int>(std::max(1L, value));
    }
    directives::Catalogue catalogue;
    tessaly::editor::KeywordTable keywords;
    if (!catalogue.ReadText(ReadAll(directives::kCatalogueName)) ||
        !keywords.ReadScriptFile(tessaly::editor::kKeywordScriptName)) {
        std::printf("CheckerBench: WRONG: run it from beside %s and %s\n", directives::kCatalogueName,
                    tessaly::editor::kKeywordScriptName);
        return 1;
    }
    const check::DirectiveIndex index(catalogue);
    const std::string text = benchconf::MakeConf(lines, static_cast<std::size_t>(mib) << 20);

    std::vector<double> full, colour;
    std::size_t problems = 0, styleRuns = 0;
    check::FileChecker checker(index);
    for (int r = 0; r < runs; ++r) {
        colour.push_back(ColourAll(text, keywords, styleRuns));
        const auto start = Clock::now();
        checker.SetText(text);
        problems = checker.Problems().size();
        full.push_back(Ms(Clock::now() - start));
    }

    // Keystrokes in a directive's argument halfway down, then the same number taken back.
    int line = checker.LineCount() / 2;
    while (line < checker.LineCount() - 1 && checker.Line(line).rfind("LogLevel", 0) != 0)
        ++line;
    std::vector<double> keys;
    std::string typed = checker.Line(line);
    for (int k = 0; k < keystrokes; ++k) {
        if (k % 20 < 10)
            typed.insert(typed.size() - (typed.back() == '\r' ? 1 : 0), 1, 'x');
        else
            typed.erase(typed.size() - (typed.back() == '\r' ? 2 : 1), 1);
        const auto start = Clock::now();
        checker.ReplaceLines(line, 1, {typed});
        problems = std::max(problems, checker.Problems().size());
        keys.push_back(Ms(Clock::now() - start));
    }

    std::printf("Checks of a %ld-line configuration (%.1f MiB), %d runs, one thread:\n", lines,
                static_cast<double>(text.size()) / (1 << 20), runs);
    std::printf("  full check:        median %8.2f ms  (target %.0f ms: %s)\n", Median(full), kFullTargetMs,
                Median(full) <= kFullTargetMs ? "met" : "NOT met");
    std::printf("  colouring pass:    median %8.2f ms  (baseline, same text, same run; %zu runs coloured)\n",
                Median(colour), styleRuns);
    std::printf("  ratio check/colouring: %.2f\n", Median(colour) > 0 ? Median(full) / Median(colour) : 0.0);
    std::printf(
        "  keystroke re-check: median %7.3f ms  p99 %.3f ms over %d keys  (budget of a keystroke %.0f ms: %s)\n",
        Median(keys), Percentile99(keys), keystrokes, kKeystrokeTargetMs,
        Percentile99(keys) <= kKeystrokeTargetMs ? "within" : "NOT within");
    std::printf("  problems found: %zu\n", problems);
    return 0;
}
