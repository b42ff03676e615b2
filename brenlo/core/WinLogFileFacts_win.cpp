#include "WinLogFileFacts.h"

#include <windows.h>

#include <atomic>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>

#include "Handles.h"

namespace {

// Below this many logs in one folder, asking for each costs less than listing the folder.
constexpr std::size_t kFewestForListing = 8;
// Below this many logs in listed folders, a second thread costs more than it saves.
constexpr std::size_t kFewestForTwoThreads = 2000;

std::uint64_t SizeOf(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// A name the system takes for a device in any folder ("nul", "con.log", "COM1 .txt").
bool DeviceName(std::string_view name)
{
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    const std::string folded = FoldCase(base);
    if (folded == "con" || folded == "prn" || folded == "aux" || folded == "nul")
        return true;
    return folded.size() == 4 && (folded.compare(0, 3, "com") == 0 || folded.compare(0, 3, "lpt") == 0) &&
           folded[3] >= '1' && folded[3] <= '9';
}

// A log name that a folder's listing answers for exactly: the file system looks such a name
// up by its very bytes, ignoring only the case of A to Z. The system drops trailing dots
// and blanks, "~" may stand for a short name, device names are no files, and the other
// characters are no part of a plain file name.
bool ListableName(std::string_view name)
{
    if (name.empty() || name.back() == '.' || name.back() == ' ' || DeviceName(name))
        return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x80 || std::string_view("<>:\"|?*~").find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

// One name of a listed folder.
struct ListedName {
    std::string exact;  // empty when the listing cannot tell (see ListFolder)
    std::uint64_t size = 0;
};
using FolderNames = std::unordered_map<std::string, ListedName>;  // by folded name

// Every name in the folder, by its folded form. False when the folder could not be read to
// its end, holds more than mostEntries names, or holds a name beyond plain ASCII (which the
// system may match to a plain one by rules of its own). A name that only a link stands for,
// or that a folder with case-sensitive names holds in more than one case, keeps no exact
// form: its logs are asked for.
bool ListFolder(const std::string& folder, std::size_t mostEntries, FolderNames& found)
{
    const std::string pattern = folder + "\\*";
    WIN32_FIND_DATAA data{};
    CFindHandle search(::FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                          FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        // No such folder, or one without a single entry: none of its logs is there, which
        // is what asking for each would say too.
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    std::size_t seen = 0;
    do {
        if (++seen > mostEntries)
            return false;
        const std::string_view name(data.cFileName);
        for (const char c : name) {
            if (static_cast<unsigned char>(c) >= 0x80)
                return false;
        }
        const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        const auto [entry, added] =
            found.try_emplace(FoldCase(name), ListedName{link ? std::string() : std::string(name),
                                                         SizeOf(data.nFileSizeHigh, data.nFileSizeLow)});
        if (!added)
            entry->second.exact.clear();
    } while (::FindNextFileA(search.Get(), &data));
    return ::GetLastError() == ERROR_NO_MORE_FILES;
}

// The file's attributes first, then a directory search for a file that refused them.
LogFileFacts AskFileSystem(const std::string& path)
{
    LogFileFacts facts;
    if (path.empty())
        return facts;

    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        facts.exists = true;
        facts.size = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
        return facts;
    }

    // A file held open without sharing can refuse its attributes but still be listed. A
    // file that is simply not there is not searched for again: with thousands of logs that
    // second look costs as much as all the others. Wildcards would make the search find
    // some other file, so such paths stop here too.
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
        return facts;
    if (path.find_first_of("*?") != std::string::npos)
        return facts;
    WIN32_FIND_DATAA found{};
    CFindHandle search(FindFirstFileA(path.c_str(), &found));
    if (!search)
        return facts;
    facts.exists = true;
    facts.size = SizeOf(found.nFileSizeHigh, found.nFileSizeLow);
    return facts;
}

}  // namespace

void CWinLogFileFacts::Prepare(const std::vector<std::string>& paths, bool sizesShown)
{
    m_answers.assign(paths.size(), Answer{});
    // A listing may give a log's size late while the server writes to it; only asking for
    // the log itself gives the size it has now.
    if (sizesShown)
        return;

    // The listable logs of each folder (indices into paths), by the folder's text as the
    // list gives it.
    std::unordered_map<std::string_view, std::vector<std::size_t>> logsByFolder;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string_view path = paths[i];
        const std::size_t slash = path.rfind('\\');
        if (slash == std::string_view::npos || slash == 0 || path[slash - 1] == '\\' ||
            !ListableName(path.substr(slash + 1)))
            continue;
        logsByFolder[path.substr(0, slash)].push_back(i);
    }

    // A folder far bigger than its share of the list costs more to list than to ask.
    std::vector<std::pair<std::string_view, const std::vector<std::size_t>*>> folders;
    std::size_t listedLogs = 0;
    for (const auto& [folder, logs] : logsByFolder) {
        if (logs.size() < kFewestForListing)
            continue;
        folders.emplace_back(folder, &logs);
        listedLogs += logs.size();
    }

    // Each folder's answers go to its own logs' places, so the threads never share one.
    auto answerFromListing = [this, &paths](std::string_view folder, const std::vector<std::size_t>& logs,
                                            const FolderNames& found) {
        for (const std::size_t i : logs) {
            const std::string_view name = std::string_view(paths[i]).substr(folder.size() + 1);
            const auto entry = found.find(FoldCase(name));
            if (entry == found.end())
                m_answers[i] = Answer{true, LogFileFacts{}};
            else if (entry->second.exact == name)
                m_answers[i] = Answer{true, LogFileFacts{true, entry->second.size}};
            // A name given in another case than the folder's is asked for: a folder with
            // case-sensitive names would not find it.
        }
    };
    std::atomic<std::size_t> next{0};
    auto listFolders = [&] {
        FolderNames found;
        for (std::size_t k = next++; k < folders.size(); k = next++) {
            const auto& [folder, logs] = folders[k];
            try {
                found.clear();
                if (ListFolder(std::string(folder), 64 + 16 * logs->size(), found))
                    answerFromListing(folder, *logs, found);
            } catch (...) {
                // Out of memory: the folder's logs without an answer are asked for one by one.
            }
        }
    };
    // Under Wine a listing spends much of its time outside the file system's lock, so a
    // second thread takes a good part off a long fill.
    std::thread helper;
    if (listedLogs >= kFewestForTwoThreads && folders.size() > 1 && std::thread::hardware_concurrency() > 1) {
        try {
            helper = std::thread(listFolders);
        } catch (...) {
            // No second thread: this one lists every folder.
        }
    }
    listFolders();
    if (helper.joinable())
        helper.join();
}

LogFileFacts CWinLogFileFacts::QueryAt(std::size_t index, const std::string& path)
{
    if (index < m_answers.size() && m_answers[index].known)
        return m_answers[index].facts;
    return AskFileSystem(path);
}

LogFileFacts CWinLogFileFacts::Query(const std::string& path)
{
    return AskFileSystem(path);
}

LeadByteTable AnsiLeadBytes()
{
    LeadByteTable table{};
    for (int byte = 0x80; byte < 0x100; ++byte)
        table[byte] = IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
    return table;
}
