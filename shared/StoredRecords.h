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

// The rectangle of a record (its left, top, right and bottom fields) from and to any
// rectangle type with those four members.
template <class Record, class Rect>
void StoreRect(Record& record, const Rect& rect)
{
    record.left = static_cast<std::int32_t>(rect.left);
    record.top = static_cast<std::int32_t>(rect.top);
    record.right = static_cast<std::int32_t>(rect.right);
    record.bottom = static_cast<std::int32_t>(rect.bottom);
}

template <class Rect, class Record>
Rect StoredRect(const Record& record)
{
    Rect rect{};
    rect.left = record.left;
    rect.top = record.top;
    rect.right = record.right;
    rect.bottom = record.bottom;
    return rect;
}
