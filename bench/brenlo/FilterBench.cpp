// Measures the log filter on a large access log in which one line in a hundred holds the text:
//   FilterBench --make-log FILE [--log-mib 1024]
//   FilterBench --log FILE --grep-ms MS --grep-count N --grep-i-ms MS --grep-i-count N [--runs 3]
//   FilterBench --needle   (prints the text, then the same in another case)
//   FilterBench [--log-mib 8]   (a log of its own in the temporary folder, counted plainly)
// bench/brenlo/filter-run.sh writes the log into a temporary folder, times `grep -F -c` and
// `grep -F -c -i` on it (cached) and runs this natively or under Wine. The filter runs as the
// view runs it: its thread over the log's complete index, in pieces that start small so that
// the first lines are shown at once, what it found shown every 20 ms. Every figure
// is printed beside its target; a count that differs from grep's makes it exit with 1.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "BenchFigures.h"
#include "FileTextSource.h"
#include "FilterJob.h"

using namespace tessaly::editor;
using Clock = std::chrono::steady_clock;
using benchfigures::Ms;

namespace {

const char* const kText = "Widget-Report";
const char* const kTextOtherCase = "widget-REPORT";

void Figure(const char* name, double value, const char* unit, const char* target)
{
    std::printf("  %-52s %10.2f %-4s (target %s)\n", name, value, unit, target);
}

// Combined-format lines; one in a hundred asks for the report that holds kText.
void WriteLog(const std::string& path, long mib)
{
    static const char* const paths[] = {"/index.html",           "/img/logo.png", "/search?q=widget",
                                        "/manual/mod/core.html", "/favicon.ico",  "/css/site.css"};
    static const char* const agents[] = {"Mozilla/5.0 (Windows NT 10.0; Win64; x64) Gecko/20100101 Firefox/118.0",
                                         "curl/8.4.0", "Mozilla/5.0 (compatible; bingbot/2.0)"};
    std::mt19937 rng(1);
    std::ofstream out(path, std::ios::binary);
    const long long total = static_cast<long long>(mib) << 20;
    std::string chunk;
    char line[512];
    for (long long written = 0; written < total;) {
        chunk.clear();
        while (chunk.size() < (1u << 20)) {
            const bool report = rng() % 100 == 0;
            const int n = std::snprintf(
                line, sizeof(line),
                "192.168.%u.%u - - [10/Oct/2024:13:%02u:%02u -0700] \"GET %s HTTP/1.1\" %u %u \"-\" \"%s\"\r\n",
                static_cast<unsigned>(rng() % 256), static_cast<unsigned>(rng() % 256),
                static_cast<unsigned>(rng() % 60), static_cast<unsigned>(rng() % 60),
                report ? "/reports/Widget-Report.pdf" : paths[rng() % 6], rng() % 10 == 0 ? 404u : 200u,
                static_cast<unsigned>(rng() % 50000), agents[rng() % 3]);
            chunk.append(line, static_cast<std::size_t>(n));
        }
        // Whole lines only, so that no line holds a piece of the text.
        out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        written += static_cast<long long>(chunk.size());
    }
}

// Lines holding the text, read with the standard library: the counts grep would give.
void CountPlainly(const std::string& path, long long& exact, long long& anyCase)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    exact = anyCase = 0;
    while (std::getline(in, line)) {
        exact += line.find(kText) != std::string::npos;
        std::transform(line.begin(), line.end(), line.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
        anyCase += line.find("widget-report") != std::string::npos;
    }
}

struct Filtered {
    double ms = 0;
    double firstLineMs = 0;
    Pos count = 0;
    double bytesPerLine = 0;
};

// One filtering of the whole log, as the view's worker does it.
Filtered FilterOnce(const FileTextSource& log, const LineFilterOptions& options)
{
    Filtered r;
    const auto start = Clock::now();
    FilterJob job(log, options);
    job.Start();
    // Shown as the view shows them: a first look soon, then every 20 ms.
    for (unsigned waitMs = 5;; waitMs = 20) {
        const bool ended = job.WaitFor(waitMs);
        job.Shown().Publish();
        if (r.firstLineMs == 0 && job.Shown().Rows() > 0)
            r.firstLineMs = Ms(Clock::now() - start);
        if (ended)
            break;
    }
    r.ms = Ms(Clock::now() - start);
    r.count = job.Shown().Rows();
    r.bytesPerLine = r.count ? static_cast<double>(job.MemoryBytes()) / static_cast<double>(r.count) : 0;
    return r;
}

Filtered Best(const FileTextSource& log, const LineFilterOptions& options, int runs)
{
    Filtered best;
    best.ms = 1e300;
    for (int run = 0; run < runs; ++run) {
        const Filtered r = FilterOnce(log, options);
        if (r.ms < best.ms)
            best = r;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string log, makeLog;
    long mib = 1024;
    int runs = 3;
    double grepMs = 0, grepIMs = 0;
    long long grepCount = -1, grepICount = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--make-log" && hasValue)
            makeLog = argv[++i];
        else if (a == "--log-mib" && hasValue)
            mib = std::atol(argv[++i]);
        else if (a == "--log" && hasValue)
            log = argv[++i];
        else if (a == "--runs" && hasValue)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--grep-ms" && hasValue)
            grepMs = std::atof(argv[++i]);
        else if (a == "--grep-i-ms" && hasValue)
            grepIMs = std::atof(argv[++i]);
        else if (a == "--grep-count" && hasValue)
            grepCount = std::atoll(argv[++i]);
        else if (a == "--grep-i-count" && hasValue)
            grepICount = std::atoll(argv[++i]);
        else if (a == "--needle") {
            std::printf("%s\n%s\n", kText, kTextOtherCase);
            return 0;
        } else {
            std::fprintf(stderr,
                         "usage: %s --make-log FILE [--log-mib N] | --log FILE [--grep-ms MS --grep-count N]"
                         " [--grep-i-ms MS --grep-i-count N] [--runs N] | --needle\n",
                         argv[0]);
            return 2;
        }
    }
    if (!makeLog.empty()) {
        WriteLog(makeLog, mib);
        return 0;
    }
    const bool own = log.empty();
    if (own) {
        log = (std::filesystem::temp_directory_path() / "filter-bench.log").string();
        WriteLog(log, mib);
        CountPlainly(log, grepCount, grepICount);
    }
    FileTextSource source;
    if (!source.Open(log)) {
        std::fprintf(stderr, "FilterBench: cannot read the log \"%s\"\n", log.c_str());
        return 2;
    }
    source.WaitForIndex(nullptr);
    const Pos lines = source.LineCount();
    std::printf("Filter %.0f MiB of access log (%lld lines) for \"%s\", best of %d runs\n",
                static_cast<double>(source.Length()) / (1 << 20), static_cast<long long>(lines), kText, runs);
    bool wrong = false;
    const auto check = [&](const char* what, Pos count, long long expected) {
        if (expected >= 0 && count != expected) {
            std::printf("WRONG: %s shows %lld lines, grep counts %lld\n", what, static_cast<long long>(count),
                        expected);
            wrong = true;
        }
    };
    const Filtered exact = Best(source, {kText, true, false, 0}, runs);
    const Filtered anyCase = Best(source, {kTextOtherCase, false, false, 0}, runs);
    const Filtered two = Best(source, {std::string(kText) + "|Gadget-Stock", true, false, 0}, runs);
    const Filtered context = Best(source, {kText, true, false, 2}, 1);
    const Filtered hidden = Best(source, {kText, true, true, 0}, 1);
    const Filtered everyLine = Best(source, {"HTTP/1.1", true, false, 0}, 1);
    check("the filter", exact.count, grepCount);
    check("the filter in any case", anyCase.count, grepICount);
    check("the filter for two texts", two.count, grepCount);
    check("the filter hiding the text", hidden.count, grepCount < 0 ? -1 : lines - grepCount);
    check("the filter for a text in every line", everyLine.count, lines - 1);  // all but the empty last
    std::printf("  filter case-sensitive: %.1f ms (%lld lines)", exact.ms, static_cast<long long>(exact.count));
    if (grepMs > 0)
        std::printf("; grep -F -c %.1f ms", grepMs);
    std::printf("\n  filter any case: %.1f ms", anyCase.ms);
    if (grepIMs > 0)
        std::printf("; grep -F -c -i %.1f ms", grepIMs);
    std::printf("\n");
    if (grepMs > 0)
        Figure("filter case-sensitive / grep -F -c", exact.ms / grepMs, "x", "<= 1.0 x");
    if (grepIMs > 0)
        Figure("filter any case / grep -F -c -i", anyCase.ms / grepIMs, "x", "<= 1.5 x");
    if (grepMs > 0)
        Figure("filter for two texts / grep -F -c", two.ms / grepMs, "x", "information");
    Figure("first shown line after the start", exact.firstLineMs, "ms", "<= 100 ms to paint");
    Figure("memory per shown line, 1% of lines shown", exact.bytesPerLine, "B", "<= 8 B");
    Figure("memory per shown line, context 2", context.bytesPerLine, "B", "<= 8 B");
    Figure("memory per shown line, 99% shown (hidden text)", hidden.bytesPerLine, "B", "<= 8 B");
    Figure("filter hiding the text / showing it", hidden.ms / exact.ms, "x", "information");
    Figure("filter for a text in every line / in 1% of lines", everyLine.ms / exact.ms, "x", "information");
    std::printf(wrong ? "FilterBench: WRONG ANSWERS\n" : "FilterBench: answers right\n");
    source.Close();
    if (own)
        std::filesystem::remove(log);
    return wrong ? 1 : 0;
}
