#pragma once
// Saving a buffer without ever damaging the file it replaces: the text goes to a temporary
// file in the same folder, which is flushed and then takes the target's place, keeping the
// target's attributes. On any failure the target is left exactly as it was.
#include <string>

#include "EditBuffer.h"

namespace tessaly::editor {

enum class WriteResult : int {
    Ok = 0,
    TargetReadOnly,     // the target is marked read-only
    TargetLocked,       // another program holds the target open without sharing it
    NoTemporaryFile,    // the folder is missing or cannot be written
    WriteFailed,        // writing or flushing the temporary file failed (disk full, ...)
    ReplaceFailed,      // the temporary file could not take the target's place
};

WriteResult WriteBufferToFile(const EditBuffer& buffer, const std::string& path);

}  // namespace tessaly::editor
