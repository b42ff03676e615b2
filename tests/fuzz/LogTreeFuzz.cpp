// Any list the Launcher may hand over, with any answers about the files: the log tree's
// fast fill gives exactly what the plain fill (each new item compared with its siblings)
// gives: the same items, labels, images, order and entries, the same duplicates dropped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ReferenceLogTree.h"
#include "TestLogList.h"

namespace {

// Exists or not, and its size, as the path's bytes say: the same path answers alike.
class HashedFacts : public ILogFileFacts {
public:
    LogFileFacts Query(const std::string& path) override
    {
        std::uint64_t hash = 1469598103934665603ull;
        for (const char c : path)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        if (hash % 4 == 0)
            return LogFileFacts{};
        return LogFileFacts{true, hash % 5000000};
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks whether sizes are shown; then one entry a line, "GROUP|PATH"
    // or just "PATH".
    const bool showSizes = data[0] & 1;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    TestLogList list;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        const std::size_t bar = line.find('|');
        if (bar == std::string_view::npos)
            list.Add(std::string(line));
        else
            list.Add(std::string(line.substr(bar + 1)), std::string(line.substr(0, bar)));
        text.remove_prefix(std::min(end + 1, text.size()));
    }

    HashedFacts facts;
    CLogTree tree;
    tree.Fill(CLogListView(list.Get()), facts, showSizes);
    const ReferenceLogTree plain = FillPlainly(list.Get(), facts, showSizes);
    if (!(tree.Items() == plain.items) || !(tree.Entries() == plain.entries))
        std::abort();
    return 0;
}
