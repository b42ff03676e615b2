#include "WinLogFileFacts.h"

#include <windows.h>

#include "Handles.h"

namespace {

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
using CFindHandle = CUniqueHandle<FindHandleTraits>;

// A folder is listed from its fourth log on.
constexpr int kQueriesBeforeListing = 3;

std::uint64_t SizeOf(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

std::string AsciiLower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// Names the system reads as something other than the listed file of that name: wildcards,
// streams, the folder itself or its parent, trailing dots and blanks (dropped by the
// system), and any byte outside ASCII (two-byte characters and case rules of their own).
bool ListingCanAnswer(const std::string& folder, const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ')
        return false;
    if (name.find_first_of("*?:\"<>|/") != std::string::npos || folder.find_first_of("*?") != std::string::npos)
        return false;
    for (unsigned char c : folder + name) {
        if (c >= 0x80 || c < 0x20)
            return false;
    }
    return true;
}

}  // namespace

LogFileFacts CWinLogFileFacts::QueryOne(const std::string& path)
{
    LogFileFacts facts;
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

bool CWinLogFileFacts::FromListing(const std::string& folder, const std::string& name, LogFileFacts& facts)
{
    Folder& known = m_folders[folder];
    if (!known.listed) {
        if (++known.queries <= kQueriesBeforeListing)
            return false;
        known.listed = true;
        WIN32_FIND_DATAA found{};
        CFindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
        if (!search)
            return false;  // an empty map: every later name is queried on its own
        do {
            // Folders and links answer differently to a status query; they are asked.
            if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
                continue;
            const std::uint64_t size = SizeOf(found.nFileSizeHigh, found.nFileSizeLow);
            known.exact[found.cFileName] = size;
            Listed& same = known.folded[AsciiLower(found.cFileName)];
            same.size = size;
            ++same.sameFolded;
        } while (FindNextFileA(search.Get(), &found));
    }
    // The name as listed is that file; another letter case finds the one file it can only
    // mean. Anything else (not listed, or several files that differ only in case) is asked.
    if (const auto hit = known.exact.find(name); hit != known.exact.end()) {
        facts = LogFileFacts{true, hit->second};
        return true;
    }
    const auto folded = known.folded.find(AsciiLower(name));
    if (folded == known.folded.end() || folded->second.sameFolded != 1)
        return false;
    facts = LogFileFacts{true, folded->second.size};
    return true;
}

LogFileFacts CWinLogFileFacts::Query(const std::string& path)
{
    if (path.empty())
        return LogFileFacts{};
    const std::size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos) {
        const std::string folder = path.substr(0, slash + 1);
        const std::string name = path.substr(slash + 1);
        LogFileFacts facts;
        if (ListingCanAnswer(folder, name) && FromListing(folder, name, facts))
            return facts;
    }
    return QueryOne(path);
}

LeadByteTable AnsiLeadBytes()
{
    LeadByteTable table{};
    for (int byte = 0x80; byte < 0x100; ++byte)
        table[byte] = IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
    return table;
}
