// The POSIX side of SafeWrite.h, for the native build of the engine and its tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "SafeWrite.h"

namespace tessaly::editor {

namespace {

SafeWriteResult Failure(SafeWriteOutcome outcome, int error = 0, std::uint64_t bytes = 0)
{
    SafeWriteResult result;
    result.outcome = outcome;
    result.systemError = static_cast<unsigned long>(error);
    result.bytes = bytes;
    return result;
}

SafeWriteOutcome WriteOutcome(int error)
{
    return error == ENOSPC || error == EDQUOT ? SafeWriteOutcome::DiskFull : SafeWriteOutcome::WriteFailed;
}

// The temporary file being written: closed and removed unless it took the target's name.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        Close();
        if (!m_kept)
            ::unlink(m_path.c_str());
    }

    bool Create(mode_t mode)
    {
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd < 0)
            m_kept = true;  // not ours: whatever holds the name stays
        return m_fd >= 0;
    }
    int File() const { return m_fd; }
    bool Close()
    {
        const bool ok = m_fd < 0 || ::close(m_fd) == 0;
        m_fd = -1;
        return ok;
    }
    const std::string& Path() const { return m_path; }
    void Keep() { m_kept = true; }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_kept = false;
};

}  // namespace

SafeWriteResult WriteFileSafely(const std::string& path, const ContentSource& content)
{
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    mode_t mode = 0644;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return Failure(SafeWriteOutcome::TargetIsFolder);
        if (!(st.st_mode & S_IWUSR))
            return Failure(SafeWriteOutcome::TargetReadOnly);
        mode = st.st_mode & 07777;
    } else {
        struct stat folder {};
        if (::stat(FolderOfPath(path).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
            return Failure(SafeWriteOutcome::FolderMissing, errno);
    }

    RemoveSaveLeftover(path);
    TemporaryFile temporary(SaveTemporaryPath(path));
    if (!temporary.Create(mode))
        return Failure(SafeWriteOutcome::NoTemporaryFile, errno);

    std::uint64_t written = 0;
    int writeError = 0;
    const ContentSink sink = [&](const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t done = ::write(temporary.File(), data, size);
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0) {
                writeError = done < 0 ? errno : ENOSPC;
                return false;
            }
            written += static_cast<std::uint64_t>(done);
            data += done;
            size -= static_cast<std::size_t>(done);
        }
        return true;
    };
    if (!content(sink)) {
        if (writeError == 0)
            return Failure(SafeWriteOutcome::Stopped, 0, written);
        return Failure(WriteOutcome(writeError), writeError, written);
    }
    if (::fsync(temporary.File()) != 0 || !temporary.Close())
        return Failure(WriteOutcome(errno), errno, written);
    if (exists)
        ::chmod(temporary.Path().c_str(), mode);
    if (::rename(temporary.Path().c_str(), path.c_str()) != 0)
        return Failure(SafeWriteOutcome::ReplaceFailed, errno, written);
    temporary.Keep();
    SafeWriteResult saved;
    saved.bytes = written;
    return saved;
}

bool RemoveSaveLeftover(const std::string& path)
{
    const std::string leftover = SaveTemporaryPath(path);
    struct stat st {};
    if (::lstat(leftover.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !(st.st_mode & S_IWUSR))
        return false;
    return ::unlink(leftover.c_str()) == 0;
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    struct stat x {
    }, y{};
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

}  // namespace tessaly::editor
