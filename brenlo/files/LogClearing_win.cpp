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

// Tries every result that is still busy again, pausing between rounds, until none is
// busy or the tries are used up.
void RetryBusy(std::vector<LogClearResult*>& results, const LogClearRetry& retry)
{
    for (int round = 1; round < retry.attempts; ++round) {
        bool anyBusy = false;
        for (const LogClearResult* result : results)
            anyBusy = anyBusy || result->outcome == LogClearOutcome::Busy;
        if (!anyBusy)
            return;
        ::Sleep(retry.pauseMs);
        for (LogClearResult* result : results) {
            if (result->outcome == LogClearOutcome::Busy)
                TryClear(*result);
        }
    }
}

void MarkClearedEntry(CLogTree& tree, LogClearResult& result)
{
    if (result.Cleared())
        result.label = tree.MarkCleared(result.index);
}

}  // namespace

LogClearResult ClearLogFile(const std::string& path, const LogClearRetry& retry)
{
    LogClearResult result;
    result.path = path;
    TryClear(result);
    std::vector<LogClearResult*> one{&result};
    RetryBusy(one, retry);
    return result;
}

LogClearResult ClearLogEntry(CLogTree& tree, int index, const LogClearRetry& retry)
{
    const auto& entries = tree.Entries();
    if (index < 0 || index >= static_cast<int>(entries.size()) || !entries[index].exists) {
        LogClearResult result;
        result.index = index;
        result.outcome = LogClearOutcome::Missing;
        if (index >= 0 && index < static_cast<int>(entries.size()))
            result.path = entries[index].path;
        return result;
    }
    LogClearResult result = ClearLogFile(entries[index].path, retry);
    result.index = index;
    MarkClearedEntry(tree, result);
    return result;
}

std::vector<LogClearResult> ClearAllLogEntries(CLogTree& tree, const LogClearRetry& retry)
{
    const std::vector<int> targets = tree.ClearAllTargets();
    std::vector<LogClearResult> results(targets.size());
    std::vector<LogClearResult*> pending;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        LogClearResult& result = results[i];
        result.index = targets[i];
        result.path = tree.Entries()[targets[i]].path;
        TryClear(result);
        pending.push_back(&result);
    }
    RetryBusy(pending, retry);
    for (LogClearResult& result : results)
        MarkClearedEntry(tree, result);
    return results;
}
