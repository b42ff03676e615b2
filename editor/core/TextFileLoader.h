#pragma once
// Reading a whole file into an editable text: straight into the text's own storage, with
// the line starts found on the way.
#include <string>

#include "TextBuffer.h"

namespace tessaly::editor {

// The ways a load can fail; the text given is then left empty.
enum class LoadResult { Ok = 0, CannotOpen = 1, NoSize = 2, TooLong = 3, ReadError = 4 };

// Reads the file at path into out, which must be empty. A file of some megabytes is read
// by two threads at once, with a handle each, in shares of 2 MiB: the calling thread from
// the front, a second one from the back, until they meet. Each first touches the fresh
// memory it reads into (faulting pages in ahead of the read is much the cheaper way under
// Wine) and then scans what it read while it is still in the cache. A file that became
// shorter meanwhile keeps what could be read; one too big for the memory at hand is TooLong.
LoadResult LoadTextFile(const std::string& path, TextBuffer& out);

// The same with the calling thread reading from the front no further than frontLimit
// (rounded down to a share); the rest is read in shares, by the second thread or, where
// it did not, by this one, and joined.
constexpr Pos kMaxFront = Pos(1) << 62;
LoadResult LoadTextFile(const std::string& path, TextBuffer& out, Pos frontLimit);

}  // namespace tessaly::editor
