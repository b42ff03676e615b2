#pragma once
// Reading a file that others go on writing, with one implementation per platform.
#include <cstddef>
#include <cstdint>
#include <string>

#include "EditorTypes.h"

namespace tessaly::editor {

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
