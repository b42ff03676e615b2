#pragma once
// Settings kept in memory, with the registry's rules: case-insensitive names, values
// listed in creation order, a deleted key takes its sub-keys with it.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "SettingsBackend.h"

class CMemorySettingsBackend final : public ISettingsBackend {
public:
    bool Read(const std::string& key, const std::string& name, SettingValue& out) const override;
    bool Write(const std::string& key, const std::string& name, const SettingValue& value) override;
    bool DeleteValue(const std::string& key, const std::string& name) override;
    bool DeleteKey(const std::string& key) override;
    bool CreateKey(const std::string& key) override;
    bool KeyExists(const std::string& key) const override;
    std::vector<std::string> ValueNames(const std::string& key) const override;

    // Makes the next writes fail, as a registry that refuses access would.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

private:
    struct Key {
        std::vector<std::pair<std::string, SettingValue>> values;  // creation order
    };

    const Key* Find(const std::string& key) const;

    std::map<std::string, Key> m_keys;  // by folded path; parents are implied
    bool m_readOnly = false;
};
