#include "LogFileResults.h"

#include <cstdio>

namespace {

constexpr const char* kClearFailedFormat = "Cannot clear\n%s\n%s";
constexpr const char* kClearAllFailedHead = "Cannot clear these logs:";
constexpr const char* kMoreFailuresFormat = "and %d more.";
constexpr const char* kSaveFailedFormat = "Cannot save\n%s\n%s";

std::string Format(const char* format, const std::string& a, const std::string& b)
{
    const int n = std::snprintf(nullptr, 0, format, a.c_str(), b.c_str());
    std::string text(static_cast<std::size_t>(n), '\0');
    std::snprintf(text.data(), text.size() + 1, format, a.c_str(), b.c_str());
    return text;
}

std::string WithError(const char* format, unsigned long error)
{
    char text[128];
    std::snprintf(text, sizeof text, format, error);
    return text;
}

// Why a log was not cleared, as a sentence.
std::string ClearReason(const LogClearResult& result)
{
    if (result.outcome == LogClearOutcome::Busy)
        return "The file is in use by another program.";
    return WithError("Error %lu setting the file's length.", result.systemError);
}

std::string SaveReason(const LogSaveResult& result)
{
    switch (result.outcome) {
        case LogSaveOutcome::SourceUnreadable:
            return WithError("Error %lu reading the log.", result.systemError);
        case LogSaveOutcome::SourceCutShort:
            return "The log was cleared while it was being copied.";
        case LogSaveOutcome::TargetFolderMissing:
            return "The folder does not exist.";
        case LogSaveOutcome::TargetIsFolder:
            return "A folder has this name.";
        case LogSaveOutcome::TargetReadOnly:
            return "The file is read-only.";
        case LogSaveOutcome::TargetNotCreated:
            return WithError("Error %lu creating a file in the folder.", result.systemError);
        case LogSaveOutcome::DiskFull:
            return "The disk is full.";
        case LogSaveOutcome::WriteFailed:
            return WithError("Error %lu writing the copy.", result.systemError);
        case LogSaveOutcome::ReplaceFailed:
            return WithError("Error %lu replacing the file.", result.systemError);
        case LogSaveOutcome::Saved:
        case LogSaveOutcome::Cancelled:
            break;
    }
    return std::string();
}

}  // namespace

std::string ClearFailureText(const LogClearResult& result)
{
    if (!result.MustTellUser())
        return std::string();
    return Format(kClearFailedFormat, result.path, ClearReason(result));
}

std::string ClearAllFailureText(const std::vector<LogClearResult>& results)
{
    std::string text;
    int listed = 0;
    int more = 0;
    for (const LogClearResult& result : results) {
        if (!result.MustTellUser())
            continue;
        if (listed == kMaxClearFailuresListed) {
            ++more;
            continue;
        }
        text += "\n" + result.path + "\n    " + ClearReason(result);
        ++listed;
    }
    if (listed == 0)
        return std::string();
    if (more > 0) {
        char tail[64];
        std::snprintf(tail, sizeof tail, kMoreFailuresFormat, more);
        text += std::string("\n") + tail;
    }
    return kClearAllFailedHead + text;
}

std::string SaveFailureText(const LogSaveResult& result, const std::string& target)
{
    const std::string reason = SaveReason(result);
    if (reason.empty())
        return std::string();
    return Format(kSaveFailedFormat, target, reason);
}
