#include "ConfigTest.h"

#include "GeneralFlags.h"
#include "LauncherIds.h"
#include "LauncherLink.h"
#include "ProcessRunner.h"

namespace {

constexpr DWORD kTestTimeoutMs = 30000;

}  // namespace

std::string ConfigTestProgram(const CSettingsStore& settings, const std::string& launcherFolder)
{
    if (general::Has(settings.ReadGeneral(), general::kUseApacheExe))
        return settings.ReadApachePath() + "\\" + kServerExe;
    return launcherFolder + "\\" + kStubExe;
}

ConfigTestRun ConfigTestCommand(const CSettingsStore& settings, const std::string& launcherFolder)
{
    const std::string program = ConfigTestProgram(settings, launcherFolder);
    const std::string quoted = program.find(' ') == std::string::npos ? program : "\"" + program + "\"";
    return {quoted + " " + settings.ReadCommandLine(settings::CommandLine::Test), settings.ReadApachePath()};
}

TestAnswer RunConfigTest(const CSettingsStore& settings, const std::string& launcherFolder)
{
    const ConfigTestRun run = ConfigTestCommand(settings, launcherFolder);
    if (run.folder.empty())
        return {LN_STATUS_ERROR, "No server folder is set (\"ApachePath\")."};
    const ProcessResult result = RunCaptured(run.commandLine, run.folder, kTestTimeoutMs);
    if (result.timedOut)
        return {LN_STATUS_ERROR, "The configuration test did not end within 30 seconds: " + run.commandLine};
    return AnswerForTestOutput(result.output, result.started, run.commandLine);
}
