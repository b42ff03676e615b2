#pragma once
// The width the log tree opens at, from the stored "LeftPane" value. A value nobody could
// have dragged to (zero, negative, a sliver, or wider than the screen leaves room for) must
// not open the tree unusable, nor be stored again as it was.

// Narrower than this the tree shows no more than its lines and icons.
constexpr int kTreeWidthMinimum = 40;
// What the log text keeps beside the widest tree.
constexpr int kTextWidthMinimum = 100;

// The stored width when it is usable; below the minimum the default width; beyond the
// screen less the text's room, that room.
int UsableTreeWidth(int stored, int defaultWidth, int screenWidth);
