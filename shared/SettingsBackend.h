#pragma once
// A store of typed values under nested keys, addressed by full key paths relative to the
// per-user root (HKEY_CURRENT_USER on Windows). The registry is the real one; an in-memory
// one serves window-free code and its tests. Names compare without regard to case.

#include <cstdint>
#include <string>
#include <vector>

enum class SettingType { Integer, String, Binary };

struct SettingValue {
    SettingType type = SettingType::Binary;
    std::vector<std::uint8_t> bytes;  // exactly as stored; strings include their NUL
};

class ISettingsBackend {
public:
    virtual ~ISettingsBackend() = default;

    // False when the key or the value does not exist or cannot be read.
    virtual bool Read(const std::string& key, const std::string& name, SettingValue& out) const = 0;
    // Creates the key when needed.
    virtual bool Write(const std::string& key, const std::string& name, const SettingValue& value) = 0;
    virtual bool DeleteValue(const std::string& key, const std::string& name) = 0;
    // Deletes the key with everything below it; true when it is gone afterwards.
    virtual bool DeleteKey(const std::string& key) = 0;
    virtual bool CreateKey(const std::string& key) = 0;
    virtual bool KeyExists(const std::string& key) const = 0;
    // Value names in the order the store gives them (creation order for both stores here).
    virtual std::vector<std::string> ValueNames(const std::string& key) const = 0;
};
