// Plays the server's own apache.exe for the stub's tests: prints its switches and its
// folder, alternating between standard output and error, and ends with exit code 3.

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    std::fprintf(stdout, "out: switches");
    for (int i = 1; i < argc; ++i)
        std::fprintf(stdout, " %s", argv[i]);
    std::fprintf(stdout, "\n");
    std::fflush(stdout);
    ::Sleep(50);
    std::fprintf(stderr, "err: second\n");
    std::fflush(stderr);
    ::Sleep(50);
    char folder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    std::fprintf(stdout, "out: folder %s\n", folder);
    std::fflush(stdout);
    return 3;
}
