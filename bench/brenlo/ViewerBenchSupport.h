#pragma once
// What the Brenlo benchmarks that run the viewer in their own process share: the process's
// private bytes, and a setting of the viewer written before it starts.
#include <windows.h>

#include <psapi.h>

#include <cstddef>

#include "Handles.h"

namespace viewerbench {

inline std::size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    // Wine leaves the private count empty; the page-file count is the same figure there.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

inline void SetSetting(const char* name, DWORD value)
{
    CRegKey settings;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quorlane\\Tessaly\\Settings", 0, nullptr, 0, KEY_WRITE, nullptr,
                      settings.Receive(), nullptr);
    ::RegSetValueExA(settings.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace viewerbench
