// Measures the log tree's fill against the plain sibling-by-sibling fill on the same lists:
//   LogTreeBench [--repeat 5] [--disk]
// Lists of 1,000, 10,000 and 30,000 logs in groups of 100 (300 groups for 30,000), and of
// 30,000 logs in groups of 3,000, with and without sizes. File facts come from memory, so the figures are the tree's
// own cost; with --disk (Windows build) it also fills from 30,000 real small files (a tenth of them missing) through
// the file system, which is what the viewer pays on opening. Each fill's result is checked against the plain fill's; a
// difference makes the program exit with 1.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "BenchFigures.h"
#include "LogTree.h"
#include "ReferenceLogTree.h"
#ifdef _WIN32
#include "WinLogFileFacts.h"
#endif

using Clock = std::chrono::steady_clock;
using benchfigures::Ms;

namespace {

class MemoryFacts : public ILogFileFacts {
public:
    void Set(const std::string& path, std::uint64_t size) { m_sizes[path] = size; }
    LogFileFacts Query(const std::string& path) override
    {
        const auto found = m_sizes.find(path);
        return found == m_sizes.end() ? LogFileFacts{} : LogFileFacts{true, found->second};
    }

private:
    std::unordered_map<std::string, std::uint64_t> m_sizes;
};

// A Launcher list: every group is a virtual host with 100 logs; a few are listed twice.
class BenchList {
public:
    BenchList(int count, const std::string& root, MemoryFacts* facts, int perGroup = 100)
    {
        for (int i = 0; i < count; ++i) {
            const int host = i / perGroup;
            const int log = i % 100;
            const int listed = (i % 97 == 0 && i > 0) ? i - 1 : i;  // a repeated entry
            const std::string group = "www.host" + std::to_string(host) + ".test";
            const std::string name = (listed % 2 ? "access-" : "Error-") + std::to_string(listed % perGroup) + ".log";
            m_texts.push_back(root + "/" + group + "/" + name);
            m_texts.push_back(log == 7 ? std::string() : group);
            if (facts != nullptr && listed % 10 != 3) {
                std::string path = m_texts[m_texts.size() - 2];
                std::replace(path.begin(), path.end(), '/', '\\');
                std::uint64_t size = static_cast<std::uint64_t>(listed) * 37 % 900000;
                if (size % 256 == 128)
                    ++size;  // halves round differently in the plain fill's C library
                facts->Set(path, size);
            }
        }
        for (std::size_t i = 0; i < m_texts.size(); i += 2)
            m_entries.push_back(LogListEntry{Layout(m_texts[i]), Layout(m_texts[i + 1])});
        m_list = LogList{m_entries.data(), static_cast<std::int32_t>(m_entries.size())};
    }

    const LogList* Get() const { return &m_list; }
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    static GrowStringLayout Layout(const std::string& s)
    {
        return GrowStringLayout{nullptr, s.c_str(), static_cast<std::int32_t>(s.size() / 64 + 1) * 64,
                                static_cast<std::int32_t>(s.size())};
    }

    std::vector<std::string> m_texts;
    std::vector<LogListEntry> m_entries;
    LogList m_list{};
};

bool failed = false;

// The fastest of `repeat` fills, and whether the last one matched the plain fill.
double TimeFill(const LogList* list, ILogFileFacts& facts, bool showSizes, int repeat, const ReferenceLogTree* expected)
{
    double best = 1e300;
    CLogTree tree;
    for (int r = 0; r < repeat; ++r) {
        const auto start = Clock::now();
        tree.Fill(CLogListView(list), facts, showSizes);
        best = std::min(best, Ms(Clock::now() - start));
    }
    if (expected != nullptr && (tree.Items() != expected->items || tree.Entries() != expected->entries)) {
        std::printf("WRONG: the fill differs from the plain fill (%d entries, sizes %d)\n", list->count, showSizes);
        failed = true;
    }
    return best;
}

void CompareWithPlainFill(int count, int repeat, int perGroup = 100)
{
    MemoryFacts facts;
    BenchList list(count, "C:/Apache24/logs", &facts, perGroup);
    for (bool showSizes : {false, true}) {
        const auto start = Clock::now();
        const ReferenceLogTree expected = FillPlainly(list.Get(), facts, showSizes);
        const double plainMs = Ms(Clock::now() - start);
        const double fastMs = TimeFill(list.Get(), facts, showSizes, repeat, &expected);
        std::printf("%6d entries, %4d a group, sizes %-3s: fill %8.2f ms   plain fill %9.2f ms   ratio %7.1fx faster\n",
                    count, perGroup, showSizes ? "on" : "off", fastMs, plainMs, plainMs / fastMs);
    }
}

#ifdef _WIN32
void FillFromDisk(int count)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "tessaly-logtree-bench";
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    BenchList list(count, root.generic_string(), nullptr);
    for (std::size_t i = 0; i < list.Texts().size(); i += 2) {
        const std::filesystem::path file(list.Texts()[i]);
        std::filesystem::create_directories(file.parent_path(), ignored);
        std::size_t size = i % 3000;
        if (size % 256 == 128)
            ++size;       // halves round differently in the plain fill's C library
        if (i % 20 != 6)  // a tenth of the logs are missing
            std::ofstream(file) << std::string(size, 'x');
    }

    MemoryFacts memory;
    CWinLogFileFacts disk;
    for (bool showSizes : {false, true}) {
        const double memoryMs = TimeFill(list.Get(), memory, showSizes, 3, nullptr);
        const auto start = Clock::now();
        const ReferenceLogTree expected = FillPlainly(list.Get(), disk, showSizes);
        const double plainMs = Ms(Clock::now() - start);
        const double diskMs = TimeFill(list.Get(), disk, showSizes, 3, &expected);
        std::printf("%6d real files, sizes %-3s: fill %8.2f ms (target 1000 ms)   plain fill %8.2f ms"
                    "   ratio %5.1fx faster   (the tree alone %6.2f ms)\n",
                    count, showSizes ? "on" : "off", diskMs, plainMs, plainMs / diskMs, memoryMs);
    }
    std::filesystem::remove_all(root, ignored);
}
#endif

}  // namespace

int main(int argc, char** argv)
{
    int repeat = 5;
    bool disk = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--disk") == 0)
            disk = true;
    }

    for (int count : {1000, 10000, 30000})
        CompareWithPlainFill(count, repeat);
    CompareWithPlainFill(30000, repeat, 3000);  // few big groups: where the plain fill suffers
#ifdef _WIN32
    if (disk)
        FillFromDisk(30000);
#else
    if (disk)
        std::printf("--disk is for the Windows build\n");
#endif
    return failed ? 1 : 0;
}
