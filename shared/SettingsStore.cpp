#include "SettingsStore.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "GeneralFlags.h"

namespace {

SettingValue MakeInt(std::uint32_t value)
{
    SettingValue v;
    v.type = SettingType::Integer;
    v.bytes = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return v;
}

SettingValue MakeString(const char* text)
{
    SettingValue v;
    v.type = SettingType::String;
    const std::size_t n = std::strlen(text);
    v.bytes.assign(text, text + n + 1);  // with the terminating NUL
    return v;
}

SettingValue MakeBinary(const void* data, std::size_t size)
{
    SettingValue v;
    v.type = SettingType::Binary;
    const auto* p = static_cast<const std::uint8_t*>(data);
    v.bytes.assign(p, p + size);
    return v;
}

std::optional<std::uint32_t> AsInt(const SettingValue& v)
{
    if (v.type != SettingType::Integer || v.bytes.size() != 4)
        return std::nullopt;
    return std::uint32_t{v.bytes[0]} | std::uint32_t{v.bytes[1]} << 8 | std::uint32_t{v.bytes[2]} << 16 |
           std::uint32_t{v.bytes[3]} << 24;
}

// A stored string may lack its NUL (a damaged value): it ends at the first NUL or the data's end.
std::optional<std::string> AsString(const SettingValue& v)
{
    if (v.type != SettingType::String)
        return std::nullopt;
    const auto* begin = reinterpret_cast<const char*>(v.bytes.data());
    const void* nul = std::memchr(begin, '\0', v.bytes.size());
    const std::size_t n = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - begin) : v.bytes.size();
    return std::string(begin, n);
}

}  // namespace

CSettingsStore::CSettingsStore(ISettingsBackend& backend, std::string rootKey)
    : m_backend(backend), m_root(std::move(rootKey))
{}

std::string CSettingsStore::RootKeyFor(const std::string& company, const std::string& application)
{
    return "Software\\" + company + "\\" + application;
}

std::string CSettingsStore::SectionKey(const char* section) const
{
    return m_root + "\\" + section;
}

int CSettingsStore::ProfileInt(const char* section, const char* entry, int defaultValue) const
{
    return GetInt(SectionKey(section), entry, defaultValue);
}

bool CSettingsStore::SetProfileInt(const char* section, const char* entry, int value)
{
    return WriteInt(SectionKey(section), entry, value);
}

std::string CSettingsStore::ProfileString(const char* section, const char* entry, const char* defaultValue) const
{
    return GetString(SectionKey(section), entry).value_or(defaultValue ? defaultValue : "");
}

bool CSettingsStore::SetProfileString(const char* section, const char* entry, const char* value)
{
    return WriteString(SectionKey(section), entry, value ? value : "");
}

bool CSettingsStore::ProfileBinary(const char* section, const char* entry, std::vector<std::uint8_t>& out) const
{
    return GetBinary(SectionKey(section), entry, out);
}

bool CSettingsStore::SetProfileBinary(const char* section, const char* entry, const void* data, std::size_t size)
{
    return WriteBinary(SectionKey(section), entry, data, size);
}

int CSettingsStore::GetInt(const std::string& key, const std::string& name, int defaultValue) const
{
    SettingValue v;
    if (!m_backend.Read(key, name, v))
        return defaultValue;
    const auto value = AsInt(v);
    return value ? static_cast<int>(*value) : defaultValue;
}

bool CSettingsStore::WriteInt(const std::string& key, const std::string& name, int value)
{
    return m_backend.Write(key, name, MakeInt(static_cast<std::uint32_t>(value)));
}

std::optional<std::string> CSettingsStore::GetString(const std::string& key, const std::string& name) const
{
    SettingValue v;
    if (!m_backend.Read(key, name, v))
        return std::nullopt;
    return AsString(v);
}

bool CSettingsStore::WriteString(const std::string& key, const std::string& name, const std::string& value)
{
    return m_backend.Write(key, name, MakeString(value.c_str()));
}

bool CSettingsStore::GetBinary(const std::string& key, const std::string& name, std::vector<std::uint8_t>& out) const
{
    SettingValue v;
    if (!m_backend.Read(key, name, v) || v.type != SettingType::Binary)
        return false;
    out = std::move(v.bytes);
    return true;
}

bool CSettingsStore::WriteBinary(const std::string& key, const std::string& name, const void* data, std::size_t size)
{
    return m_backend.Write(key, name, MakeBinary(data, size));
}

