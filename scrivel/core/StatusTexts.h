#pragma once
// Texts prepared for showing: a flashed status message as the status bar draws it, and a
// message whose "%s" stands for a file's path.

#include <string>
#include <string_view>

// Room of a flashed message, in characters.
constexpr std::size_t kFlashTextRoom = 255;

// At most the first 255 characters of `text` (up to its NUL), each character below 32 and
// each byte of 128 or more shown as a space.
std::string FlashText(const char* text);

// `format` with its first "%s" replaced by `path` (no other conversions take place).
std::string WithPath(std::string_view format, std::string_view path);
