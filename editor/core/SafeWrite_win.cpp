// The Windows side of SafeWrite.h: kernel32's wide file calls, so long paths work too.
#include <windows.h>

#include <algorithm>

#include "Handles.h"
#include "SafeWrite.h"
#include "WidePath_win.h"

namespace tessaly::editor {

namespace {

SafeWriteResult Failure(SafeWriteOutcome outcome, DWORD error = 0, std::uint64_t bytes = 0)
{
    SafeWriteResult result;
    result.outcome = outcome;
    result.systemError = error;
    result.bytes = bytes;
    return result;
}

bool IsDiskFull(DWORD error)
{
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

// The temporary file being written: closed and removed unless it took the target's name.
class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring path) : m_path(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        m_file.Reset();
        if (!m_kept)
            ::DeleteFileW(m_path.c_str());
    }

    // A new file: a leftover of an earlier save was removed before.
    bool Create()
    {
        m_file.Reset(::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!m_file)
            m_kept = true;  // not ours: whatever holds the name stays
        return static_cast<bool>(m_file);
    }
    HANDLE File() const { return m_file.Get(); }
    void Close() { m_file.Reset(); }
    const std::wstring& Path() const { return m_path; }
    void Keep() { m_kept = true; }

private:
    std::wstring m_path;
    CFileHandle m_file;
    bool m_kept = false;
};

// The creation time and the attributes of the file being replaced, given to its replacement.
void CopyIdentity(const std::wstring& target, const std::wstring& replacement, DWORD attributes)
{
    FILETIME created{};
    bool haveTime = false;
    {
        CFileHandle old(::CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        haveTime = old && ::GetFileTime(old.Get(), &created, nullptr, nullptr);
    }
    if (haveTime) {
        CFileHandle fresh(::CreateFileW(replacement.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (fresh)
            ::SetFileTime(fresh.Get(), &created, nullptr, nullptr);
    }
    ::SetFileAttributesW(replacement.c_str(), attributes);
}

// Why the target cannot be written, known before anything is written; Ok when it can.
SafeWriteResult CheckTarget(const std::wstring& target, const std::string& path, DWORD& attributes)
{
    attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return Failure(SafeWriteOutcome::TargetIsFolder);
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return Failure(SafeWriteOutcome::TargetReadOnly);
        // Someone holding the target without sharing it would make the rename fail after
        // the whole text was written: find out first.
        CFileHandle probe(::CreateFileW(target.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe)
            return Failure(SafeWriteOutcome::TargetLocked, ::GetLastError());
        return {};
    }
    const DWORD folder = ::GetFileAttributesW(WidePath(FolderOfPath(path)).c_str());
    if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
        return Failure(SafeWriteOutcome::FolderMissing, ::GetLastError());
    return {};
}

}  // namespace

SafeWriteResult WriteFileSafely(const std::string& path, const ContentSource& content)
{
    const std::wstring target = WidePath(path);
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    const SafeWriteResult check = CheckTarget(target, path, attributes);
    if (!check.Ok())
        return check;
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;

    RemoveSaveLeftover(path);
    TemporaryFile temporary(WidePath(SaveTemporaryPath(path)));
    if (!temporary.Create())
        return Failure(SafeWriteOutcome::NoTemporaryFile, ::GetLastError());

    std::uint64_t written = 0;
    DWORD writeError = 0;
    const ContentSink sink = [&](const char* data, std::size_t size) {
        while (size > 0) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
            DWORD done = 0;
            const bool ok = ::WriteFile(temporary.File(), data, chunk, &done, nullptr) != FALSE;
            written += done;
            if (!ok || done != chunk) {
                writeError = ok ? ERROR_DISK_FULL : ::GetLastError();
                return false;
            }
            data += chunk;
            size -= chunk;
        }
        return true;
    };
    if (!content(sink)) {
        if (writeError == 0)
            return Failure(SafeWriteOutcome::Stopped, 0, written);
        return Failure(IsDiskFull(writeError) ? SafeWriteOutcome::DiskFull : SafeWriteOutcome::WriteFailed, writeError,
                       written);
    }
    // On the disk before it takes the target's name, so the name never stands for a file
    // whose end is still in the cache.
    if (!::FlushFileBuffers(temporary.File())) {
        const DWORD error = ::GetLastError();
        return Failure(IsDiskFull(error) ? SafeWriteOutcome::DiskFull : SafeWriteOutcome::WriteFailed, error, written);
    }
    temporary.Close();
    // The new file takes the target's attributes and creation time, then its name in one
    // rename. (ReplaceFileW would keep more of the target's identity, but under Wine it
    // removes the target before the new file takes its name.)
    if (exists)
        CopyIdentity(target, temporary.Path(), attributes);
    if (!::MoveFileExW(temporary.Path().c_str(), target.c_str(),
                       (exists ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        const DWORD now = ::GetFileAttributesW(target.c_str());
        const bool readOnly = now != INVALID_FILE_ATTRIBUTES && (now & FILE_ATTRIBUTE_READONLY);
        return Failure(readOnly ? SafeWriteOutcome::TargetReadOnly : SafeWriteOutcome::ReplaceFailed, error, written);
    }
    temporary.Keep();
    SafeWriteResult saved;
    saved.bytes = written;
    return saved;
}

bool RemoveSaveLeftover(const std::string& path)
{
    const std::wstring leftover = WidePath(SaveTemporaryPath(path));
    const DWORD attributes = ::GetFileAttributesW(leftover.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    return ::DeleteFileW(leftover.c_str()) != FALSE;
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    const auto open = [](const std::string& path) {
        return CFileHandle(::CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    };
    const CFileHandle first = open(a);
    const CFileHandle second = open(b);
    BY_HANDLE_FILE_INFORMATION x{}, y{};
    return first && second && ::GetFileInformationByHandle(first.Get(), &x) &&
           ::GetFileInformationByHandle(second.Get(), &y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

}  // namespace tessaly::editor
