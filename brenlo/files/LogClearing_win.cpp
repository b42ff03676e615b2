#include "LogClearing.h"

#include <windows.h>

#include "Handles.h"

namespace {

// Errors that go away when the other program lets go of the file or unlocks it.
bool IsPassing(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_USER_MAPPED_FILE;
}

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
}

// One try; a Busy result may be tried again.
void TryClear(LogClearResult& result)
{
    ++result.attempts;
    result.systemError = 0;
    // Windows will not open a read-only file for writing; Wine run by the superuser would.
    const DWORD attributes = ::GetFileAttributesA(result.path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        result.systemError = ERROR_ACCESS_DENIED;
        result.outcome = LogClearOutcome::Refused;
        return;
    }
    CFileHandle file(::CreateFileA(result.path.c_str(), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        result.systemError = error;
        if (IsPassing(error))
            result.outcome = LogClearOutcome::Busy;
        else if (IsMissing(error))
            result.outcome = LogClearOutcome::Missing;
        else
            result.outcome = LogClearOutcome::Refused;
        return;
    }
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.Get())) {
        const DWORD error = ::GetLastError();
        result.systemError = error;
        result.outcome = IsPassing(error) ? LogClearOutcome::Busy : LogClearOutcome::LengthNotSet;
        return;
    }
    result.outcome = LogClearOutcome::Cleared;
}

}  // namespace

CLogClearRun::CLogClearRun(const CLogTree& tree, const std::vector<int>& indices, const LogClearRetry& retry)
    : m_retry(retry)
{
    const auto& entries = tree.Entries();
    for (int index : indices) {
        LogClearResult result;
        result.index = index;
        const bool named = index >= 0 && index < static_cast<int>(entries.size());
        if (named)
            result.path = entries[index].path;
        if (named && entries[index].exists)
            TryClear(result);
        else
            result.outcome = LogClearOutcome::Missing;
        m_results.push_back(std::move(result));
    }
}

CLogClearRun::CLogClearRun(const std::string& path, const LogClearRetry& retry) : m_retry(retry)
{
    LogClearResult result;
    result.path = path;
    TryClear(result);
    m_results.push_back(std::move(result));
}

bool CLogClearRun::MustRetry() const
{
    if (m_round >= m_retry.attempts)
        return false;
    for (const LogClearResult& result : m_results) {
        if (result.outcome == LogClearOutcome::Busy)
            return true;
    }
    return false;
}

void CLogClearRun::RetryBusy()
{
    ++m_round;
    for (LogClearResult& result : m_results) {
        if (result.outcome == LogClearOutcome::Busy)
            TryClear(result);
    }
}

void CLogClearRun::MarkCleared(CLogTree& tree)
{
    for (LogClearResult& result : m_results) {
        if (result.Cleared() && result.index >= 0)
            result.label = tree.MarkCleared(result.index);
    }
}

namespace {
void RunWaiting(CLogClearRun& run)
{
    while (run.MustRetry()) {
        ::Sleep(run.PauseMs());
        run.RetryBusy();
    }
}
}  // namespace

LogClearResult ClearLogFile(const std::string& path, const LogClearRetry& retry)
{
    CLogClearRun run(path, retry);
    RunWaiting(run);
    return run.Results().front();
}

LogClearResult ClearLogEntry(CLogTree& tree, int index, const LogClearRetry& retry)
{
    CLogClearRun run(tree, {index}, retry);
    RunWaiting(run);
    run.MarkCleared(tree);
    return run.Results().front();
}

std::vector<LogClearResult> ClearAllLogEntries(CLogTree& tree, const LogClearRetry& retry)
{
    CLogClearRun run(tree, tree.ClearAllTargets(), retry);
    RunWaiting(run);
    run.MarkCleared(tree);
    return run.Results();
}
