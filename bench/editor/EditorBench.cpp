// Measures the editor engine against plain reads of the same files:
//   EditorBench [--dir FOLDER] [--log-mib 1024] [--conf-mib 50] [--keys-mib 10]
//               [--keystrokes 3000] [--keep] [--log FILE] [--wc-ms MS] [--grep-ms MS]
//               [--grep-i-ms MS] [--runs 3] [--parts log,find,conf,keys]
//   EditorBench --make-log FILE [--log-mib 1024]
//   EditorBench --needle       (prints the text that only the log's last line holds)
// Under Wine: tools/wine-run.sh build/bench-bin/EditorBench.exe, or bench/editor/run.sh,
// which also times the real `wc -l` and `grep -F -c` (with and without -i) on the same log
// and passes them in with --wc-ms, --grep-ms and --grep-i-ms.
// It writes its test files into FOLDER (default: the system's temporary folder) and
// removes them afterwards unless --keep; a log given with --log is used as it is and kept.
// Every figure is printed beside its baseline and target; a wrong answer of the engine
// (a line count, a text) makes it exit with 1.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ConfLexer.h"
#include "EditBuffer.h"
#include "EditSession.h"
#include "FileIO.h"
#include "FileTextSource.h"
#include "KeywordTable.h"
#include "TextSearch.h"

using namespace tessaly::editor;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Options {
    std::filesystem::path dir = std::filesystem::temp_directory_path();
    long logMib = 1024;
    long confMib = 50;
    long keysMib = 10;
    int keystrokes = 3000;
    bool keep = false;
    std::string log;      // an existing log to use
    std::string makeLog;  // only write a log there
    double wcMs = 0;      // the real line counter's time on the same log, when known
    double grepMs = 0;    // the real fixed-string search's time for kNeedle, case-sensitive
    double grepIMs = 0;   // and for kNeedleOtherCase with -i
    int runs = 3;         // each timed figure and each baseline: the best of this many
    std::string parts = "log,find,conf,keys";

    bool Runs(const char* part) const
    {
        return ("," + parts + ",").find("," + std::string(part) + ",") != std::string::npos;
    }
};

// The generated log's last line, the only one that holds kNeedle (in any case).
const char* const kLastLine =
    "203.0.113.77 - - [10/Oct/2024:13:59:59 -0700] \"GET /Last-Request.html HTTP/1.1\" 200 512 \"-\" \"curl/7.88.1\"";
const char* const kNeedle = "Last-Request";
const char* const kNeedleOtherCase = "last-request";

bool failed = false;

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::printf("WRONG: %s\n", what);
        failed = true;
    }
}

unsigned Draw(std::mt19937& rng, unsigned below)
{
    return static_cast<unsigned>(rng() % below);
}

// Access-log lines in the combined format, then kLastLine without a line end.
void WriteLog(const std::string& path, long mib)
{
    static const char* const paths[] = {"/index.html",           "/images/logo.png", "/cgi-bin/search.pl?q=server",
                                        "/manual/mod/core.html", "/favicon.ico",     "/css/site.css"};
    static const char* const agents[] = {"Mozilla/5.0 (Windows NT 10.0; Win64; x64)", "curl/7.88.1",
                                         "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)"};
    std::mt19937 rng(1);
    std::ofstream out(path, std::ios::binary);
    std::string chunk;
    const long long lastLine = static_cast<long long>(std::strlen(kLastLine));
    const long long total = std::max(0LL, (static_cast<long long>(mib) << 20) - lastLine - 1);
    long long written = 0;
    char line[512];
    while (written < total) {
        chunk.clear();
        while (chunk.size() < (1u << 20)) {
            const int n =
                std::snprintf(line, sizeof(line),
                              "192.168.%u.%u - - [10/Oct/2024:13:%02u:%02u -0700] \"GET %s HTTP/1.1\" %u %u "
                              "\"http://example.com/\" \"%s\"\n",
                              Draw(rng, 256), Draw(rng, 256), Draw(rng, 60), Draw(rng, 60), paths[Draw(rng, 6)],
                              Draw(rng, 10) == 0 ? 404u : 200u, Draw(rng, 50000), agents[Draw(rng, 3)]);
            chunk.append(line, static_cast<std::size_t>(n));
        }
        const std::size_t take = static_cast<std::size_t>(std::min<long long>(total - written, chunk.size()));
        out.write(chunk.data(), static_cast<std::streamsize>(take));
        written += static_cast<long long>(take);
    }
    out << '\n' << kLastLine;
}

