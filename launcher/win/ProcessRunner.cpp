#include "ProcessRunner.h"

#include "Handles.h"

namespace {

// Reads the pipe on a thread of its own so that a program that never ends can be bounded.
struct PipeReader {
    HANDLE pipe;
    std::string* output;
    const std::function<void(const char*, DWORD)>* onOutput;

    static DWORD WINAPI Run(void* param)
    {
        auto* self = static_cast<PipeReader*>(param);
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(self->pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) {
            self->output->append(buffer, read);
            if (*self->onOutput)
                (*self->onOutput)(buffer, read);
        }
        return 0;
    }
};

}  // namespace

ProcessResult RunCaptured(const std::string& commandLine, const std::string& folder, DWORD timeoutMs,
                          const std::function<void(const char*, DWORD)>& onOutput)
{
    ProcessResult result;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    CKernelHandle outRead, outWrite, inRead, inWrite;
    if (!::CreatePipe(outRead.Receive(), outWrite.Receive(), &inherit, 0) ||
        !::CreatePipe(inRead.Receive(), inWrite.Receive(), &inherit, 0))
        return result;
    // Our ends stay in this process only.
    ::SetHandleInformation(outRead.Get(), HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(inWrite.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = inRead.Get();
    startup.hStdOutput = outWrite.Get();
    startup.hStdError = outWrite.Get();
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    const BOOL started = ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                          folder.empty() ? nullptr : folder.c_str(), &startup, &info);
    outWrite.Reset();
    inRead.Reset();
    if (!started)
        return result;
    CKernelHandle process(info.hProcess), thread(info.hThread);
    result.started = true;

    PipeReader reader{outRead.Get(), &result.output, &onOutput};
    CKernelHandle readerThread(::CreateThread(nullptr, 0, &PipeReader::Run, &reader, 0, nullptr));
    if (::WaitForSingleObject(process.Get(), timeoutMs) == WAIT_TIMEOUT) {
        ::TerminateProcess(process.Get(), 1);
        ::WaitForSingleObject(process.Get(), 5000);
        result.timedOut = true;
    }
    ::GetExitCodeProcess(process.Get(), &result.exitCode);
    if (readerThread) {
        // Children the program left behind may still hold the pipe: do not wait for ever.
        if (::WaitForSingleObject(readerThread.Get(), result.timedOut ? 1000 : 10000) == WAIT_TIMEOUT) {
            ::CancelSynchronousIo(readerThread.Get());
            // The reader writes into this frame: it must be gone before we return.
            if (::WaitForSingleObject(readerThread.Get(), 2000) == WAIT_TIMEOUT)
                ::TerminateThread(readerThread.Get(), 1);
        }
    } else {
        PipeReader::Run(&reader);
    }
    return result;
}

std::string ModuleFolder(HMODULE module)
{
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(module, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    const auto slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? folder : folder.substr(0, slash);
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
