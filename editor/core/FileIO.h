#pragma once
// Reading a file that others go on writing, with one implementation per platform.
#include <cstddef>
#include <cstdint>
#include <string>

#include "EditorTypes.h"

namespace tessaly::editor {

// What a path names beside a file held open under that path.
enum class PathLook {
    Same,     // the open file
    Other,    // another file took its place
    Missing,  // nothing: the file was deleted, or renamed away
    Refused,  // it exists but will not open even for its attributes (a deleted file whose
              // name stays until its last handle is closed answers so)
    Unknown,  // the question failed otherwise
};

// Which file a handle is open on (not which path): equal for two handles on one file.
struct FileId {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool known = false;
    bool operator==(const FileId& other) const
    {
        return known && other.known && volume == other.volume && index == other.index;
    }
};

// A file opened for reading only, sharing read, write and delete access with everyone
// else, so that a server can append to it and another program can truncate or delete
// it meanwhile. Nothing is mapped.
class SharedReadFile {
public:
    SharedReadFile() = default;
    ~SharedReadFile() { Close(); }
    SharedReadFile(const SharedReadFile&) = delete;
    SharedReadFile& operator=(const SharedReadFile&) = delete;
    SharedReadFile(SharedReadFile&& other) noexcept : m_handle(other.m_handle) { other.m_handle = kNone; }
    SharedReadFile& operator=(SharedReadFile&& other) noexcept;

    // The path is in the system's single-byte code page. False for a missing file or a folder.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_handle != kNone; }
    void Close();

    // The current size, or -1.
    Pos Size() const;
    // True when both are open on the same file (not merely the same path).
    bool IsSameFileAs(const SharedReadFile& other) const;
    FileId Id() const;
    // What the path names now, beside this open file. It is looked at through a handle that
    // asks for the attributes only and shares everything, closed at once.
    PathLook LookAtPath(const std::string& path) const;
    // The open file was deleted: on a system that keeps a deleted file's name until its
    // last handle is closed, nobody can create a file of that name meanwhile.
    bool IsDeletePending() const;
    // Reads up to n bytes at offset; returns how many were read (0 past the end), or -1.
    // For reading here and there; the file position is left undefined.
    Pos ReadAt(Pos offset, void* out, std::size_t n) const;
    // Sequential reading from the file position, several times faster under Wine than
    // reading at given offsets: Seek once, then ReadNext as ReadAt.
    bool Seek(Pos offset);
    Pos ReadNext(void* out, std::size_t n);

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;
};

}  // namespace tessaly::editor
