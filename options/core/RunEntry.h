#pragma once
// The Launcher's start at logon: the value "ApacheLauncher" of the per-user Run key holds
// the quoted path of the Launcher followed by " /auto". Window-free.

#include <string>

class CSettingsStore;

namespace runentry {

// A double quote, the host program's path with every "/" turned into "\", a double quote,
// then " /auto".
std::string EntryFor(const std::string& hostPath);
// The stored entry names this Launcher, ignoring letter case; false when it is missing.
bool IsLauncherRegistered(const CSettingsStore& store, const std::string& hostPath);
// Writes the entry, or deletes it; failures leave the entry as it was.
void SetLauncherAutostart(CSettingsStore& store, const std::string& hostPath, bool on);

}  // namespace runentry
