#pragma once
// The configuration test the Launcher runs for "Test configuration" and for code 10: the
// stored "Test" switches given to stub.exe beside the Launcher or to the server's own
// apache.exe (bit 7 of "General"), in the server folder, with everything it prints captured.

#include <string>

#include "SettingsStore.h"
#include "TestReport.h"

struct ConfigTestRun {
    std::string commandLine;
    std::string folder;  // "ApachePath"
};

// The command line the settings choose; launcherFolder holds stub.exe.
ConfigTestRun ConfigTestCommand(const CSettingsStore& settings, const std::string& launcherFolder);
// Runs it (bounded to 30 seconds) and turns what it printed into the answer for the editor.
TestAnswer RunConfigTest(const CSettingsStore& settings, const std::string& launcherFolder);
// The program the test runs, to know whether it is there at all.
std::string ConfigTestProgram(const CSettingsStore& settings, const std::string& launcherFolder);
