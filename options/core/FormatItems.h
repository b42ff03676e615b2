#pragma once
// The Format page's rules, apart from its windows: the colour items and the field each one
// edits, which of them are offered, the tab-width limits, the font's size in whole points,
// the font button's caption and the sample text. Window-free.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <editor/EditorSettings.h>

namespace format {

using Settings = tessaly::editor::EditorSettings;

struct ColorItem {
    const char* text;
    int data;  // the combo box's item data
    std::uint32_t Settings::*field;
    bool onlyWithColoring;
};

// In the order they are added; the combo box sorts them.
const std::vector<ColorItem>& ColorItems();
// The items offered: Text and Background always, the others only with colouring on.
std::vector<ColorItem> OfferedItems(bool coloring);
// The field an item's data names; null for unknown data.
std::uint32_t* ColorField(Settings& settings, int data);

inline constexpr int kMinTabWidth = 1;
inline constexpr int kMaxTabWidth = 31;
// The width after an arrow's step, or nothing when it would leave 1 to 31.
std::optional<int> SteppedTabWidth(int position, int step);

// The font dialog reports tenths of a point; the editor keeps whole points.
inline int PointsFromTenths(int tenths)
{
    return tenths / 10;
}
// "Courier, 10".
std::string FontCaption(const std::string& face, int points);

// Fourteen lines of server configuration: a comment, keywords, numbers, quoted and plain text.
const char* SampleText();

}  // namespace format
