#pragma once
// The settings tree in the per-user registry hive (HKEY_CURRENT_USER by default).

#include <windows.h>

#include "SettingsBackend.h"

class CRegistrySettingsBackend final : public ISettingsBackend {
public:
    explicit CRegistrySettingsBackend(HKEY root = HKEY_CURRENT_USER) : m_root(root) {}

    bool Read(const std::string& key, const std::string& name, SettingValue& out) const override;
    bool Write(const std::string& key, const std::string& name, const SettingValue& value) override;
    bool DeleteValue(const std::string& key, const std::string& name) override;
    bool DeleteKey(const std::string& key) override;
    bool CreateKey(const std::string& key) override;
    bool KeyExists(const std::string& key) const override;
    std::vector<std::string> ValueNames(const std::string& key) const override;

private:
    HKEY m_root;
};

// The store every module of this process uses for HKEY_CURRENT_USER.
ISettingsBackend& UserSettingsBackend();
