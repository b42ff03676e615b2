#pragma once
// The documentation bar's arithmetic, without windows: the size an edge drag gives, the
// size and corner a floating frame takes when sized at a corner, and the state read back
// from the settings made safe to apply.

#include <cstdint>
#include <optional>

#include "StoredRecords.h"

namespace sizingbar {

struct Point {
    int x = 0;
    int y = 0;
};
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct Extent {
    int cx = 0;
    int cy = 0;
};

enum class Side { Top, Bottom, Left, Right };

// The bar's new height (top, bottom) or width (left, right) after its edge moved from
// `from` to `to` across the edge: the bar grows away from its side; at least `minimum`,
// at most `oldSize` plus the frame's full extent in that direction.
int DraggedSize(Side side, int oldSize, int from, int to, int minimum, int frameExtent);

enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

// A floating frame sized at a corner: the bar's new floating size and where the frame's
// corner goes (x and y each only when that corner moves it).
struct CornerSizing {
    Extent floatSize;
    std::optional<int> x;
    std::optional<int> y;
};
// `cursor` is the mouse, `frame` the floating frame's window rectangle, `minimum` the
// system's smallest window, `caption` the small-caption height.
CornerSizing SizeAtCorner(Corner corner, Point cursor, Box frame, Extent minimum, int caption);

// The bar's state as the settings give it, made safe to apply.
struct BarState {
    Extent horz{200, 200};
    Extent vert{200, 200};
    Extent floating{200, 200};
    std::uint32_t alignAndBorders = 0;  // CBRS_ALIGN_ and CBRS_BORDER_ bits (0xFF00)
    Box rect{0, 0, 200, 200};
    bool isFloating = false;
};
// The first start's state: docked at the bottom with a border on top.
BarState DefaultBarState();
// A stored record: sizes below `minimum` (or beyond what a screen holds) are brought into
// range, a record naming no side docks at the bottom.
BarState FromRecord(const BarStateRecord& record, Extent minimum);
BarStateRecord ToRecord(const BarState& state);

}  // namespace sizingbar
