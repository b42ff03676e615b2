#include "KeywordHelp.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "TypeMap.h"

namespace keywordhelp {

namespace {
constexpr char kFileScheme[] = "file:///";
constexpr char kOldManual[] = "htdocs\\manual\\";
constexpr char kNewManual[] = "manual\\";
constexpr char kIndexUnderHtdocs[] = "\\htdocs\\manual\\index.html";
constexpr char kIndexUnderServer[] = "\\manual\\index.html";
constexpr char kManualFolder[] = "\\manual\\";
// The manual the keyword table's help paths come from.
constexpr char kOnlineManual[] = "https://httpd.apache.org/docs/2.4/";
constexpr char kEnglish[] = "en";
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

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Where "htdocs\manual\" starts as a whole folder name, case aside; npos if nowhere.
std::size_t OldManualAt(const std::string& path)
{
    const std::string lower = Lower(path);
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

// The manual's index under the server folder as stored: under htdocs unless only the
// newer layout has it.
std::string IndexPath(const std::string& serverFolder, const FileExists& exists)
{
    const std::string underHtdocs = serverFolder + kIndexUnderHtdocs;
    const std::string underServer = serverFolder + kIndexUnderServer;
    return !exists(underHtdocs) && exists(underServer) ? underServer : underHtdocs;
}

// The help path with backslashes, under the server folder unless absolute, in the
// manual's home on disk.
std::string HelpPath(const std::string& serverFolder, const std::string& helpPath, const FileExists& exists)
{
    std::string path = Backslashed(helpPath);
    if (path.size() < 2 || path[1] != ':')
        path = Backslashed(serverFolder) + "\\" + path;
    return WhereTheManualIs(path, exists);
}

// The page to show for `file`: itself, or for a type map the page it lists in the user's
// language, else the English one; empty when the map lists neither on disk.
std::string NegotiatedPage(const std::string& file, const ManualAccess& manual)
{
    const std::vector<typemap::Variant> variants = typemap::Variants(manual.read(file));
    if (variants.empty())
        return file;
    const std::string folder = file.substr(0, file.rfind('\\') + 1);
    for (const std::string& language : {manual.language, std::string(kEnglish)}) {
        for (const typemap::Variant& variant : variants) {
            const std::string page = folder + Backslashed(variant.uri);
            if (variant.IsIn(language) && manual.exists(page))
                return page;
        }
    }
    return std::string();
}

// The online manual's address of a path inside a folder named "manual"; empty for a path
// outside one.
std::string OnlineUrl(const std::string& path)
{
    const std::size_t at = Lower(FileOf(path)).rfind(kManualFolder);
    if (at == std::string::npos)
        return std::string();
    std::string rest = path.substr(at + sizeof(kManualFolder) - 1);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    return kOnlineManual + rest;
}

// The page for a path on disk, its "#anchor" kept.
ManualPage PageFor(const std::string& path, const ManualAccess& manual)
{
    const std::string file = FileOf(path);
    const std::string anchor = path.substr(file.size());
    const std::string page = manual.exists(file) ? NegotiatedPage(file, manual) : std::string();
    if (!page.empty())
        return {kFileScheme + page + anchor, false};
    const std::string online = OnlineUrl(path);
    if (online.empty())
        return {kFileScheme + path, false};  // not the server's manual: the browser reports it
    return {online, true};
}
}  // namespace

bool Qualifies(const std::string& word)
{
    return !word.empty() && word.size() <= kLongestWord;
}

std::string HelpUrl(const std::string& serverFolder, const std::string& helpPath, const FileExists& exists)
{
    return kFileScheme + HelpPath(serverFolder, helpPath, exists);
}

std::string ManualIndexUrl(const std::string& serverFolder, const FileExists& exists)
{
    return kFileScheme + IndexPath(serverFolder, exists);
}

ManualPage HelpPage(const std::string& serverFolder, const std::string& helpPath, const ManualAccess& manual)
{
    return PageFor(HelpPath(serverFolder, helpPath, manual.exists), manual);
}

ManualPage IndexPage(const std::string& serverFolder, const ManualAccess& manual)
{
    return PageFor(IndexPath(serverFolder, manual.exists), manual);
}

std::string MenuText(const std::string& word, bool hasHelp)
{
    return hasHelp ? "Help for '" + word + "'\tF1" : "No help available";
}

}  // namespace keywordhelp
