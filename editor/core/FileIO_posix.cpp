// The POSIX side of FileIO.h, for the native build of the engine and its tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "FileIO.h"

namespace tessaly::editor {

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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_handle = fd;
    return true;
}

void SharedReadFile::Close()
{
    if (m_handle != kNone)
        ::close(static_cast<int>(m_handle));
    m_handle = kNone;
}

Pos SharedReadFile::Size() const
{
    struct stat st;
    if (m_handle == kNone || ::fstat(static_cast<int>(m_handle), &st) != 0)
        return -1;
    return st.st_size;
}

bool SharedReadFile::IsSameFileAs(const SharedReadFile& other) const
{
    struct stat mine, theirs;
    if (m_handle == kNone || other.m_handle == kNone)
        return false;
    if (::fstat(static_cast<int>(m_handle), &mine) != 0 || ::fstat(static_cast<int>(other.m_handle), &theirs) != 0) {
        return false;
    }
    return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

PathLook SharedReadFile::LookAtPath(const std::string& path) const
{
    struct stat mine, theirs;
    if (m_handle == kNone || ::fstat(static_cast<int>(m_handle), &mine) != 0)
        return PathLook::Unknown;
    if (::stat(path.c_str(), &theirs) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return PathLook::Missing;
        return errno == EACCES ? PathLook::Refused : PathLook::Unknown;
    }
    return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino ? PathLook::Same : PathLook::Other;
}

FileId SharedReadFile::Id() const
{
    FileId id;
    struct stat st;
    if (m_handle == kNone || ::fstat(static_cast<int>(m_handle), &st) != 0)
        return id;
    id.volume = static_cast<std::uint64_t>(st.st_dev);
    id.index = static_cast<std::uint64_t>(st.st_ino);
    id.known = true;
    return id;
}

bool SharedReadFile::IsDeletePending() const
{
    // A file unlinked while open has no names left.
    struct stat st;
    return m_handle != kNone && ::fstat(static_cast<int>(m_handle), &st) == 0 && st.st_nlink == 0;
}

Pos SharedReadFile::ReadAt(Pos offset, void* out, std::size_t n) const
{
    if (m_handle == kNone)
        return -1;
    for (;;) {
        const ssize_t got = ::pread(static_cast<int>(m_handle), out, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        return got;
    }
}

bool SharedReadFile::Seek(Pos offset)
{
    return m_handle != kNone && ::lseek(static_cast<int>(m_handle), static_cast<off_t>(offset), SEEK_SET) == offset;
}

Pos SharedReadFile::ReadNext(void* out, std::size_t n)
{
    if (m_handle == kNone)
        return -1;
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(m_handle), out, n);
        if (got < 0 && errno == EINTR)
            continue;
        return got;
    }
}

}  // namespace tessaly::editor
