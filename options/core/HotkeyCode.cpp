#include "HotkeyCode.h"

#include "SettingsSchema.h"

namespace hotkey {

std::uint32_t UsableCode(std::uint32_t stored)
{
    const std::uint32_t key = VirtualKey(stored);
    if (key == 0 || key > 0xFE)
        return settings::kHotkeyCodeDefault;
    std::uint32_t modifiers = Modifiers(stored) & (kShift | kControl | kAlt | kExtended);
    const std::uint32_t combination = modifiers & (kShift | kControl | kAlt);
    // The rules' bit of each combination of Shift (1), Ctrl (2) and Alt (4): HKCOMB_NONE,
    // _S, _C, _SC, _A, _SA, _CA, _SCA.
    constexpr std::uint8_t kRuleBit[8] = {0x01, 0x02, 0x04, 0x10, 0x08, 0x20, 0x40, 0x80};
    if (kInvalidCombinations & kRuleBit[combination])
        modifiers = kReplacementModifiers | (modifiers & kExtended);
    return Code(modifiers, key);
}

}  // namespace hotkey
