// Scrivel's checks of a big configuration, off the window's thread, run as Scrivel runs them:
// the checks' thread is handed the 400,000-line configuration of ScrivelBench as the main file
// the server reads, and a full check is timed until its problems are ready (the configuration
// read for what it loads and defines, every line checked), beside the colouring pass of the
// editor over the same lines in the same run; then keystrokes typed into a directive in its
// middle, each handed over as a changed line and timed until the problems are ready again.
//   CheckerBench [--lines 400000] [--mib 20] [--keystrokes 1000] [--runs 3]
// Under Wine from build/bench-bin (tools/wine-run.sh build/bench-bin/CheckerBench.exe).
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
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
#include "CheckWorker.h"
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

// The checks' thread with one document, waited for as the window waits for its answers.
class TimedChecks {
public:
    explicit TimedChecks(const check::DirectiveIndex& index)
        : m_worker(index, [this](int) {
              std::lock_guard<std::mutex> hold(m_lock);
              m_told.notify_all();
          })
    {
        m_worker.SetStart({"C:/bench", kPath, {}});
    }

    // A new document of the text; its problems once found.
    std::size_t Open(const std::string& text)
    {
        if (m_document > 0)
            m_worker.Close(m_document);
        ++m_document;
        m_edits = 1;
        m_worker.Open(m_document, kPath, text);
        return Answer();
    }
    std::size_t Change(int line, const std::string& text)
    {
        ++m_edits;
        m_worker.Change(m_document, line, 1, {text});
        return Answer();
    }

private:
    static constexpr char kPath[] = "C:/bench/conf/httpd.conf";

    std::size_t Answer()
    {
        check::ProblemList problems;
        unsigned edits = 0;
        std::unique_lock<std::mutex> hold(m_lock);
        m_told.wait(hold, [&] { return m_worker.Take(m_document, problems, edits) && edits == m_edits; });
        return problems->size();
    }

    std::mutex m_lock;
    std::condition_variable m_told;
    check::CheckWorker m_worker;  // last: its thread goes first
    int m_document = 0;
    unsigned m_edits = 0;
};

// The lines of a text without their line ends.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.empty() || line.back() != '\r' ? line : line.substr(0, line.size() - 1));
    return lines;
}

}  // namespace

int main(int argc, char** argv)
{
    long lineCount = 400000, mib = 20;
    int keystrokes = 1000, runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const long value = std::atol(argv[i + 1]);
        if (!std::strcmp(argv[i], "--lines"))
            lineCount = std::max(10L, value);
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
    const std::string text = benchconf::MakeConf(lineCount, static_cast<std::size_t>(mib) << 20);

    std::vector<double> full, colour;
    std::size_t problems = 0, styleRuns = 0;
    TimedChecks checks(index);
    for (int r = 0; r < runs; ++r) {
        colour.push_back(ColourAll(text, keywords, styleRuns));
        const auto start = Clock::now();
        problems = checks.Open(text);
        full.push_back(Ms(Clock::now() - start));
    }

    // Keystrokes in a directive's argument halfway down, then the same number taken back.
    const std::vector<std::string> lines = Lines(text);
    std::size_t line = lines.size() / 2;
    while (line + 1 < lines.size() && lines[line].rfind("LogLevel", 0) != 0)
        ++line;
    std::vector<double> keys;
    std::string typed = lines[line];
    for (int k = 0; k < keystrokes; ++k) {
        if (k % 20 < 10)
            typed.push_back('x');
        else
            typed.pop_back();
        const auto start = Clock::now();
        problems = std::max(problems, checks.Change(static_cast<int>(line), typed));
        keys.push_back(Ms(Clock::now() - start));
    }

    std::printf("Checks of a %ld-line configuration (%.1f MiB), %d runs, on the checks' thread:\n", lineCount,
                static_cast<double>(text.size()) / (1 << 20), runs);
    std::printf("  full check:        median %8.2f ms  (target %.0f ms: %s)\n", Median(full), kFullTargetMs,
                Median(full) <= kFullTargetMs ? "met" : "NOT met");
    std::printf("  colouring pass:    median %8.2f ms  (baseline, same text, same run; %zu runs coloured)\n",
                Median(colour), styleRuns);
    std::printf("  ratio check/colouring: %.2f\n", Median(colour) > 0 ? Median(full) / Median(colour) : 0.0);
    std::printf(
        "  keystroke, line handed over until the problems are ready: median %7.3f ms  p99 %.3f ms over %d keys\n"
        "  (budget of a keystroke %.0f ms: %s)\n",
        Median(keys), Percentile99(keys), keystrokes, kKeystrokeTargetMs,
        Percentile99(keys) <= kKeystrokeTargetMs ? "within" : "NOT within");
    std::printf("  problems found: %zu\n", problems);
    return 0;
}
