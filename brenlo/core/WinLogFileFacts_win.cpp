#include "WinLogFileFacts.h"

#include <windows.h>

#include "Handles.h"

namespace {

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};

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

    // A file held open without sharing can refuse its attributes but still be listed.
    // Wildcards would make the search find some other file, so such paths stop here.
    if (path.find_first_of("*?") != std::string::npos)
        return facts;
    WIN32_FIND_DATAA found{};
    CUniqueHandle<FindHandleTraits> search(FindFirstFileA(path.c_str(), &found));
    if (!search)
        return facts;
    facts.exists = true;
    facts.size = SizeOf(found.nFileSizeHigh, found.nFileSizeLow);
    return facts;
}