bool CSettingsStore::DeleteValue(const std::string& key, const std::string& name)
{
    return m_backend.DeleteValue(key, name);
}

bool CSettingsStore::DeleteKey(const std::string& key)
{
    return m_backend.DeleteKey(key);
}

bool CSettingsStore::CreateKey(const std::string& key)
{
    return m_backend.CreateKey(key);
}

bool CSettingsStore::KeyExists(const std::string& key) const
{
    return m_backend.KeyExists(key);
}

std::vector<std::string> CSettingsStore::ValueNames(const std::string& key) const
{
    return m_backend.ValueNames(key);
}

std::uint32_t CSettingsStore::ReadGeneral() const
{
    return static_cast<std::uint32_t>(
        ProfileInt(settings::kSection, settings::kGeneral, static_cast<int>(settings::kGeneralDefault)));
}

bool CSettingsStore::WriteGeneralBits(std::uint32_t ownedMask, std::uint32_t pageValue)
{
    const std::uint32_t word = general::MergeBits(ReadGeneral(), ownedMask, pageValue);
    return SetProfileInt(settings::kSection, settings::kGeneral, static_cast<int>(word));
}

std::uint32_t CSettingsStore::ReadHotkeyCode() const
{
    return static_cast<std::uint32_t>(
        ProfileInt(settings::kSection, settings::kHotkeyCode, static_cast<int>(settings::kHotkeyCodeDefault)));
}

std::string CSettingsStore::ReadApachePath() const
{
    return ProfileString(settings::kSection, settings::kApachePath, "");
}

std::string CSettingsStore::ReadProjects() const
{
    return ProfileString(settings::kSection, settings::kProjects, "");
}

int CSettingsStore::ReadDefBrowser() const
{
    return ProfileInt(settings::kSection, settings::kDefBrowser, settings::kDefBrowserDefault);
}

int CSettingsStore::ReadLeftPane() const
{
    return ProfileInt(settings::kSection, settings::kLeftPane, settings::kLeftPaneDefault);
}

int CSettingsStore::ReadShowSize() const
{
    return ProfileInt(settings::kSection, settings::kShowSize, settings::kShowSizeDefault);
}

std::optional<PlacementRecord> CSettingsStore::ReadPlacement(const char* entry) const
{
    std::vector<std::uint8_t> bytes;
    if (!ProfileBinary(settings::kSection, entry, bytes))
        return std::nullopt;
    return PlacementRecord::Decode(bytes);
}

bool CSettingsStore::WritePlacement(const char* entry, const PlacementRecord& record)
{
    const auto bytes = record.Encode();
    return SetProfileBinary(settings::kSection, entry, bytes.data(), bytes.size());
}

std::optional<BarStateRecord> CSettingsStore::ReadBarState() const
{
    std::vector<std::uint8_t> bytes;
    if (!ProfileBinary(settings::kSection, settings::kDockedBar, bytes))
        return std::nullopt;
    return BarStateRecord::Decode(bytes);
}

bool CSettingsStore::WriteBarState(const BarStateRecord& record)
{
    const auto bytes = record.Encode();
    return SetProfileBinary(settings::kSection, settings::kDockedBar, bytes.data(), bytes.size());
}

std::string settings::FileValueName(int index)
{
    char name[16];
    std::snprintf(name, sizeof name, settings::kFileValueFormat, index);
    return name;
}

std::vector<std::string> CSettingsStore::ReadScrivelFiles() const
{
    std::vector<std::string> paths;
    for (int i = 0; i < settings::kMaxFiles; ++i) {
        auto path = GetString(settings::kFilesKey, settings::FileValueName(i));
        if (!path || path->empty())
            break;
        paths.push_back(std::move(*path));
    }
    return paths;
}

bool CSettingsStore::WriteScrivelFiles(const std::vector<std::string>& paths)
{
    if (!DeleteKey(settings::kFilesKey) || !CreateKey(settings::kFilesKey))
        return false;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!WriteString(settings::kFilesKey, settings::FileValueName(static_cast<int>(i)), paths[i]))
            return false;
    }
    return true;
}

std::string CSettingsStore::ReadCommandLine(settings::CommandLine which) const
{
    const auto& info = settings::CommandLineInfo(which);
    return GetString(settings::kCmdLinesKey, info.name).value_or(info.defaultValue);
}

bool CSettingsStore::WriteCommandLine(settings::CommandLine which, const std::string& value)
{
    return WriteString(settings::kCmdLinesKey, settings::CommandLineInfo(which).name, value);
}
