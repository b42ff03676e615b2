#pragma once
// The packed "General" flag word that several Options pages, the Launcher and the server
// runner share. Each page owns some bits; a page that saves reads the whole word, replaces
// only its own bits and writes the word back.

#include <cstdint>

#include "SettingsSchema.h"

namespace general {

constexpr std::uint32_t Bit(int n)
{
    return std::uint32_t{1} << n;
}

constexpr std::uint32_t kShutdownModeMask = 0x3;  // bits 0-1, see ShutdownMode
constexpr std::uint32_t kTestBeforeStart = Bit(3);
constexpr std::uint32_t kTestBeforeShutdown = Bit(4);
constexpr std::uint32_t kRestartAfterChange = Bit(5);
constexpr std::uint32_t kStartWithLauncher = Bit(6);
constexpr std::uint32_t kUseApacheExe = Bit(7);  // clear: the stub runs the server
constexpr std::uint32_t kHideConsole = Bit(8);
constexpr std::uint32_t kShowSplash = Bit(10);
constexpr std::uint32_t kUpdateHostsFile = Bit(11);
constexpr std::uint32_t kShowShutdownInfo = Bit(13);
constexpr std::uint32_t kShowTooltips = Bit(14);
constexpr std::uint32_t kEnableMenuHotkey = Bit(15);
constexpr std::uint32_t kSortHostsRead = Bit(16);     // the copy Options reads back
constexpr std::uint32_t kSortHostsWritten = Bit(17);  // the copy the Hosts page writes first
constexpr std::uint32_t kEnableViewHost = Bit(18);
constexpr std::uint32_t kEnableOpenProject = Bit(19);

enum class ShutdownMode : std::uint32_t { Shutdown = 0, Ask = 1, LeaveRunning = 2 };

// The bits each writer owns.
constexpr std::uint32_t kGeneralPageBits = kShutdownModeMask | kTestBeforeStart | kTestBeforeShutdown |
                                           kStartWithLauncher | kUseApacheExe | kHideConsole | kUpdateHostsFile;
constexpr std::uint32_t kOtherPageBits = kShowSplash | kShowShutdownInfo | kShowTooltips | kEnableMenuHotkey;
constexpr std::uint32_t kScrivelFilesPageBits = kRestartAfterChange;
constexpr std::uint32_t kHostsPageBits = kSortHostsRead | kSortHostsWritten | kEnableViewHost | kEnableOpenProject;

static_assert((kGeneralPageBits & kOtherPageBits) == 0);
static_assert((kGeneralPageBits & kHostsPageBits) == 0);
static_assert((kOtherPageBits & kHostsPageBits) == 0);
static_assert(((kGeneralPageBits | kOtherPageBits | kHostsPageBits) & kScrivelFilesPageBits) == 0);
static_assert((settings::kGeneralDefault & (Bit(2) | Bit(9) | Bit(12) | 0xFFF00000u)) == 0);

// The stored word with only the owned bits taken from the page's value.
constexpr std::uint32_t MergeBits(std::uint32_t stored, std::uint32_t ownedMask, std::uint32_t pageValue)
{
    return (stored & ~ownedMask) | (pageValue & ownedMask);
}

constexpr bool Has(std::uint32_t word, std::uint32_t flag)
{
    return (word & flag) != 0;
}

constexpr std::uint32_t With(std::uint32_t word, std::uint32_t flag, bool on)
{
    return on ? (word | flag) : (word & ~flag);
}

constexpr ShutdownMode GetShutdownMode(std::uint32_t word)
{
    return static_cast<ShutdownMode>(word & kShutdownModeMask);
}

constexpr std::uint32_t WithShutdownMode(std::uint32_t word, ShutdownMode mode)
{
    return (word & ~kShutdownModeMask) | static_cast<std::uint32_t>(mode);
}

// The Hosts page writes the sort flag into bit 17 and copies it into bit 16 in the same write.
constexpr std::uint32_t WithSortHosts(std::uint32_t word, bool sort)
{
    return With(With(word, kSortHostsWritten, sort), kSortHostsRead, sort);
}

}  // namespace general
