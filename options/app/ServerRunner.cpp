#include "ServerRunner.h"

#include <algorithm>
#include <vector>

#include "Handles.h"
#include "HostProgram.h"
#include "OptionsApp.h"
#include "ServerCommand.h"

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kEndWaitMs = 2000;
// Paint messages handled in one round, so that a window that never validates cannot hold
// the wait.
constexpr int kPaintsPerRound = 64;

// An anonymous pipe's two ends, closed with it; the caller keeps one and hands the other to
// the child.
struct CPipe {
    CKernelHandle read;
    CKernelHandle write;

    bool Create()
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE r = nullptr;
        HANDLE w = nullptr;
        if (!::CreatePipe(&r, &w, &inherit, 0))
            return false;
        read.Reset(r);
        write.Reset(w);
        return true;
    }
};

// The dialog is drawn while the page waits; input waits until the page has its text. The
// wait ends early when the process ends, but an ended process, whose handle is signalled for
// good, is not waited on: while a process it started holds the pipe that would spin.
void PaintWhileWaiting(HANDLE process)
{
    const DWORD handles = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT ? 1 : 0;
    ::MsgWaitForMultipleObjects(handles, &process, FALSE, kPollMs, QS_PAINT);
    MSG msg;
    for (int i = 0; i < kPaintsPerRound && ::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessageA(&msg);
}

// The end of the wait for one server run, counted from its start.
class CDeadline {
public:
    explicit CDeadline(DWORD limitMs) : m_start(::GetTickCount()), m_limit(limitMs) {}
    bool Passed() const { return ::GetTickCount() - m_start >= m_limit; }

private:
    DWORD m_start;
    DWORD m_limit;
};

// Reads until every writer has closed the pipe; false when the deadline came first.
bool ReadAll(HANDLE pipe, HANDLE process, const CDeadline& deadline, std::string& text)
{
    char piece[servercmd::kPieceSize + 1];
    for (;;) {
        DWORD available = 0;
        if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr))
            return true;
        if (available > 0) {
            DWORD got = 0;
            const DWORD wanted = std::min<DWORD>(available, servercmd::kPieceSize);
            if (!::ReadFile(pipe, piece, wanted, &got, nullptr))
                return true;
            piece[got] = '\0';
            servercmd::AppendPiece(text, piece, got);
            continue;
        }
        if (deadline.Passed())
            return false;
        PaintWhileWaiting(process);
    }
}

bool WaitForEnd(HANDLE process, const CDeadline& deadline)
{
    while (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        if (deadline.Passed())
            return false;
        PaintWhileWaiting(process);
    }
    return true;
}

}  // namespace

std::string RunCapturedCommand(const std::string& commandLine, const std::string& folder, DWORD waitLimitMs)
{
    CPipe output;
    CPipe input;
    if (!output.Create() || !input.Create())
        return {};
    // Only the child's ends are inherited.
    ::SetHandleInformation(output.read.Get(), HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(input.write.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = input.read.Get();
    startup.hStdOutput = output.write.Get();
    startup.hStdError = output.write.Get();
    PROCESS_INFORMATION info{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const BOOL started =
        ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup, &info);
    // The pipe breaks once the child and whatever it started have closed their copies.
    output.write.Reset();
    input.read.Reset();
    if (!started)
        return {};
    CKernelHandle process(info.hProcess);
    CKernelHandle thread(info.hThread);

    std::string text;
    const CDeadline deadline(waitLimitMs);
    if (!ReadAll(output.read.Get(), process.Get(), deadline, text) || !WaitForEnd(process.Get(), deadline)) {
        ::TerminateProcess(process.Get(), 1);
        ::WaitForSingleObject(process.Get(), kEndWaitMs);
        return servercmd::WithStoppedNote(std::move(text));
    }
    return text;
}

std::string RunServerCommand(const std::string& switches)
{
    const CSettingsStore store = OptionsApp().Settings();
    const std::string folder = store.ReadApachePath();
    if (folder.empty())
        return {};
    const std::string commandLine = servercmd::CommandLine(folder, HostProgramFolder(), store.ReadGeneral(), switches);
    return RunCapturedCommand(commandLine, folder, servercmd::kWaitLimitMs);
}
