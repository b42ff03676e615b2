// The Windows side of FileIO.h: kernel32's file calls only.
#include <windows.h>

#include "FileIO.h"
#include "Handles.h"
#include "WidePath_win.h"

namespace tessaly::editor {

namespace {

HANDLE AsHandle(std::intptr_t h)
{
    return reinterpret_cast<HANDLE>(h);
}

}  // namespace

SharedReadFile& SharedReadFile::operator=(SharedReadFile&& other) noexcept
{
    if (this != &other) {
        Close();
        m_handle = other.m_handle;
        other.m_handle = kNone;
    }
    return *this;
}

bool SharedReadFile::Open(const std::string& path)
{
    Close();
    const std::wstring w = WidePath(path);
    HANDLE h = CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(h);
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return true;
}

void SharedReadFile::Close()
{
    if (m_handle != kNone)
        CloseHandle(AsHandle(m_handle));
    m_handle = kNone;
}

Pos SharedReadFile::Size() const
{
    LARGE_INTEGER size;
    if (m_handle == kNone || !GetFileSizeEx(AsHandle(m_handle), &size))
        return -1;
    return size.QuadPart;
}

bool SharedReadFile::IsSameFileAs(const SharedReadFile& other) const
{
    BY_HANDLE_FILE_INFORMATION mine, theirs;
    if (m_handle == kNone || other.m_handle == kNone)
        return false;
    if (!GetFileInformationByHandle(AsHandle(m_handle), &mine) ||
        !GetFileInformationByHandle(AsHandle(other.m_handle), &theirs)) {
        return false;
    }
    return mine.dwVolumeSerialNumber == theirs.dwVolumeSerialNumber && mine.nFileIndexHigh == theirs.nFileIndexHigh &&
           mine.nFileIndexLow == theirs.nFileIndexLow;
}

PathLook SharedReadFile::LookAtPath(const std::string& path) const
{
    if (m_handle == kNone)
        return PathLook::Unknown;
    const CFileHandle other(CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!other) {
        switch (GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
                return PathLook::Missing;
            case ERROR_ACCESS_DENIED:  // also what a name whose file is pending deletion answers
                return PathLook::Refused;
            default:
                return PathLook::Unknown;
        }
    }
    BY_HANDLE_FILE_INFORMATION mine, theirs;
    if (!GetFileInformationByHandle(AsHandle(m_handle), &mine) || !GetFileInformationByHandle(other.Get(), &theirs))
        return PathLook::Unknown;
    const bool same = mine.dwVolumeSerialNumber == theirs.dwVolumeSerialNumber &&
                      mine.nFileIndexHigh == theirs.nFileIndexHigh && mine.nFileIndexLow == theirs.nFileIndexLow;
    return same ? PathLook::Same : PathLook::Other;
}

FileId SharedReadFile::Id() const
{
    FileId id;
    BY_HANDLE_FILE_INFORMATION info;
    if (m_handle == kNone || !GetFileInformationByHandle(AsHandle(m_handle), &info))
        return id;
    id.volume = info.dwVolumeSerialNumber;
    id.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    id.known = true;
    return id;
}

bool SharedReadFile::IsDeletePending() const
{
    FILE_STANDARD_INFO info{};
    return m_handle != kNone &&
           GetFileInformationByHandleEx(AsHandle(m_handle), FileStandardInfo, &info, sizeof info) && info.DeletePending;
}

Pos SharedReadFile::ReadAt(Pos offset, void* out, std::size_t n) const
{
    if (m_handle == kNone)
        return -1;
    // The offset travels with the call, so readers need not share a file position.
    OVERLAPPED ov = {};
    ov.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    ov.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    DWORD got = 0;
    if (!::ReadFile(AsHandle(m_handle), out, static_cast<DWORD>(n), &got, &ov)) {
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    }
    return got;
}

bool SharedReadFile::Seek(Pos offset)
{
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return m_handle != kNone && SetFilePointerEx(AsHandle(m_handle), to, nullptr, FILE_BEGIN);
}

Pos SharedReadFile::ReadNext(void* out, std::size_t n)
{
    if (m_handle == kNone)
        return -1;
    DWORD got = 0;
    if (!::ReadFile(AsHandle(m_handle), out, static_cast<DWORD>(n), &got, nullptr))
        return -1;
    return got;
}

}  // namespace tessaly::editor
