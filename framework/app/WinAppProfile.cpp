// The application's settings: profile calls by section and entry under its registry root.
#include "RegistrySettingsBackend.h"
#include "WinApp.h"
#include "Wnd.h"

void CWinApp::SetRegistryKey(const char* company)
{
    m_pszRegistryKey = company ? company : "";
}

void CWinApp::SetRegistryKey(UINT companyStringId)
{
    char text[256];
    int length = ::LoadStringA(m_pModuleState->m_hCurrentResourceHandle, companyStringId, text, sizeof(text));
    m_pszRegistryKey = length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string();
}

std::string CWinApp::GetRegistryRoot() const
{
    if (m_pszRegistryKey.empty())
        return std::string();
    return CSettingsStore::RootKeyFor(m_pszRegistryKey, m_pszAppName);
}

// Without a registry key there is nowhere to keep settings: reads give the defaults and
// writes fail.
int CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const
{
    if (m_pszRegistryKey.empty())
        return defaultValue;
    return CSettingsStore(UserSettingsBackend(), GetRegistryRoot()).ProfileInt(section, entry, defaultValue);
}

bool CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    if (m_pszRegistryKey.empty())
        return false;
    return CSettingsStore(UserSettingsBackend(), GetRegistryRoot()).SetProfileInt(section, entry, value);
}

std::string CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue) const
{
    if (m_pszRegistryKey.empty())
        return defaultValue ? defaultValue : "";
    return CSettingsStore(UserSettingsBackend(), GetRegistryRoot()).ProfileString(section, entry, defaultValue);
}

bool CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (m_pszRegistryKey.empty())
        return false;
    return CSettingsStore(UserSettingsBackend(), GetRegistryRoot()).SetProfileString(section, entry, value);
}

bool CWinApp::GetProfileBinary(const char* section, const char* entry, std::vector<std::uint8_t>& out) const
{
    if (m_pszRegistryKey.empty())
        return false;
    return CSettingsStore(UserSettingsBackend(), GetRegistryRoot()).ProfileBinary(section, entry, out);
}

bool CWinApp::WriteProfileBinary(const char* section, const char* entry, const void* data, std::size_t size)
{
    if (m_pszRegistryKey.empty())
        return false;
    return CSettingsStore(UserSettingsBackend(), GetRegistryRoot()).SetProfileBinary(section, entry, data, size);
}
