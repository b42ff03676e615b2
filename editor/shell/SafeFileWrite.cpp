#include "SafeFileWrite.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "Handles.h"
#include "LongPath.h"

namespace tessaly::editor {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

// The temporary file, removed unless it was moved into place. Named as the system names
// temporary files ("tse" and four hex digits), but made by the wide calls, so that a folder
// of any length can hold it.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder) {
        std::wstring base = WideFilePath(folder.c_str());
        if (base.empty()) return;
        if (base.back() != L'\\') base += L'\\';
        const DWORD start = ::GetTickCount();
        for (DWORD unique = 0; unique < 0x10000; ++unique) {
            wchar_t name[16];
            swprintf(name, 16, L"tse%04X.tmp", static_cast<unsigned>((start + unique) & 0xFFFF));
            CFileHandle made(::CreateFileW((base + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
            if (made) {
                path_ = base + name;
                return;
            }
            if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) return;
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty() && !kept_) ::DeleteFileW(path_.c_str());
    }
    const std::wstring& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    std::wstring path_;
    bool kept_ = false;
};

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr) || written != chunk) return false;
        data += chunk;
        size -= chunk;
    }
    return true;
}

// The creation time and the attributes of the file being replaced, given to its replacement.
void CopyIdentity(const std::wstring& target, const std::wstring& replacement, DWORD attributes) {
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

}  // namespace

WriteResult WriteBufferToFile(const EditBuffer& buffer, const std::string& path) {
    // Paths of any length: the wide calls with the long form of the path.
    const std::wstring target = WideFilePath(path.c_str());
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return WriteResult::TargetReadOnly;
    if (exists) {
        // Someone holding the target without sharing it would make the replacement fail
        // halfway: find out before anything is written.
        CFileHandle probe(::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe) return WriteResult::TargetLocked;
    }

    TemporaryFile temporary(FolderOf(path));
    if (temporary.Path().empty()) return WriteResult::NoTemporaryFile;
    {
        CFileHandle file(::CreateFileW(temporary.Path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return WriteResult::NoTemporaryFile;
        const bool written = buffer.WriteText([&](const char* data, std::size_t size) { return WriteAll(file.Get(), data, size); });
        if (!written || !::FlushFileBuffers(file.Get())) return WriteResult::WriteFailed;
    }
    if (exists) {
        // The new file takes the target's attributes and creation time, then its name in one
        // rename, so that at every moment the target is the old file or the new one, whole.
        // (ReplaceFileW would keep more of the target's identity, but under Wine it removes the
        // target before the new file takes its name.)
        CopyIdentity(target, temporary.Path(), attributes);
    }
    if (!::MoveFileExW(temporary.Path().c_str(), target.c_str(),
                       (exists ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH)) {
        return WriteResult::ReplaceFailed;
    }
    temporary.Keep();
    return WriteResult::Ok;
}

}  // namespace tessaly::editor
