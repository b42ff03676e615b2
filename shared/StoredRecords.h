#pragma once
// Binary records kept in the settings store, decoded from exactly the bytes stored.
// A value shorter than its record reads as absent: nothing past its end is ever read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The platform's window placement: length, flags, show command, minimised position,
// maximised position, normal rectangle; eleven little-endian 32-bit fields.
struct PlacementRecord {
    std::int32_t length = kSize;
    std::int32_t flags = 0;
    std::int32_t showCmd = 0;
    std::int32_t minX = 0, minY = 0;
    std::int32_t maxX = 0, maxY = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;

    static constexpr std::size_t kSize = 44;

    static std::optional<PlacementRecord> Decode(const std::vector<std::uint8_t>& bytes);
    std::array<std::uint8_t, kSize> Encode() const;
};

// The documentation bar's state: three sizes (cx, cy), the style masked with 0xFF00,
// the window rectangle and whether the bar floats; twelve little-endian 32-bit fields.
struct BarStateRecord {
    std::int32_t horzCx = 0, horzCy = 0;
    std::int32_t vertCx = 0, vertCy = 0;
    std::int32_t floatCx = 0, floatCy = 0;
    std::int32_t style = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int32_t floating = 0;

    static constexpr std::size_t kSize = 48;

    static std::optional<BarStateRecord> Decode(const std::vector<std::uint8_t>& bytes);
    std::array<std::uint8_t, kSize> Encode() const;
};
