#include "RegistrySettingsBackend.h"

#include "Handles.h"

namespace {

CRegKey OpenKey(HKEY root, const std::string& key, REGSAM access)
{
    CRegKey k;
    if (::RegOpenKeyExA(root, key.c_str(), 0, access, k.Receive()) != ERROR_SUCCESS)
        k.Reset();
    return k;
}

SettingType TypeOf(DWORD registryType)
{
    switch (registryType) {
        case REG_DWORD:
            return SettingType::Integer;
        case REG_SZ:
        case REG_EXPAND_SZ:
            return SettingType::String;
        default:
            return SettingType::Binary;
    }
}

DWORD RegistryTypeOf(SettingType type)
{
    switch (type) {
        case SettingType::Integer:
            return REG_DWORD;
        case SettingType::String:
            return REG_SZ;
        case SettingType::Binary:
            break;
    }
    return REG_BINARY;
}

}  // namespace

bool CRegistrySettingsBackend::Read(const std::string& key, const std::string& name, SettingValue& out) const
{
    CRegKey k = OpenKey(m_root, key, KEY_QUERY_VALUE);
    if (!k)
        return false;
    // The value may change size between the two calls; try again when it grew.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(k.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return false;
        out.bytes.assign(size, 0);
        LONG result =
            ::RegQueryValueExA(k.Get(), name.c_str(), nullptr, &type, size ? out.bytes.data() : nullptr, &size);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return false;
        out.bytes.resize(size);
        out.type = TypeOf(type);
        return true;
    }
    return false;
}

bool CRegistrySettingsBackend::Write(const std::string& key, const std::string& name, const SettingValue& value)
{
    CRegKey k;
    if (::RegCreateKeyExA(m_root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, k.Receive(),
                          nullptr) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(k.Get(), name.c_str(), 0, RegistryTypeOf(value.type), value.bytes.data(),
                            static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

bool CRegistrySettingsBackend::DeleteValue(const std::string& key, const std::string& name)
{
    CRegKey k = OpenKey(m_root, key, KEY_SET_VALUE);
    return k && ::RegDeleteValueA(k.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool CRegistrySettingsBackend::DeleteKey(const std::string& key)
{
    const LONG result = ::RegDeleteTreeA(m_root, key.c_str());
    if (result == ERROR_FILE_NOT_FOUND)
        return true;
    if (result != ERROR_SUCCESS)
        return false;
    // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
    const LONG removed = ::RegDeleteKeyA(m_root, key.c_str());
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

bool CRegistrySettingsBackend::CreateKey(const std::string& key)
{
    CRegKey k;
    return ::RegCreateKeyExA(m_root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, k.Receive(),
                             nullptr) == ERROR_SUCCESS;
}

bool CRegistrySettingsBackend::KeyExists(const std::string& key) const
{
    return static_cast<bool>(OpenKey(m_root, key, KEY_READ));
}

std::vector<std::string> CRegistrySettingsBackend::ValueNames(const std::string& key) const
{
    std::vector<std::string> names;
    CRegKey k = OpenKey(m_root, key, KEY_QUERY_VALUE);
    if (!k)
        return names;
    char name[16384];  // the registry's longest value name, with its NUL
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (::RegEnumValueA(k.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

ISettingsBackend& UserSettingsBackend()
{
    static CRegistrySettingsBackend backend(HKEY_CURRENT_USER);
    return backend;
}
