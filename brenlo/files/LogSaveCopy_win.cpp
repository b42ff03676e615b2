#include "LogSaveCopy.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "Handles.h"

namespace {

// The copy being written: closed and deleted unless it was given its final name.
class CTemporaryCopy {
public:
    CTemporaryCopy() = default;
    CTemporaryCopy(const CTemporaryCopy&) = delete;
    CTemporaryCopy& operator=(const CTemporaryCopy&) = delete;
    ~CTemporaryCopy()
    {
        m_file.Reset();
        if (!m_path.empty())
            ::DeleteFileA(m_path.c_str());
    }

    // Makes a new empty file with a unique name in the folder; false with the error.
    bool Create(const std::string& folder, DWORD& error)
    {
        char name[MAX_PATH];
        if (!::GetTempFileNameA(folder.c_str(), "~bl", 0, name)) {
            error = ::GetLastError();
            return false;
        }
        m_path = name;
        m_file.Reset(::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        error = m_file ? 0 : ::GetLastError();
        return static_cast<bool>(m_file);
    }

    HANDLE File() const { return m_file.Get(); }

    // The copy on disk before it takes the target's name, so the name never stands for a
    // file whose end is still in the cache.
    bool Flush(DWORD& error)
    {
        error = ::FlushFileBuffers(m_file.Get()) ? 0 : ::GetLastError();
        return error == 0;
    }

    // Closes the copy and gives it the target's name, replacing what was there.
    bool MoveTo(const std::string& target, DWORD& error)
    {
        m_file.Reset();
        if (!::MoveFileExA(m_path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = ::GetLastError();
            return false;
        }
        m_path.clear();
        return true;
    }

private:
    std::string m_path;
    CFileHandle m_file;
};

LogSaveResult Failure(LogSaveOutcome outcome, DWORD error, std::uint64_t bytes = 0)
{
    LogSaveResult result;
    result.outcome = outcome;
    result.systemError = error;
    result.bytes = bytes;
    return result;
}

LogSaveOutcome WriteOutcome(DWORD error)
{
    return (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) ? LogSaveOutcome::DiskFull
                                                                         : LogSaveOutcome::WriteFailed;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    if (slash == 0 || path[slash - 1] == ':')
        return path.substr(0, slash + 1);  // "\" or "C:\": the root keeps its separator
    return path.substr(0, slash);
}

bool SameFile(HANDLE source, const std::string& target)
{
    CFileHandle other(::CreateFileA(target.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    return other && ::GetFileInformationByHandle(source, &a) && ::GetFileInformationByHandle(other.Get(), &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// Why the chosen name cannot take a copy, known before anything is copied; Saved when it can.
LogSaveOutcome CheckTarget(const std::string& target)
{
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return LogSaveOutcome::TargetIsFolder;
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return LogSaveOutcome::TargetReadOnly;
    }
    const DWORD folder = ::GetFileAttributesA(FolderOf(target).c_str());
    if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
        return LogSaveOutcome::TargetFolderMissing;
    return LogSaveOutcome::Saved;
}

}  // namespace

LogSaveResult SaveLogCopy(const std::string& source, const std::string& target, const LogSaveProgress& progress)
{
    CFileHandle in(::CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in)
        return Failure(LogSaveOutcome::SourceUnreadable, ::GetLastError());
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(in.Get(), &size))
        return Failure(LogSaveOutcome::SourceUnreadable, ::GetLastError());
    const std::uint64_t total = static_cast<std::uint64_t>(size.QuadPart);

    if (SameFile(in.Get(), target)) {
        LogSaveResult same;
        same.bytes = total;
        return same;
    }
    const LogSaveOutcome targetProblem = CheckTarget(target);
    if (targetProblem != LogSaveOutcome::Saved)
        return Failure(targetProblem, 0);

    CTemporaryCopy copy;
    DWORD error = 0;
    if (!copy.Create(FolderOf(target), error))
        return Failure(LogSaveOutcome::TargetNotCreated, error);

    std::vector<char> block(kLogSaveBlockBytes);
    std::uint64_t copied = 0;
    while (copied < total) {
        if (progress && !progress(copied, total))
            return Failure(LogSaveOutcome::Cancelled, 0, copied);
        const std::uint64_t left = total - copied;
        const DWORD want = static_cast<DWORD>(left < block.size() ? left : block.size());
        DWORD got = 0;
        if (!::ReadFile(in.Get(), block.data(), want, &got, nullptr))
            return Failure(LogSaveOutcome::SourceUnreadable, ::GetLastError(), copied);
        if (got == 0)
            return Failure(LogSaveOutcome::SourceCutShort, 0, copied);
        DWORD written = 0;
        if (!::WriteFile(copy.File(), block.data(), got, &written, nullptr)) {
            error = ::GetLastError();
            return Failure(WriteOutcome(error), error, copied);
        }
        if (written != got)
            return Failure(LogSaveOutcome::DiskFull, ERROR_DISK_FULL, copied + written);
        copied += got;
    }
    // A log cut short after the last read shows only in its size.
    if (::GetFileSizeEx(in.Get(), &size) && static_cast<std::uint64_t>(size.QuadPart) < total)
        return Failure(LogSaveOutcome::SourceCutShort, 0, copied);
    if (progress && !progress(copied, total))
        return Failure(LogSaveOutcome::Cancelled, 0, copied);
    in.Reset();

    if (!copy.Flush(error))
        return Failure(WriteOutcome(error), error, copied);
    if (!copy.MoveTo(target, error)) {
        const DWORD attributes = ::GetFileAttributesA(target.c_str());
        const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
        return Failure(readOnly ? LogSaveOutcome::TargetReadOnly : LogSaveOutcome::ReplaceFailed, error, copied);
    }
    LogSaveResult saved;
    saved.bytes = copied;
    return saved;
}