// A server configuration, its blocks repeated with CR LF line ends.
void WriteConf(const std::string& path, long mib)
{
    const std::string block = "# Virtual host for a project\r\n"
                              "<VirtualHost 127.0.0.1:8080>\r\n"
                              "\tServerAdmin webmaster@localhost\r\n"
                              "\tServerName project.local\r\n"
                              "\tDocumentRoot \"c:/projects/site/htdocs\"\r\n"
                              "\tErrorLog logs/project-error.log\r\n"
                              "\t<Directory 'c:/projects/site/htdocs'>\r\n"
                              "\t\tOptions Indexes FollowSymLinks ExecCGI\r\n"
                              "\t\tAllowOverride None\r\n"
                              "\t</Directory>\r\n"
                              "</VirtualHost>\r\n\r\n";
    std::ofstream out(path, std::ios::binary);
    const long long total = static_cast<long long>(mib) << 20;
    for (long long written = 0; written < total; written += static_cast<long long>(block.size()))
        out << block;
}

struct ReadPass {
    double ms;
    long long newlines;
};

// The baselines: one sequential pass in 64 KiB blocks; with count, the newlines are
// counted as a line counter would, with memchr.
ReadPass SequentialRead(const std::string& path, bool count)
{
    const auto start = Clock::now();
    SharedReadFile f;
    f.Open(path);
    std::vector<char> buf(64 * 1024);
    long long newlines = 0;
    Pos offset = 0;
    for (;;) {
        const Pos got = f.ReadNext(buf.data(), buf.size());
        if (got <= 0)
            break;
        if (count) {
            const char* p = buf.data();
            const char* end = p + got;
            while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) != nullptr) {
                ++newlines;
                ++p;
            }
        }
        offset += got;
    }
    return {Ms(Clock::now() - start), newlines};
}

void Figure(const char* name, double value, const char* unit, const char* target)
{
    std::printf("  %-46s %10.2f %-6s (target %s)\n", name, value, unit, target);
}

// One opening of the log: the first screen, the last screen while the index is being
// built, and the full index.
struct LogOpening {
    double firstScreenMs = 0;
    double lastScreenMs = 0;
    double indexMs = 0;
    bool indexDoneEarly = false;
    double indexBytesPerLine = 0;
    double otherMemoryMib = 0;
    double jumpMs = 0;
};

LogOpening OpenLogOnce(const std::string& path, const KeywordTable& keywords, long long newlines, bool lastRun)
{
    LogOpening r;
    const auto start = Clock::now();
    FileTextSource log;
    Check(log.Open(path), "the log opens");
    // The first screen: 60 lines, coloured as a view would ask (a log shows uncoloured,
    // but the cost of asking is what matters).
    std::vector<StyleRun> runs;
    log.WaitForLine(60, 10000);
    for (Pos line = 0; line < 60; ++line)
        LexConfLine(log.LineText(line), false, keywords, false, runs);
    r.firstScreenMs = Ms(Clock::now() - start);
    // The last screen, with the index still being built: read backwards from the end.
    const auto lastStart = Clock::now();
    Pos top = log.Length();
    for (int i = 0; i < 60 && top > 0; ++i)
        top = StartOfLineAt(log, top - 1);
    const std::string lastScreen = log.Text(top, log.Length() - top);
    r.lastScreenMs = Ms(Clock::now() - lastStart);
    r.indexDoneEarly = log.IsIndexComplete();
    log.WaitForIndex(nullptr);
    r.indexMs = Ms(Clock::now() - start);
    const Pos lines = log.LineCount();
    Check(lines == newlines + 1, "the index counts the log's lines");
    // The generated log ends inside a line, so the last screen holds 59 or 60 line ends.
    const auto lineEnds = std::count(lastScreen.begin(), lastScreen.end(), '\n');
    Check(lines < 61 || (lineEnds >= 59 && lineEnds <= 60 && (top == 0 || log.ByteAt(top - 1) == '\n')),
          "the last screen is the log's last 60 lines");
    if (!lastRun)
        return r;
    const std::size_t memory = log.MemoryBytes();
    const std::size_t indexBytes = log.IndexMemoryBytes();
    r.indexBytesPerLine = static_cast<double>(indexBytes) / static_cast<double>(lines);
    r.otherMemoryMib = static_cast<double>(memory - indexBytes) / (1 << 20);
    // Jumping to a line far down, as Go to line does once the index is there.
    const auto jumpStart = Clock::now();
    const std::string farLine = log.LineText(lines * 9 / 10);
    r.jumpMs = Ms(Clock::now() - jumpStart);
    Check(!farLine.empty(), "a line far down reads");
    return r;
}

