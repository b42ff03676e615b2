// Stands in for the server in tests of clearing and saving logs: a separate process that
// holds a log open as the server does, or as an unfriendly program does.
//   LogWriterProbe append LOG READY STOP REPORT [PAUSE_MS] [MAX_MS]
//       opens LOG for appending only (creating it), sharing read, write and delete, as the
//       server does, and appends lines "probe NNNNNNNNNN\n" numbered from 0, one write each,
//       PAUSE_MS apart (default 1), until the event STOP is set or MAX_MS (default 60000)
//       have passed. REPORT gets "lines=N failed=F\n": lines written whole, writes that failed.
//   LogWriterProbe hold LOG READY STOP [MAX_MS]
//       opens LOG for writing sharing read only, so nobody else may write to it, and keeps it
//       open until STOP is set or MAX_MS (default 60000) have passed.
//   LogWriterProbe cut LOG | rotate LOG OLD | delete LOG
//       once, as a server's rotation does: cuts LOG to its first half; renames LOG to OLD
//       and makes a new LOG with one line; deletes LOG and makes a new one with one line as
//       soon as the name is free (within 5 s), putting the milliseconds it waited after
//       "waited=" in LOG.probe-report.
// READY is an event set once the file is open. Exit code 0: all went well; 1: a write
// failed; 2: the file would not open; 3: bad arguments.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Handles.h"

namespace {

DWORD ArgMs(int argc, char** argv, int i, DWORD fallback)
{
    return i < argc ? static_cast<DWORD>(std::strtoul(argv[i], nullptr, 10)) : fallback;
}

CKernelHandle OpenEvent(const char* name)
{
    return CKernelHandle(::OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name));
}

bool Stopped(const CKernelHandle& stop, DWORD started, DWORD maxMs, DWORD waitMs)
{
    if (::GetTickCount() - started >= maxMs)
        return true;
    return ::WaitForSingleObject(stop.Get(), waitMs) == WAIT_OBJECT_0;
}

int Append(const char* log, const CKernelHandle& ready, const CKernelHandle& stop, const char* report, DWORD pauseMs,
           DWORD maxMs)
{
    CFileHandle file(::CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 2;
    ::SetEvent(ready.Get());
    const DWORD started = ::GetTickCount();
    unsigned long lines = 0;
    unsigned long failed = 0;
    do {
        char line[32];
        const int n = std::snprintf(line, sizeof line, "probe %010lu\n", lines);
        DWORD written = 0;
        if (::WriteFile(file.Get(), line, static_cast<DWORD>(n), &written, nullptr) && written == static_cast<DWORD>(n))
            ++lines;
        else
            ++failed;
    } while (!Stopped(stop, started, maxMs, pauseMs));

    std::FILE* out = std::fopen(report, "wb");
    if (out) {
        std::fprintf(out, "lines=%lu failed=%lu\n", lines, failed);
        std::fclose(out);
    }
    return failed == 0 ? 0 : 1;
}

int Hold(const char* log, const CKernelHandle& ready, const CKernelHandle& stop, DWORD maxMs)
{
    CFileHandle file(
        ::CreateFileA(log, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 2;
    ::SetEvent(ready.Get());
    const DWORD started = ::GetTickCount();
    while (!Stopped(stop, started, maxMs, 10)) {
    }
    return 0;
}

bool MakeLog(const char* log)
{
    CFileHandle file(::CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.Get(), "new log\n", 8, &written, nullptr) && written == 8;
}

int Once(const std::string& mode, const char* log, const char* other)
{
    if (mode == "cut") {
        CFileHandle file(::CreateFileA(log, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size{}, half{};
        if (!file || !::GetFileSizeEx(file.Get(), &size))
            return 2;
        half.QuadPart = size.QuadPart / 2;
        return ::SetFilePointerEx(file.Get(), half, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get()) ? 0 : 1;
    }
    if (mode == "rotate")
        return other && ::MoveFileA(log, other) && MakeLog(log) ? 0 : 1;
    if (mode == "delete") {
        if (!::DeleteFileA(log))
            return 2;
        const DWORD started = ::GetTickCount();
        while (!MakeLog(log)) {
            if (::GetTickCount() - started > 5000)
                return 1;
            ::Sleep(5);
        }
        std::FILE* out = std::fopen((std::string(log) + ".probe-report").c_str(), "wb");
        if (out) {
            std::fprintf(out, "waited=%lu\n", static_cast<unsigned long>(::GetTickCount() - started));
            std::fclose(out);
        }
        return 0;
    }
    return 3;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && argc <= 4 && std::string(argv[1]) != "hold")
        return Once(argv[1], argv[2], argc == 4 ? argv[3] : nullptr);
    if (argc < 5)
        return 3;
    const std::string mode = argv[1];
    const CKernelHandle ready = OpenEvent(argv[3]);
    const CKernelHandle stop = OpenEvent(argv[4]);
    if (!ready || !stop)
        return 3;
    if (mode == "append" && argc >= 6)
        return Append(argv[2], ready, stop, argv[5], ArgMs(argc, argv, 6, 1), ArgMs(argc, argv, 7, 60000));
    if (mode == "hold")
        return Hold(argv[2], ready, stop, ArgMs(argc, argv, 5, 60000));
    return 3;
}
