// The server's console stub: run from the server folder with the server's switches. With
// the server's own apache.exe in that folder it runs it hidden with the same switches and
// passes on what it prints and its exit code; without it, it answers the information and
// test switches by itself from the configuration.

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ConfigReader.h"
#include "ConfPath.h"
#include "DirectiveList.h"
#include "ProcessRunner.h"
#include "ServerReports.h"
#include "ServerSwitches.h"

namespace {

constexpr const char* kServerProgram = "apache.exe";

void Print(FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

// The switches after the program name, as the command line gave them.
std::string ArgumentsOf(const char* commandLine)
{
    const char* p = commandLine;
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p) {
        }
        if (*p)
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

std::string CurrentFolder()
{
    char folder[MAX_PATH] = {};
    const DWORD n = ::GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder, n < MAX_PATH ? n : 0);
}

bool Has(const std::vector<std::string>& args, const char* flag)
{
    for (const std::string& a : args)
        if (a == flag)
            return true;
    return false;
}

int RunServer(const std::string& folder, const std::string& arguments)
{
    // The server's bytes pass unchanged; our own answers keep the console's line ends.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    const std::string commandLine = "\"" + folder + "\\" + kServerProgram + "\" " + arguments;
    const ProcessResult result = RunCaptured(commandLine, folder, INFINITE, [](const char* data, DWORD size) {
        std::fwrite(data, 1, size, stdout);
        std::fflush(stdout);
    });
    if (!result.started) {
        Print(stderr, "stub.exe: cannot run " + commandLine + "\n");
        return 1;
    }
    return static_cast<int>(result.exitCode);
}

int Answer(const std::string& folder, const std::vector<std::string>& args, const ServerSwitches& switches)
{
    if (Has(args, "-v")) {
        Print(stdout, reports::Version());
        return 0;
    }
    if (Has(args, "-l")) {
        Print(stdout, reports::CompiledModules());
        return 0;
    }
    // The keyword script comes from the manual; the server's own modules are known as well.
    const CDirectiveList directives = LoadDirectiveList(confpath::ToForwardSlashes(ModuleFolder()));
    if (Has(args, "-L")) {
        Print(stdout, reports::Directives(directives));
        return 0;
    }
    if (Has(args, "-t") || Has(args, "-S")) {
        CConfigReader reader(folder, &directives);
        ApplySwitches(switches, reader);
        if (!reader.Read()) {
            Print(stderr, reports::SyntaxCheck(reader));
            return 1;
        }
        if (Has(args, "-S"))
            Print(stdout, reports::VirtualHosts(reader.Config()));
        else
            Print(stderr, reports::SyntaxCheck(reader));
        return 0;
    }
    Print(stderr, "stub.exe: no " + std::string(kServerProgram) + " in " + folder +
                      "; without it only -v, -l, -L, -t and -S are answered.\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ServerSwitches switches = ReadServerSwitches(args);
    const std::string folder = switches.serverRoot.empty() ? CurrentFolder() : switches.serverRoot;

    if (FileExists(folder + "\\" + kServerProgram))
        return RunServer(folder, ArgumentsOf(::GetCommandLineA()));
    return Answer(confpath::Trimmed(folder), args, switches);
}
