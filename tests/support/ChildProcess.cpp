#include "ChildProcess.h"

#include <vector>

bool CChildProcess::Start(const std::string& program, const std::string& arguments, const std::string& folder)
{
    Kill();
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');

    std::string workFolder = folder;
    if (workFolder.empty()) {
        const auto slash = program.find_last_of("\\/");
        if (slash != std::string::npos)
            workFolder = program.substr(0, slash);
    }

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workFolder.empty() ? nullptr : workFolder.c_str(), &startup, &info))
        return false;
    ::CloseHandle(info.hThread);
    m_process.Reset(info.hProcess);
    m_id = info.dwProcessId;
    return true;
}

bool CChildProcess::IsRunning() const
{
    return m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

int CChildProcess::Wait(DWORD timeoutMs)
{
    if (!m_process || ::WaitForSingleObject(m_process.Get(), timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.Get(), &code);
    return static_cast<int>(code);
}

void CChildProcess::Kill()
{
    if (IsRunning()) {
        ::TerminateProcess(m_process.Get(), 99);
        ::WaitForSingleObject(m_process.Get(), 5000);
    }
}

bool CChildProcess::WaitForIdle(DWORD timeoutMs) const
{
    return m_process && ::WaitForInputIdle(m_process.Get(), timeoutMs) == 0;
}
