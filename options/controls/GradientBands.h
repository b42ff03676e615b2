#pragma once
// The caption header's gradient as a list of filled bands: at most `maxBands` bands (one
// per column when the header is narrower), computed in 8.8 fixed point so that the bands
// step evenly across the width and adjacent bands overlap by one column.

#include <cstdint>
#include <vector>

namespace gradient {

// A colour in the platform's COLORREF layout: 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue)
{
    return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
           (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int Red(Colour c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int Green(Colour c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int Blue(Colour c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// Columns [left, right) filled with one colour over the full height.
struct Band {
    int left;
    int right;
    Colour colour;
};

// The bands of a gradient `width` columns wide from `leftColour` to `rightColour`. A width
// of 0 or less gives no bands; a band count below 1 counts as 1.
std::vector<Band> ComputeBands(int width, Colour leftColour, Colour rightColour, int maxBands);

}  // namespace gradient
