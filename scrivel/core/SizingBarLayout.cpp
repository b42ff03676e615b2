#include "SizingBarLayout.h"

#include <algorithm>

namespace sizingbar {

namespace {
constexpr std::uint32_t kAlignAny = 0xF000;
constexpr std::uint32_t kAlignBottom = 0x8000;
constexpr std::uint32_t kBorderTop = 0x0200;
constexpr std::uint32_t kStyleMask = 0xFF00;
// No screen is larger; a size beyond it is damage.
constexpr int kLargest = 32767;

int InRange(int value, int minimum)
{
    return std::clamp(value, minimum, kLargest);
}

Extent InRange(Extent size, Extent minimum)
{
    return {InRange(size.cx, minimum.cx), InRange(size.cy, minimum.cy)};
}
}  // namespace

int DraggedSize(Side side, int oldSize, int from, int to, int minimum, int frameExtent)
{
    const long long moved = static_cast<long long>(to) - from;
    const long long grown = side == Side::Top || side == Side::Left ? oldSize + moved : oldSize - moved;
    const long long largest = static_cast<long long>(oldSize) + frameExtent;
    return static_cast<int>(std::max<long long>(minimum, std::min(grown, largest)));
}

CornerSizing SizeAtCorner(Corner corner, Point cursor, Box frame, Extent minimum, int caption)
{
    const bool left = corner == Corner::TopLeft || corner == Corner::BottomLeft;
    const bool top = corner == Corner::TopLeft || corner == Corner::TopRight;
    CornerSizing result;
    result.floatSize.cx =
        left ? std::max(frame.right - cursor.x, minimum.cx) - 3 : std::max(cursor.x - frame.left, minimum.cx);
    result.floatSize.cy = top ? std::max(frame.bottom - caption - cursor.y, minimum.cy) - 1
                              : std::max(cursor.y - caption - frame.top, minimum.cy);
    if (left)
        result.x = std::min(cursor.x, frame.right - minimum.cx) - 1;
    if (top)
        result.y = std::min(cursor.y, frame.bottom - caption - minimum.cy) - 3;
    return result;
}

BarState DefaultBarState()
{
    BarState state;
    state.alignAndBorders = kAlignBottom | kBorderTop;
    return state;
}

BarState FromRecord(const BarStateRecord& record, Extent minimum)
{
    BarState state;
    state.horz = InRange({record.horzCx, record.horzCy}, minimum);
    state.vert = InRange({record.vertCx, record.vertCy}, minimum);
    state.floating = InRange({record.floatCx, record.floatCy}, minimum);
    state.alignAndBorders = static_cast<std::uint32_t>(record.style) & kStyleMask;
    if ((state.alignAndBorders & kAlignAny) == 0)
        state.alignAndBorders |= kAlignBottom | kBorderTop;
    state.rect = StoredRect<Box>(record);
    state.isFloating = record.floating != 0;
    return state;
}

BarStateRecord ToRecord(const BarState& state)
{
    BarStateRecord record;
    record.horzCx = state.horz.cx;
    record.horzCy = state.horz.cy;
    record.vertCx = state.vert.cx;
    record.vertCy = state.vert.cy;
    record.floatCx = state.floating.cx;
    record.floatCy = state.floating.cy;
    record.style = static_cast<std::int32_t>(state.alignAndBorders & kStyleMask);
    StoreRect(record, state.rect);
    record.floating = state.isFloating ? 1 : 0;
    return record;
}

}  // namespace sizingbar
