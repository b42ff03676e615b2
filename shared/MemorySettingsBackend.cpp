#include "MemorySettingsBackend.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Fold(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

bool IsSameOrBelow(const std::string& folded, const std::string& prefix)
{
    return folded == prefix || (folded.size() > prefix.size() && folded.compare(0, prefix.size(), prefix) == 0 &&
                                folded[prefix.size()] == '\\');
}

}  // namespace

const CMemorySettingsBackend::Key* CMemorySettingsBackend::Find(const std::string& key) const
{
    auto it = m_keys.find(Fold(key));
    return it == m_keys.end() ? nullptr : &it->second;
}

bool CMemorySettingsBackend::Read(const std::string& key, const std::string& name, SettingValue& out) const
{
    const Key* k = Find(key);
    if (k == nullptr)
        return false;
    const std::string folded = Fold(name);
    for (const auto& [valueName, value] : k->values) {
        if (Fold(valueName) == folded) {
            out = value;
            return true;
        }
    }
    return false;
}

bool CMemorySettingsBackend::Write(const std::string& key, const std::string& name, const SettingValue& value)
{
    if (m_readOnly || !CreateKey(key))
        return false;
    Key& k = m_keys[Fold(key)];
    const std::string folded = Fold(name);
    for (auto& [valueName, stored] : k.values) {
        if (Fold(valueName) == folded) {
            stored = value;
            return true;
        }
    }
    k.values.emplace_back(name, value);
    return true;
}

bool CMemorySettingsBackend::DeleteValue(const std::string& key, const std::string& name)
{
    if (m_readOnly)
        return false;
    auto it = m_keys.find(Fold(key));
    if (it == m_keys.end())
        return false;
    auto& values = it->second.values;
    const std::string folded = Fold(name);
    auto found =
        std::find_if(values.begin(), values.end(), [&](const auto& entry) { return Fold(entry.first) == folded; });
    if (found == values.end())
        return false;
    values.erase(found);
    return true;
}

bool CMemorySettingsBackend::DeleteKey(const std::string& key)
{
    if (m_readOnly)
        return false;
    const std::string prefix = Fold(key);
    std::erase_if(m_keys, [&](const auto& entry) { return IsSameOrBelow(entry.first, prefix); });
    return true;
}

bool CMemorySettingsBackend::CreateKey(const std::string& key)
{
    if (m_readOnly)
        return KeyExists(key);
    // Every parent exists as a key of its own, as in the registry.
    std::string folded = Fold(key);
    for (std::size_t pos = folded.find('\\'); pos != std::string::npos; pos = folded.find('\\', pos + 1))
        m_keys.try_emplace(folded.substr(0, pos));
    m_keys.try_emplace(folded);
    return true;
}

bool CMemorySettingsBackend::KeyExists(const std::string& key) const
{
    return Find(key) != nullptr;
}

std::vector<std::string> CMemorySettingsBackend::ValueNames(const std::string& key) const
{
    std::vector<std::string> names;
    if (const Key* k = Find(key)) {
        for (const auto& entry : k->values)
            names.push_back(entry.first);
    }
    return names;
}
