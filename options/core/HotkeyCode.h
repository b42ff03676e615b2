#pragma once
// The menu hot key as "Hotkey code" stores it: the hot-key control's modifier flags in the
// high 16 bits and the virtual key in the low 16 bits. Window-free.

#include <cstdint>

namespace hotkey {

constexpr std::uint32_t kShift = 0x01;     // HOTKEYF_SHIFT
constexpr std::uint32_t kControl = 0x02;   // HOTKEYF_CONTROL
constexpr std::uint32_t kAlt = 0x04;       // HOTKEYF_ALT
constexpr std::uint32_t kExtended = 0x08;  // HOTKEYF_EXT

// The combinations the control refuses (HKM_SETRULES): Shift, Alt, Shift+Ctrl, Shift+Alt,
// Ctrl+Alt and Shift+Ctrl+Alt; a refused combination is taken without modifiers.
constexpr std::uint16_t kInvalidCombinations = 0xFA;
constexpr std::uint16_t kReplacementModifiers = 0;

constexpr std::uint32_t Code(std::uint32_t modifiers, std::uint32_t virtualKey)
{
    return modifiers << 16 | virtualKey;
}
constexpr std::uint32_t VirtualKey(std::uint32_t code)
{
    return code & 0xFFFF;
}
constexpr std::uint32_t Modifiers(std::uint32_t code)
{
    return code >> 16;
}

// A stored code as the control can hold it and the Launcher can register it: no virtual key
// (or one beyond the keyboard's 254) gives the default; modifier bits the control does not
// know are dropped, and a combination it refuses loses its modifiers, as typing it would.
std::uint32_t UsableCode(std::uint32_t stored);

}  // namespace hotkey
