#pragma once
// The picture of a disabled toolbar button, made from the enabled one the way Windows greys
// it: the picture's dark parts in the shadow colour over the same shape in the highlight
// colour one pixel down and right. Its light parts (white, light greys) and the face
// colour stay plain button face. Window-free: colours are 0xRRGGBB, pixels row by row.

#include <cstdint>
#include <vector>

struct EmbossColours {
    std::uint32_t face;       // the picture's background, which the toolbar does not draw
    std::uint32_t highlight;  // the light edge
    std::uint32_t shadow;     // the grey shape
    std::uint32_t empty;      // what the result holds where nothing is drawn
};

// Pictures `cell` pixels wide stand side by side in `pixels` (width x height); the light
// edge of one never spills into the next.
std::vector<std::uint32_t> EmbossedPicture(const std::vector<std::uint32_t>& pixels, int width, int height, int cell,
                                           const EmbossColours& colours);