void BenchLog(const Options& o, const std::string& path, const KeywordTable& keywords)
{
    std::printf("Read-only log: %.0f MiB of access log, best of %d runs of each figure and of its baselines\n",
                static_cast<double>(std::filesystem::file_size(path)) / (1 << 20), o.runs);
    SequentialRead(path, false);  // warm the cache, as a log being watched is
    // The baselines and the engine take turns, so that what else the machine does meanwhile
    // slows both alike; each figure is the best of its runs.
    ReadPass read{1e300, 0}, wc{1e300, 0};
    LogOpening best{1e300, 1e300, 1e300, false, 0, 0, 0};
    for (int run = 0; run < o.runs; ++run) {
        const ReadPass r = SequentialRead(path, false);
        const ReadPass w = SequentialRead(path, true);
        read.ms = std::min(read.ms, r.ms);
        if (w.ms < wc.ms)
            wc = w;
        const LogOpening opening = OpenLogOnce(path, keywords, w.newlines, run + 1 == o.runs);
        best.firstScreenMs = std::min(best.firstScreenMs, opening.firstScreenMs);
        if (opening.lastScreenMs < best.lastScreenMs) {
            best.lastScreenMs = opening.lastScreenMs;
            best.indexDoneEarly = opening.indexDoneEarly;
        }
        best.indexMs = std::min(best.indexMs, opening.indexMs);
        if (run + 1 == o.runs) {
            best.indexBytesPerLine = opening.indexBytesPerLine;
            best.otherMemoryMib = opening.otherMemoryMib;
            best.jumpMs = opening.jumpMs;
        }
    }
    std::printf("  baseline: read pass %.1f ms, newline count %.1f ms (%lld lines)", read.ms, wc.ms, wc.newlines);
    if (o.wcMs > 0)
        std::printf(", wc -l %.1f ms", o.wcMs);
    std::printf("\n");
    Figure("first screen shown", best.firstScreenMs, "ms", "<= 150 ms");
    Figure("last screen shown (index not needed)", best.lastScreenMs, "ms",
           best.indexDoneEarly ? "<= 150 ms; index was done" : "<= 150 ms");
    std::printf("  full line index: %.1f ms\n", best.indexMs);
    if (o.wcMs > 0)
        Figure("full line index / wc -l", best.indexMs / o.wcMs, "x", "<= 1.2 x");
    Figure("full line index / newline count in-process", best.indexMs / wc.ms, "x",
           o.wcMs > 0 ? "information" : "<= 1.2 x wc -l");
    Figure("full line index / read pass", best.indexMs / read.ms, "x", "information");
    Figure("index bytes per line", best.indexBytesPerLine, "B", "about 2, <= 8");
    Figure("engine memory besides the index", best.otherMemoryMib, "MiB", "<= 64 MiB");
    Figure("jump to line 90% down, indexed", best.jumpMs, "ms", "information");
}

// One search from `from` to the end, telling its progress as Find does; its time.
double FindOnce(const FileTextSource& log, Pos from, const FindOptions& options, Pos expected)
{
    int told = 0;
    const auto start = Clock::now();
    const Pos found = FindInText(log, from, log.Length(), options, [&](Pos, Pos) {
        ++told;
        return true;
    });
    const double ms = Ms(Clock::now() - start);
    Check(found == expected, "the search finds the text of the last line");
    Check(told > 0, "the search tells how far it got");
    return ms;
}

