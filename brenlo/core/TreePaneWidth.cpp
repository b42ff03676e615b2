#include "TreePaneWidth.h"

#include <algorithm>
#include <climits>

int UsableTreeWidth(int stored, int defaultWidth, int screenWidth)
{
    // A screen that reports no width sets no upper bound.
    const int widest = screenWidth > 0 ? std::max(kTreeWidthMinimum, screenWidth - kTextWidthMinimum) : INT_MAX;
    const int wanted = stored < kTreeWidthMinimum ? defaultWidth : stored;
    return std::clamp(wanted, kTreeWidthMinimum, widest);
}
