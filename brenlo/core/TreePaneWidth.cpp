#include "TreePaneWidth.h"

#include <algorithm>

int UsableTreeWidth(int stored, int defaultWidth, int screenWidth)
{
    const int widest = std::max(kTreeWidthMinimum, screenWidth - kTextWidthMinimum);
    const int wanted = stored < kTreeWidthMinimum ? defaultWidth : stored;
    return std::clamp(wanted, kTreeWidthMinimum, widest);
}
