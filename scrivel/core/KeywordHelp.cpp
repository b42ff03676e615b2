#include "KeywordHelp.h"

#include <algorithm>
#include <cctype>

namespace keywordhelp {

namespace {
constexpr char kFileScheme[] = "file:///";
constexpr char kOldManual[] = "htdocs\\manual\\";
constexpr char kNewManual[] = "manual\\";
constexpr char kIndexUnderHtdocs[] = "\\htdocs\\manual\\index.html";
constexpr char kIndexUnderServer[] = "\\manual\\index.html";
constexpr std::size_t kLongestWord = 254;

std::string Backslashed(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The file an address names: without its "#anchor".
std::string FileOf(const std::string& path)
{
    return path.substr(0, path.find('#'));
}

// Where "htdocs\manual\" starts as a whole folder name, case aside; npos if nowhere.
std::size_t OldManualAt(const std::string& path)
{
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (std::size_t at = lower.find(kOldManual); at != std::string::npos; at = lower.find(kOldManual, at + 1)) {
        if (at == 0 || lower[at - 1] == '\\')
            return at;
    }
    return std::string::npos;
}

// The page under "manual\" when it is only there.
std::string WhereTheManualIs(const std::string& path, const FileExists& exists)
{
    const std::size_t at = OldManualAt(path);
    if (at == std::string::npos || exists(FileOf(path)))
        return path;
    std::string moved = path.substr(0, at) + kNewManual + path.substr(at + sizeof(kOldManual) - 1);
    return exists(FileOf(moved)) ? moved : path;
}
}  // namespace

bool Qualifies(const std::string& word)
{
    return !word.empty() && word.size() <= kLongestWord;
}

std::string HelpUrl(const std::string& serverFolder, const std::string& helpPath, const FileExists& exists)
{
    std::string path = Backslashed(helpPath);
    if (path.size() < 2 || path[1] != ':')
        path = Backslashed(serverFolder) + "\\" + path;
    return kFileScheme + WhereTheManualIs(path, exists);
}

std::string ManualIndexUrl(const std::string& serverFolder, const FileExists& exists)
{
    const std::string underHtdocs = serverFolder + kIndexUnderHtdocs;
    const std::string underServer = serverFolder + kIndexUnderServer;
    if (!exists(underHtdocs) && exists(underServer))
        return kFileScheme + underServer;
    return kFileScheme + underHtdocs;
}

std::string MenuText(const std::string& word, bool hasHelp)
{
    return hasHelp ? "Help for '" + word + "'" : "No help available";
}

}  // namespace keywordhelp
