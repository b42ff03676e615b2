#pragma once
// What the stand-in server prints for the server's switches, in the server's own formats.

#include <string>

#include "ConfigReader.h"
#include "DirectiveList.h"

namespace reports {

constexpr const char* kProgramName = "httpd.exe";
constexpr const char* kServerVersion = "Apache/2.4.62 (Win32)";

// -t: "Syntax OK", or the first problem as the server reports it.
std::string SyntaxCheck(const CConfigReader& reader);
// -v
std::string Version();
// -l: the modules built into the Windows server; the others are loaded by LoadModule.
std::string CompiledModules();
// -L: every known directive with its module.
std::string Directives(const CDirectiveList& directives);
// -S: the virtual hosts and the main server's settings.
std::string VirtualHosts(const ServerConfig& config);

}  // namespace reports
