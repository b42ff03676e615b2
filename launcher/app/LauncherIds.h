#pragma once
// Control ids and user-visible texts of the Launcher stand-in's window.

constexpr int IDC_EDIT_CONFIGURATION = 1001;
constexpr int IDC_OPTIONS = 1002;
constexpr int IDC_VIEW_LOGS = 1003;
constexpr int IDC_TEST_CONFIGURATION = 1004;
constexpr int IDC_EXIT = 1005;
constexpr int IDC_NOTICES = 1006;

constexpr char kMainCaption[] = "Launcher";
constexpr char kMainClass[] = "TessalyLauncherWindow";
constexpr char kMessageClass[] = "TessalyLauncherMessages";
constexpr char kAboutCaption[] = "About Launcher";
constexpr char kAboutText[] = "Launcher\n\nA small stand-in for the Launcher that starts the Tessaly tools:\n"
                              "Scrivel, Options and the log viewer Brenlo.";
constexpr char kAboutToolsPrefix[] = "Tools beside it: ";

constexpr char kScrivelExe[] = "Scrivel.exe";
constexpr char kOptionsDll[] = "Options.dll";
constexpr char kBrenloDll[] = "Brenlo.dll";
constexpr char kStubExe[] = "stub.exe";
constexpr char kServerExe[] = "apache.exe";
