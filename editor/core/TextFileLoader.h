#pragma once
// Reading a whole file into an editable text: straight into the text's own storage, with
// the line starts found on the way.
#include <string>

#include "TextBuffer.h"

namespace tessaly::editor {

// The ways a load can fail; the text given is then left empty.
enum class LoadResult { Ok = 0, CannotOpen = 1, NoSize = 2, TooLong = 3, ReadError = 4 };

// Reads the file at path into out, which must be empty. A file of some megabytes is read
// in two halves at once, each by a thread with a handle of its own that first touches the
// fresh memory it reads into (faulting pages in ahead of the read is much the cheaper way
// under Wine) and then scans what it read while it is still in the cache. A file that
// became shorter meanwhile keeps what could be read; one too big for the memory at hand
// is TooLong.
LoadResult LoadTextFile(const std::string& path, TextBuffer& out);

}  // namespace tessaly::editor
