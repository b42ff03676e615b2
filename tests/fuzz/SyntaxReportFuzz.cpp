// Any text handed over with code 1: Scrivel's report reader never crashes, and what it
// finds stays within the room the block and the status bar give it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "SyntaxReport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Paths of even length count as files, so that inner locations are both followed and kept.
    const SyntaxReport report = ReadSyntaxReport(text, [](const std::string& path) { return path.size() % 2 == 0; });
    if (report.hasLocation) {
        if (report.path.empty() || report.path.size() > kSyntaxReportFieldRoom)
            std::abort();
        if (text.find(report.path) == std::string_view::npos)
            std::abort();  // the path is taken from the report, never made up
    }
    if (report.message.size() > text.size())
        std::abort();
    return 0;
}
