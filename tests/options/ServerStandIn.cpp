// Stands in for the server and its stub when the information pages run them: it prints its
// command line, its current folder, whether its standard input is an open empty pipe, a
// block longer than one piece of the pipe, and standard error between standard output, and
// appends its process id to "stand-in-runs.txt" beside itself. With "--never-end" among
// its switches it prints its first lines and then waits for ever; with "--leave-child" it
// first starts a copy of itself that holds the output pipe for 2 s after it has ended.
#include <windows.h>

#include <string>

namespace {

void Write(DWORD stream, const std::string& text)
{
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(stream), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of("\\/"));
}

void RecordRun()
{
    const std::string record = OwnFolder() + "\\stand-in-runs.txt";
    HANDLE file = ::CreateFileA(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, 0, nullptr);
    const std::string line = std::to_string(::GetCurrentProcessId()) + "\r\n";
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string InputState()
{
    DWORD available = 0;
    if (!::PeekNamedPipe(::GetStdHandle(STD_INPUT_HANDLE), nullptr, 0, nullptr, &available, nullptr))
        return "closed";
    return available == 0 ? "open, empty" : "open, not empty";
}

// A copy of this program with `switches`, inheriting the pipes, left running.
void StartCopy(const std::string& switches)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string line = "\"" + std::string(path) + "\" " + switches;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
}

}  // namespace

int main()
{
    RecordRun();
    const std::string commandLine = ::GetCommandLineA();
    if (commandLine.find("--hold-pipe") != std::string::npos) {
        ::Sleep(2000);
        return 0;
    }
    if (commandLine.find("--leave-child") != std::string::npos)
        StartCopy("--hold-pipe");
    char folder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    Write(STD_OUTPUT_HANDLE, "command line: " + commandLine + "\r\n");
    Write(STD_OUTPUT_HANDLE, std::string("current folder: ") + folder + "\r\n");
    Write(STD_OUTPUT_HANDLE, "input: " + InputState() + "\r\n");
    if (commandLine.find("--never-end") != std::string::npos) {
        Write(STD_OUTPUT_HANDLE, "started\r\n");
        ::Sleep(INFINITE);
    }
    std::string block;
    for (int i = 0; i < 40; ++i)
        block += "line " + std::to_string(i) + " of a block longer than one piece\r\n";
    Write(STD_OUTPUT_HANDLE, block);
    Write(STD_ERROR_HANDLE, "error one\r\n");
    Write(STD_OUTPUT_HANDLE, "output between\r\n");
    Write(STD_ERROR_HANDLE, "error two\r\n");
    return 0;
}
