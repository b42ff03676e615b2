#pragma once
// The one place that knows the per-user settings tree: key paths, value names and defaults.
// Every deliverable and the Launcher read the same tree under HKEY_CURRENT_USER.

#include <cstdint>

namespace settings {

constexpr char kCompany[] = "Quorlane";
constexpr char kApplication[] = "Tessaly";
constexpr char kRootKey[] = "Software\\Quorlane\\Tessaly";
constexpr char kSection[] = "Settings";
constexpr char kSettingsKey[] = "Software\\Quorlane\\Tessaly\\Settings";
constexpr char kCompanyKey[] = "Software\\Quorlane";

// Values of the Settings key (profile entries of section "Settings").
constexpr char kGeneral[] = "General";
constexpr char kHotkeyCode[] = "Hotkey code";
constexpr char kApachePath[] = "ApachePath";
constexpr char kProjects[] = "Projects";
constexpr char kDefBrowser[] = "DefBrowser";
constexpr char kScrivelWindow[] = "ScrivelWindow";
constexpr char kDockedBar[] = "DockedBar";
constexpr char kMainWindow[] = "MainWindow";
constexpr char kLeftPane[] = "LeftPane";
constexpr char kShowSize[] = "ShowSize";
// Scrivel offers completion by itself after three letters of a directive name (DWORD, 1 or 0).
constexpr char kAutoComplete[] = "AutoComplete";
constexpr char kFollowEnd[] = "FollowEnd";  // Brenlo keeps to the end of a growing log
// Scrivel checks the configuration as it is typed (DWORD, 1 or 0).
constexpr char kCheckAsYouType[] = "CheckAsYouType";
constexpr char kHighlightLevels[] = "HighlightLevels";  // Brenlo draws error lines red, and so on

constexpr std::uint32_t kGeneralDefault = 0x7E979;     // 518521
constexpr std::uint32_t kHotkeyCodeDefault = 0x200C0;  // Control + virtual key 0xC0
constexpr std::int32_t kDefBrowserDefault = -1;        // no default browser
constexpr std::int32_t kLeftPaneDefault = 100;
constexpr std::int32_t kShowSizeDefault = 0;
constexpr std::int32_t kFollowEndDefault = 1;
constexpr std::int32_t kHighlightLevelsDefault = 1;

// Sub-keys holding lists, opened directly with their full path.
constexpr char kFilesKey[] = "Software\\Quorlane\\Tessaly\\Settings\\Files";
constexpr char kFileValueFormat[] = "File%d";
constexpr int kMaxFiles = 100;  // File0 to File99

constexpr char kCmdLinesKey[] = "Software\\Quorlane\\Tessaly\\Settings\\CmdLines";
constexpr char kHostsOptKey[] = "Software\\Quorlane\\Tessaly\\Settings\\HostsOpt";
constexpr char kBrowsersKey[] = "Software\\Quorlane\\Tessaly\\Settings\\Browsers";
constexpr char kBrowserValueFormat[] = "Browser%d";  // from 1

// The server command lines of the CmdLines key, in the order the pages list them.
enum class CommandLine { Start, Restart, Stop, Test, Version, Settings, Modules, Directives };
constexpr int kCommandLineCount = 8;

struct CommandLineEntry {
    CommandLine which;
    const char* name;
    const char* defaultValue;
};

constexpr CommandLineEntry kCommandLines[kCommandLineCount] = {
    {CommandLine::Start, "Start", "-s"},        {CommandLine::Restart, "Restart", "-k restart"},
    {CommandLine::Stop, "Stop", "-k shutdown"}, {CommandLine::Test, "Test", "-t"},
    {CommandLine::Version, "Version", "-v"},    {CommandLine::Settings, "Settings", "-S -t"},
    {CommandLine::Modules, "Modules", "-l"},    {CommandLine::Directives, "Directives", "-L"},
};

constexpr const CommandLineEntry& CommandLineInfo(CommandLine which)
{
    return kCommandLines[static_cast<int>(which)];
}

// HostsOpt values: byte 0 holds these flags, then the project path as NUL-terminated text.
constexpr std::uint8_t kHostShowProject = 0x01;
constexpr std::uint8_t kHostShowHost = 0x02;
constexpr std::uint8_t kHostAutoProject = 0x04;
constexpr std::uint8_t kHostAllFlags = kHostShowProject | kHostShowHost | kHostAutoProject;

// Keys outside the root.
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "ApacheLauncher";
constexpr char kRunArgument[] = " /auto";
constexpr char kHtmlHelpServerKey[] =
    "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";  // under HKEY_CLASSES_ROOT
constexpr char kHttpIconKey[] = "http\\DefaultIcon";                  // under HKEY_CLASSES_ROOT
constexpr char kHttpOpenCommandKey[] = "http\\shell\\open\\command";  // under HKEY_CLASSES_ROOT
constexpr char kHttpDdeExecKey[] = "http\\shell\\open\\ddeexec";      // under HKEY_CLASSES_ROOT
// Opening a web address: the "open" verb of a shell class, below HKEY_CLASSES_ROOT\<class>.
constexpr char kHttpClass[] = "http";
constexpr char kOpenCommandSubKey[] = "\\shell\\open\\command";
constexpr char kOpenDdeExecSubKey[] = "\\shell\\open\\ddeexec";
constexpr char kOpenDdeApplicationSubKey[] = "\\shell\\open\\ddeexec\\application";
constexpr char kOpenDdeTopicSubKey[] = "\\shell\\open\\ddeexec\\topic";
constexpr char kAppPathsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";  // under HKEY_LOCAL_MACHINE

}  // namespace settings
