#pragma once
// Reading a whole file into an editable text: straight into the text's own storage, with
// the line starts found on the way.
#include <string>

#include "TextBuffer.h"

namespace tessaly::editor {

// The ways a load can fail; the text given is then left empty.
enum class LoadResult { Ok = 0, CannotOpen = 1, NoSize = 2, TooLong = 3, ReadError = 4 };

// Reads the file at path into out, which must be empty. The calling thread reads the file
// in order and scans each block for line starts while it is still in the cache; for a
// file of some megabytes a second thread meanwhile faults in the fresh memory ahead of
// the reads, which under Wine costs about twice the reading itself. A file that became
// shorter meanwhile keeps what could be read; one too big for the memory at hand is
// TooLong.
LoadResult LoadTextFile(const std::string& path, TextBuffer& out);

}  // namespace tessaly::editor
