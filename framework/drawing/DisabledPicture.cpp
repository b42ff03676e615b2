#include "DisabledPicture.h"

namespace {
// Lighter than this, a pixel counts as part of the button's face in the greyed picture.
constexpr unsigned kInkLimit = 192;

bool IsInk(std::uint32_t pixel, std::uint32_t face)
{
    if ((pixel & 0xFFFFFF) == (face & 0xFFFFFF))
        return false;
    const unsigned red = (pixel >> 16) & 0xFF;
    const unsigned green = (pixel >> 8) & 0xFF;
    const unsigned blue = pixel & 0xFF;
    return (red * 299 + green * 587 + blue * 114) / 1000 < kInkLimit;
}
}  // namespace

std::vector<std::uint32_t> EmbossedPicture(const std::vector<std::uint32_t>& pixels, int width, int height, int cell,
                                           const EmbossColours& colours)
{
    std::vector<std::uint32_t> result(pixels.size(), colours.empty);
    if (width <= 0 || height <= 0 || cell <= 0 || pixels.size() < static_cast<std::size_t>(width) * height)
        return result;
    auto at = [width](int x, int y) { return static_cast<std::size_t>(y) * width + x; };
    for (int y = 0; y + 1 < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool lastOfCell = (x + 1) % cell == 0 || x + 1 == width;
            if (!lastOfCell && IsInk(pixels[at(x, y)], colours.face))
                result[at(x + 1, y + 1)] = colours.highlight;
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (IsInk(pixels[at(x, y)], colours.face))
                result[at(x, y)] = colours.shadow;
        }
    }
    return result;
}
