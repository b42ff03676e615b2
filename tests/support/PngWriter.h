#pragma once
// Writes 24-bit RGB pictures as PNG files (stored deflate blocks: no compression library
// needed), so end-to-end tests can save what a user sees. Window-free.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace png {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

// rgb: height rows of width * 3 bytes, top row first.
std::vector<std::uint8_t> Encode(int width, int height, const std::vector<std::uint8_t>& rgb);
bool WriteFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace png
