#pragma once
// Basic types of the window-free editing engine.
#include <cstdint>

namespace tessaly::editor {

// A byte offset into a text: 64 bits, for logs beyond 4 GB. Line ends count as the
// file has them (CR LF is two).
using Pos = std::int64_t;

}  // namespace tessaly::editor
