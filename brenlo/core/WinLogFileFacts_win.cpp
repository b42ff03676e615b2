#include "WinLogFileFacts.h"

#include <windows.h>

#include "Handles.h"

namespace {

std::uint64_t SizeOf(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

}  // namespace

LogFileFacts CWinLogFileFacts::Query(const std::string& path)
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

LeadByteTable AnsiLeadBytes()
{
    LeadByteTable table{};
    for (int byte = 0x80; byte < 0x100; ++byte)
        table[byte] = IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
    return table;
}
