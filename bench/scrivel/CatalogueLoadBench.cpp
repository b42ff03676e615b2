// Start-up cost of Scrivel's directive catalogue beside that of the keyword script, which
// Scrivel reads at start too: each read from the file beside the binaries into a fresh
// table, as Scrivel does, many times in the same run.
//   CatalogueLoadBench [--runs 50]   (from build/bench-bin, under Wine: tools/wine-run.sh)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchFigures.h"
#include "DirectiveCatalogue.h"
#include "KeywordTable.h"
#include "TestPaths.h"

using Clock = std::chrono::steady_clock;
using namespace benchfigures;

namespace {

constexpr double kTargetMs = 10.0;

double Best(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 50;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--runs"))
            runs = std::max(1, std::atoi(argv[i + 1]));
    }
    const std::string folder = testpaths::TestBinDir();
    const std::string cataloguePath = testpaths::Join(folder, directives::kCatalogueName);
    const std::string keywordsPath = testpaths::Join(folder, tessaly::editor::kKeywordScriptName);
    std::vector<double> catalogue, keywords;
    std::size_t directivesRead = 0;
    bool ok = true;
    for (int r = 0; r < runs; ++r) {
        auto start = Clock::now();
        directives::Catalogue c;
        ok = c.ReadText(ReadAll(cataloguePath)) && ok;
        catalogue.push_back(Ms(Clock::now() - start));
        directivesRead = c.All().size();

        start = Clock::now();
        tessaly::editor::KeywordTable k;
        ok = k.ReadScriptFile(keywordsPath) && ok;
        keywords.push_back(Ms(Clock::now() - start));
    }
    std::printf("Catalogue load (%zu directives), %d runs, file read included:\n", directivesRead, runs);
    std::printf("  catalogue:      best %.3f ms  median %.3f ms  (target %.0f ms: %s)\n", Best(catalogue),
                Median(catalogue), kTargetMs, Median(catalogue) <= kTargetMs ? "met" : "NOT met");
    std::printf("  keyword script: best %.3f ms  median %.3f ms  (baseline, same run)\n", Best(keywords),
                Median(keywords));
    std::printf("  ratio of medians: %.2f\n", Median(keywords) > 0 ? Median(catalogue) / Median(keywords) : 0.0);
    std::printf(ok ? "CatalogueLoadBench: both read\n" : "CatalogueLoadBench: WRONG: a file was refused\n");
    return ok ? 0 : 1;
}
