// Stands in for a web browser in the browser-launching tests: writes the command line it
// was started with, byte for byte, to the file named by TESSALY_URL_RECORD (inherited from
// the test), through a temporary file so that the test never reads half of it.
#include <windows.h>

#include <cstring>
#include <string>

int main()
{
    char target[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("TESSALY_URL_RECORD", target, sizeof target))
        return 2;
    const std::string temporary = std::string(target) + ".part";
    HANDLE file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    const char* line = ::GetCommandLineA();
    DWORD written = 0;
    ::WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    ::CloseHandle(file);
    return ::MoveFileExA(temporary.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
