// The main of the framework's window tests. Hiding a top-level window waits two seconds for
// a window manager when there is none (plain Xvfb), so the tests run inside a desktop window
// of their own: the program starts itself again inside one and passes its result back
// through a file, since the desktop's process does not hand on the exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
const char kResultVariable[] = "FWTEST_RESULT_FILE";

int RunInsideOwnDesktop(int argc, char** argv)
{
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string resultFile = std::string(temp) + "fwtest-" + std::to_string(::GetCurrentProcessId()) + ".rc";
    ::DeleteFileA(resultFile.c_str());
    ::SetEnvironmentVariableA(kResultVariable, resultFile.c_str());

    std::string command =
        "explorer.exe /desktop=fwtest" + std::to_string(::GetCurrentProcessId()) + ",1280x1024 \"" + self + "\"";
    for (int i = 1; i < argc; ++i)
        command += std::string(" \"") + argv[i] + "\"";

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start the test desktop\n");
        return 1;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    int result = 1;
    if (FILE* file = std::fopen(resultFile.c_str(), "r")) {
        if (std::fscanf(file, "%d", &result) != 1)
            result = 1;
        std::fclose(file);
    } else {
        std::fprintf(stderr, "the tests inside the desktop left no result\n");
    }
    ::DeleteFileA(resultFile.c_str());
    return result;
}
}  // namespace

int main(int argc, char** argv)
{
    const char* resultFile = std::getenv(kResultVariable);
    if (!resultFile || !*resultFile)
        return RunInsideOwnDesktop(argc, argv);

    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    if (FILE* file = std::fopen(resultFile, "w")) {
        std::fprintf(file, "%d\n", result);
        std::fclose(file);
    }
    return result;
}
