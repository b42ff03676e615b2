#pragma once
// The texts of the log tree: paths as the viewer keeps them, item labels with or without
// sizes, and the case-insensitive key that decides both duplicates and order.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The Launcher's texts are C strings: anything after an embedded NUL is not part of them.
std::string_view CText(std::string_view text);

// The path with every "/" turned into "\".
std::string BackslashPath(std::string_view path);

// The part of a backslash path after its last "\" (the whole path when it has none).
std::string NameOfPath(std::string_view path);

// A size in kilobytes with two decimals ("1.50" for 1536 bytes). Worked out in integers so
// every build prints the same digits: a size exactly halfway between two hundredths is
// rounded up, as the system's C library does for "%.2f".
std::string KilobyteText(std::uint64_t size);

// The label of a file item: the name alone, or "%s - %.2fKb" with the size when sizes
// are shown.
std::string LogItemLabel(std::string_view name, std::uint64_t size, bool showSizes);

// Which bytes start a two-byte character in the ANSI code page (all false for single-byte
// code pages). The second byte of such a character is never case-folded.
using LeadByteTable = std::array<bool, 256>;

// The key under which two texts are the same item when they differ only in letter case
// (A to Z against a to z); keys also give the items their alphabetical order.
std::string FoldCase(std::string_view text, const LeadByteTable* leadBytes = nullptr);

// The same as comparing, testing or hashing FoldCase of the texts, without making the keys.
int FoldCompare(std::string_view a, std::string_view b, const LeadByteTable* leadBytes = nullptr);
bool FoldEqual(std::string_view a, std::string_view b, const LeadByteTable* leadBytes = nullptr);
std::uint32_t FoldHash(std::string_view text, const LeadByteTable* leadBytes = nullptr);