// Finding the text that only the last line holds, from the top of a log whose index is
// complete, as Find does once a log is open: case-sensitive and not; and Find Next from the
// middle, which reads only what lies after it.
void BenchFind(const Options& o, const std::string& path)
{
    FileTextSource log;
    Check(log.Open(path), "the log opens");
    log.WaitForIndex(nullptr);
    const std::string lastLine = kLastLine;
    if (log.Text(log.Length() - static_cast<Pos>(lastLine.size()), static_cast<Pos>(lastLine.size())) != lastLine) {
        std::printf("Find: skipped, the log does not end in the generated last line\n");
        return;
    }
    const Pos expected = log.Length() - static_cast<Pos>(lastLine.size()) + static_cast<Pos>(lastLine.find(kNeedle));
    FindOptions exact;
    exact.what = kNeedle;
    exact.matchCase = true;
    FindOptions anyCase;
    anyCase.what = kNeedleOtherCase;
    std::printf("Find \"%s\" (case-sensitive) and \"%s\" (any case), only in the last line, best of %d runs\n", kNeedle,
                kNeedleOtherCase, o.runs);
    double readMs = 1e300, exactMs = 1e300, anyCaseMs = 1e300, middleMs = 1e300;
    for (int run = 0; run < o.runs; ++run) {
        readMs = std::min(readMs, SequentialRead(path, false).ms);
        exactMs = std::min(exactMs, FindOnce(log, 0, exact, expected));
        anyCaseMs = std::min(anyCaseMs, FindOnce(log, 0, anyCase, expected));
        middleMs = std::min(middleMs, FindOnce(log, log.Length() / 2, exact, expected));
    }
    std::printf("  baseline: read pass %.1f ms", readMs);
    if (o.grepMs > 0)
        std::printf(", grep -F -c %.1f ms", o.grepMs);
    if (o.grepIMs > 0)
        std::printf(", grep -F -c -i %.1f ms", o.grepIMs);
    std::printf("\n  find case-sensitive: %.1f ms\n  find any case: %.1f ms\n", exactMs, anyCaseMs);
    if (o.grepMs > 0)
        Figure("find case-sensitive / grep -F -c", exactMs / o.grepMs, "x", "<= 1.5 x");
    if (o.grepIMs > 0)
        Figure("find any case / grep -F -c -i", anyCaseMs / o.grepIMs, "x", "<= 1.5 x");
    Figure("find case-sensitive / read pass", exactMs / readMs, "x", "information");
    Figure("find any case / read pass", anyCaseMs / readMs, "x", "information");
    Figure("find from the middle / from the top", middleMs / exactMs, "x", "about 0.5");
}

// What an opening cannot avoid besides reading: the first write to each page of memory
// as big as the text, fresh from the system (each page faults in once).
double FirstTouch(std::size_t bytes)
{
    const auto start = Clock::now();
    std::unique_ptr<char[]> memory(new char[bytes]);
    volatile char* p = memory.get();
    for (std::size_t i = 0; i < bytes; i += 4096)
        p[i] = 1;
    return Ms(Clock::now() - start);
}

void BenchConf(const Options& o)
{
    const std::string path = (o.dir / "bench-httpd.conf").string();
    std::printf("Editable configuration: %ld MiB, best of %d runs of the opening and of the read pass\n", o.confMib,
                o.runs);
    WriteConf(path, o.confMib);
    SequentialRead(path, false);
    double readMs = 1e300, openMs = 1e300, touchMs = 1e300, perByte = 0;
    for (int run = 0; run < o.runs; ++run) {
        readMs = std::min(readMs, SequentialRead(path, false).ms);
        touchMs = std::min(touchMs, FirstTouch(static_cast<std::size_t>(std::filesystem::file_size(path))));
        EditorSettings settings;
        EditBuffer buffer(settings);
        const auto start = Clock::now();
        Check(buffer.ReadFile(path) == 0, "the configuration opens");
        openMs = std::min(openMs, Ms(Clock::now() - start));
        const double size = static_cast<double>(buffer.Text().Length());
        Check(buffer.Text().Length() == static_cast<Pos>(std::filesystem::file_size(path)), "every byte is read");
        perByte = static_cast<double>(buffer.Doc().Text().MemoryBytes()) / size;
    }
    std::printf("  baseline: read pass %.1f ms; first touch of as much fresh memory %.1f ms; open %.1f ms\n", readMs,
                touchMs, openMs);
    Figure("open / read pass", openMs / readMs, "x", "<= 3 x");
    Figure("first touch of the text's memory / read pass", touchMs / readMs, "x", "information");
    Figure("memory per byte of text", perByte, "B", "<= 3");
    if (!o.keep)
        std::filesystem::remove(path);
}

