#include "GradientBands.h"

namespace gradient {

std::vector<Band> ComputeBands(int width, Colour leftColour, Colour rightColour, int maxBands)
{
    std::vector<Band> bands;
    if (width <= 0)
        return bands;
    // An owner may set the band count to 0; dividing by it would end the program.
    const int count = maxBands < 1 ? 1 : (width < maxBands ? width : maxBands);
    const int step = (width * 256) / count;

    int red = Red(leftColour) * 256;
    int green = Green(leftColour) * 256;
    int blue = Blue(leftColour) * 256;
    const int redStep = ((Red(rightColour) - Red(leftColour)) * 256) / count;
    const int greenStep = ((Green(rightColour) - Green(leftColour)) * 256) / count;
    const int blueStep = ((Blue(rightColour) - Blue(leftColour)) * 256) / count;

    bands.reserve(static_cast<std::size_t>(count) + 1);
    for (int x = 0; x / 256 < width; x += step) {
        bands.push_back(Band{x / 256, x / 256 + step / 256 + 1, MakeColour(red / 256, green / 256, blue / 256)});
        red += redStep;
        green += greenStep;
        blue += blueStep;
    }
    return bands;
}

}  // namespace gradient
