// The POSIX side of FileIO.h, for the native build of the engine and its tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "FileIO.h"

namespace tessaly::editor {

SharedReadFile& SharedReadFile::operator=(SharedReadFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = kNone;
    }
    return *this;
}

bool SharedReadFile::Open(const std::string& path) {
    Close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

void SharedReadFile::Close() {
    if (handle_ != kNone) ::close(static_cast<int>(handle_));
    handle_ = kNone;
}

Pos SharedReadFile::Size() const {
    struct stat st;
    if (handle_ == kNone || ::fstat(static_cast<int>(handle_), &st) != 0) return -1;
    return st.st_size;
}

bool SharedReadFile::IsSameFileAs(const SharedReadFile& other) const {
    struct stat mine, theirs;
    if (handle_ == kNone || other.handle_ == kNone) return false;
    if (::fstat(static_cast<int>(handle_), &mine) != 0 || ::fstat(static_cast<int>(other.handle_), &theirs) != 0) {
        return false;
    }
    return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

Pos SharedReadFile::ReadAt(Pos offset, void* out, std::size_t n) const {
    if (handle_ == kNone) return -1;
    for (;;) {
        const ssize_t got = ::pread(static_cast<int>(handle_), out, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        return got;
    }
}

bool SharedReadFile::Seek(Pos offset) {
    return handle_ != kNone && ::lseek(static_cast<int>(handle_), static_cast<off_t>(offset), SEEK_SET) == offset;
}

Pos SharedReadFile::ReadNext(void* out, std::size_t n) {
    if (handle_ == kNone) return -1;
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(handle_), out, n);
        if (got < 0 && errno == EINTR) continue;
        return got;
    }
}

}  // namespace tessaly::editor
