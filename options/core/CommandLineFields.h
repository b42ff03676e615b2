#pragma once
// The Command lines page's switches described once: the edit that shows each one and the
// CmdLines value that keeps it, in the order the page reads and writes them. Window-free.

#include <array>

#include "SettingsSchema.h"
#include "resource.h"

namespace pages {

struct CommandLineField {
    int controlId;
    settings::CommandLine which;
};

// "Start", "Restart", "Stop", "Version", "Modules", "Directives", "Settings", "Test": the
// order of reading and of writing.
inline constexpr std::array<CommandLineField, settings::kCommandLineCount> kCommandLineFields{{
    {IDC_CMD_START, settings::CommandLine::Start},
    {IDC_CMD_RESTART, settings::CommandLine::Restart},
    {IDC_CMD_STOP, settings::CommandLine::Stop},
    {IDC_CMD_VERSION, settings::CommandLine::Version},
    {IDC_CMD_MODULES, settings::CommandLine::Modules},
    {IDC_CMD_DIRECTIVES, settings::CommandLine::Directives},
    {IDC_CMD_SETTINGS, settings::CommandLine::Settings},
    {IDC_CMD_TEST, settings::CommandLine::Test},
}};

inline constexpr std::array<int, 11> kCommandLineTips{
    IDC_CMD_START,    IDC_BROWSE_APACHE, IDC_CMD_RESTART,    IDC_CMD_STOP,        IDC_CMD_TEST, IDC_CMD_VERSION,
    IDC_CMD_SETTINGS, IDC_CMD_MODULES,   IDC_CMD_DIRECTIVES, IDC_APACHE_LOCATION, IDC_DEFAULT,
};

}  // namespace pages
