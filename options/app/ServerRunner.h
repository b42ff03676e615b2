#pragma once
// Runs the installed server (or the stub in its place) for the server information pages
// and returns everything it printed. The dialog keeps painting while it waits; a server
// that does not finish in time is ended.

#include <windows.h>

#include <string>

// The text printed for `switches`; empty when no server folder is set or nothing could
// be run.
std::string RunServerCommand(const std::string& switches);

// Runs `commandLine` hidden with `folder` as its current folder, standard output and error
// on one pipe, standard input an empty pipe left open; waits at most `waitLimitMs`.
std::string RunCapturedCommand(const std::string& commandLine, const std::string& folder, DWORD waitLimitMs);
