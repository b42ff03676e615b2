#pragma once
// Typed access to the settings tree: profile-style reads and writes by (section, entry)
// under the application's root key, raw access to list keys by full path, and the
// typed values of the tree with their defaults. Damaged values read as their defaults.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "SettingsBackend.h"
#include "SettingsSchema.h"
#include "StoredRecords.h"

namespace settings {
// The name of the value that holds Scrivel's file at `index` in "Settings\\Files".
std::string FileValueName(int index);
}  // namespace settings

class CSettingsStore {
public:
    // rootKey: the application's key below HKEY_CURRENT_USER, "Software\<company>\<app>".
    explicit CSettingsStore(ISettingsBackend& backend, std::string rootKey = settings::kRootKey);

    static std::string RootKeyFor(const std::string& company, const std::string& application);
    const std::string& RootKey() const { return m_root; }
    std::string SectionKey(const char* section) const;

    // Profile calls: the value `entry` of the key <root>\<section>.
    int ProfileInt(const char* section, const char* entry, int defaultValue) const;
    bool SetProfileInt(const char* section, const char* entry, int value);
    std::string ProfileString(const char* section, const char* entry, const char* defaultValue = "") const;
    bool SetProfileString(const char* section, const char* entry, const char* value);
    bool ProfileBinary(const char* section, const char* entry, std::vector<std::uint8_t>& out) const;
    bool SetProfileBinary(const char* section, const char* entry, const void* data, std::size_t size);

    // Raw access by full key path (list keys such as Files, CmdLines, HostsOpt, Browsers).
    int GetInt(const std::string& key, const std::string& name, int defaultValue) const;
    bool WriteInt(const std::string& key, const std::string& name, int value);
    std::optional<std::string> GetString(const std::string& key, const std::string& name) const;
    bool WriteString(const std::string& key, const std::string& name, const std::string& value);
    bool GetBinary(const std::string& key, const std::string& name, std::vector<std::uint8_t>& out) const;
    bool WriteBinary(const std::string& key, const std::string& name, const void* data, std::size_t size);
    bool DeleteValue(const std::string& key, const std::string& name);
    bool DeleteKey(const std::string& key);
    bool CreateKey(const std::string& key);
    bool KeyExists(const std::string& key) const;
    std::vector<std::string> ValueNames(const std::string& key) const;

    // The values of the Settings key, with their defaults.
    std::uint32_t ReadGeneral() const;
    // Reads the whole word and writes it back with only `ownedMask` taken from `pageValue`.
    bool WriteGeneralBits(std::uint32_t ownedMask, std::uint32_t pageValue);
    std::uint32_t ReadHotkeyCode() const;
    std::string ReadApachePath() const;
    std::string ReadProjects() const;
    int ReadDefBrowser() const;
    int ReadLeftPane() const;
    int ReadShowSize() const;

    // Placement records ("ScrivelWindow", "MainWindow") and the bar state ("DockedBar");
    // a stored value shorter than its record reads as absent.
    std::optional<PlacementRecord> ReadPlacement(const char* entry) const;
    bool WritePlacement(const char* entry, const PlacementRecord& record);
    std::optional<BarStateRecord> ReadBarState() const;
    bool WriteBarState(const BarStateRecord& record);

    // Settings\Files: File0 to File99, stopping at the first missing or empty one.
    std::vector<std::string> ReadScrivelFiles() const;
    // Replaces the whole list (numbered from 0 without gaps).
    bool WriteScrivelFiles(const std::vector<std::string>& paths);

    // Settings\CmdLines, each with its default when missing.
    std::string ReadCommandLine(settings::CommandLine which) const;
    bool WriteCommandLine(settings::CommandLine which, const std::string& value);

private:
    ISettingsBackend& m_backend;
    std::string m_root;
};