void BenchKeystrokes(const Options& o, const KeywordTable& keywords)
{
    const std::string path = (o.dir / "bench-keys.conf").string();
    std::printf("Keystrokes in a %ld MiB configuration (edit, caret, colouring of a 60-line screen)\n", o.keysMib);
    WriteConf(path, o.keysMib);
    EditorSettings settings;
    EditBuffer buffer(settings);
    Check(buffer.ReadFile(path) == 0, "the configuration opens");
    EditSession view(buffer);
    EditSession other(buffer);  // a second view that follows every edit
    std::mt19937 rng(2);
    std::vector<double> times;
    std::vector<StyleRun> runs;
    Pos at = buffer.Text().Length() / 2;
    for (int i = 0; i < o.keystrokes; ++i) {
        // Mostly typing where the caret is; now and then a jump elsewhere, Enter or Backspace.
        if (i % 50 == 0)
            at = static_cast<Pos>(rng() % static_cast<unsigned>(buffer.Text().Length()));
        view.MoveTo(at, false);
        const auto start = Clock::now();
        const unsigned kind = rng() % 20;
        if (kind == 0)
            view.NewLine();
        else if (kind == 1)
            view.Backspace();
        else
            view.TypeChar(static_cast<char>('a' + rng() % 26));
        // What the repaint asks of the engine: the caret's line and column, the screen's lines coloured.
        const Pos line = buffer.Text().LineFromPosition(view.Caret());
        const Pos column = view.ColumnOf(view.Caret());
        const Pos top = std::max<Pos>(0, line - 30);
        for (Pos l = top; l < top + 60 && l < buffer.Text().LineCount(); ++l) {
            LexConfLine(buffer.Text().LineText(l), LineIsContinued(buffer.Text(), l), keywords, false, runs);
        }
        times.push_back(Ms(Clock::now() - start));
        at = view.Caret() + (column < 0 ? 1 : 0);
    }
    std::sort(times.begin(), times.end());
    Figure("keystroke p50", times[times.size() / 2], "ms", "information");
    Figure("keystroke p99", times[times.size() * 99 / 100], "ms", "<= 8 ms");
    Figure("keystroke max", times.back(), "ms", "information");
    const auto undoStart = Clock::now();
    while (view.Undo()) {
    }
    Figure("undo of every keystroke", Ms(Clock::now() - undoStart), "ms", "information");
    Check(!buffer.IsModified(), "undoing everything gives the file back");
    if (!o.keep)
        std::filesystem::remove(path);
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--dir" && hasValue)
            o.dir = argv[++i];
        else if (a == "--log-mib" && hasValue)
            o.logMib = std::atol(argv[++i]);
        else if (a == "--conf-mib" && hasValue)
            o.confMib = std::atol(argv[++i]);
        else if (a == "--keys-mib" && hasValue)
            o.keysMib = std::atol(argv[++i]);
        else if (a == "--keystrokes" && hasValue)
            o.keystrokes = std::atoi(argv[++i]);
        else if (a == "--keep")
            o.keep = true;
        else if (a == "--log" && hasValue)
            o.log = argv[++i];
        else if (a == "--make-log" && hasValue)
            o.makeLog = argv[++i];
        else if (a == "--wc-ms" && hasValue)
            o.wcMs = std::atof(argv[++i]);
        else if (a == "--grep-ms" && hasValue)
            o.grepMs = std::atof(argv[++i]);
        else if (a == "--grep-i-ms" && hasValue)
            o.grepIMs = std::atof(argv[++i]);
        else if (a == "--parts" && hasValue)
            o.parts = argv[++i];
        else if (a == "--needle") {
            std::printf("%s\n%s\n", kNeedle, kNeedleOtherCase);
            return 0;
        } else if (a == "--runs" && hasValue)
            o.runs = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr,
                         "usage: %s [--dir D] [--log-mib N] [--conf-mib N] [--keys-mib N] [--keystrokes N] [--keep]"
                         " [--log FILE] [--wc-ms MS] [--grep-ms MS] [--grep-i-ms MS] [--runs N] [--parts LIST]"
                         " | --make-log FILE [--log-mib N] | --needle\n",
                         argv[0]);
            return 2;
        }
    }
    if (!o.makeLog.empty()) {
        WriteLog(o.makeLog, o.logMib);
        return 0;
    }
    KeywordTable keywords;
    keywords.ReadScriptText(
        "directive\tServerName\t\ndirective\tDocumentRoot\t\ndirective\tVirtualHost\t\ndirective\tDirectory\t\n"
        "directive\tOptions\t\ndirective\tErrorLog\t\ndirective\tServerAdmin\t\ndirective\tAllowOverride\t\n"
        "constant\tNone\nconstant\tIndexes\nconstant\tFollowSymLinks\nconstant\tExecCGI\n");
    if (o.Runs("log") || o.Runs("find")) {
        const bool given = !o.log.empty();
        const std::string path = given ? o.log : (o.dir / "bench-access.log").string();
        if (!given)
            WriteLog(path, o.logMib);
        if (o.Runs("log"))
            BenchLog(o, path, keywords);
        if (o.Runs("find"))
            BenchFind(o, path);
        if (!o.keep && !given)
            std::filesystem::remove(path);
    }
    if (o.Runs("conf"))
        BenchConf(o);
    if (o.Runs("keys"))
        BenchKeystrokes(o, keywords);
    std::printf(failed ? "EditorBench: WRONG ANSWERS\n" : "EditorBench: answers right\n");
    return failed ? 1 : 0;
}
