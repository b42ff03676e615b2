#include "LogProbe.h"

#include <cstdio>

#include "TestPaths.h"

namespace {

std::string UniqueName(const char* kind)
{
    static int counter = 0;
    char name[96];
    std::snprintf(name, sizeof name, "TessalyLogProbe%s-%lu-%d", kind, ::GetCurrentProcessId(), ++counter);
    return name;
}

}  // namespace

bool CLogProbe::Start(const std::string& arguments)
{
    Stop();
    m_readyName = UniqueName("Ready");
    m_stopName = UniqueName("Stop");
    m_ready.Reset(::CreateEventA(nullptr, TRUE, FALSE, m_readyName.c_str()));
    m_stop.Reset(::CreateEventA(nullptr, TRUE, FALSE, m_stopName.c_str()));
    if (!m_ready || !m_stop)
        return false;
    const std::string program = testpaths::Join(testpaths::TestBinDir(), "LogWriterProbe.exe");
    std::string line = arguments;
    const auto slot = line.find("@EVENTS@");
    line.replace(slot, 8, m_readyName + " " + m_stopName);
    if (!m_process.Start(program, line))
        return false;
    m_running = true;
    HANDLE waits[2] = {m_ready.Get(), m_process.Handle()};
    return ::WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
}

bool CLogProbe::StartAppending(const std::string& log, DWORD pauseMs)
{
    m_report = log + ".probe-report";
    ::DeleteFileA(m_report.c_str());
    return Start("append \"" + log + "\" @EVENTS@ \"" + m_report + "\" " + std::to_string(pauseMs));
}

bool CLogProbe::StartHolding(const std::string& log, DWORD maxMs)
{
    m_report.clear();
    return Start("hold \"" + log + "\" @EVENTS@ " + std::to_string(maxMs));
}

int CLogProbe::Stop()
{
    if (!m_running)
        return -1;
    m_running = false;
    ::SetEvent(m_stop.Get());
    const int code = m_process.Wait(20000);
    m_process.Kill();
    std::string report;
    m_reported = !m_report.empty() && testpaths::ReadTextFile(m_report, report) &&
                 std::sscanf(report.c_str(), "lines=%lu failed=%lu", &m_lines, &m_failed) == 2;
    return code;
}

int CLogProbe::RunOnce(const std::string& arguments)
{
    CChildProcess probe;
    if (!probe.Start(testpaths::Join(testpaths::TestBinDir(), "LogWriterProbe.exe"), arguments))
        return -1;
    return probe.Wait(20000);
}

std::string CLogProbe::Line(unsigned long number)
{
    char line[32];
    std::snprintf(line, sizeof line, "probe %010lu\n", number);
    return line;
}
