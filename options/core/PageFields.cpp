#include "PageFields.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "SettingsSchema.h"
#include "SettingsStore.h"

namespace {
bool SameName(const char* a, const char* b)
{
    return a && b && std::strcmp(a, b) == 0;
}
}  // namespace

bool PageField::Owns(int controlId) const
{
    return controlId != 0 && std::find(controls.begin(), controls.end(), controlId) != controls.end();
}

int FieldFromWord(const PageField& field, std::uint32_t word)
{
    if (field.mask == 0)
        return 0;
    return static_cast<int>((word & field.mask) >> std::countr_zero(field.mask));
}

std::uint32_t WordWithField(const PageField& field, std::uint32_t word, int value)
{
    if (field.mask == 0)
        return word;
    const std::uint32_t bits = static_cast<std::uint32_t>(value) << std::countr_zero(field.mask);
    return (word & ~field.mask) | (bits & field.mask);
}

std::uint32_t StoredDefault(const char* valueName)
{
    if (SameName(valueName, settings::kGeneral))
        return settings::kGeneralDefault;
    if (SameName(valueName, settings::kHotkeyCode))
        return settings::kHotkeyCodeDefault;
    return 0;
}

int CPageFields::IndexOf(int controlId) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].Owns(controlId))
            return static_cast<int>(i);
    }
    return -1;
}

FieldValues CPageFields::Load(const CSettingsStore& store) const
{
    FieldValues values(m_fields.size(), 0);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const PageField& field = m_fields[i];
        if (!field.valueName)
            continue;
        const auto word = static_cast<std::uint32_t>(
            store.ProfileInt(settings::kSection, field.valueName, static_cast<int>(StoredDefault(field.valueName))));
        values[i] = FieldFromWord(field, word);
    }
    return values;
}

bool CPageFields::Save(CSettingsStore& store, const FieldValues& values) const
{
    bool saved = true;
    std::vector<const char*> written;
    for (const PageField& first : m_fields) {
        if (!first.valueName ||
            std::any_of(written.begin(), written.end(), [&](const char* n) { return SameName(n, first.valueName); }))
            continue;
        written.push_back(first.valueName);
        auto word = static_cast<std::uint32_t>(
            store.ProfileInt(settings::kSection, first.valueName, static_cast<int>(StoredDefault(first.valueName))));
        for (std::size_t i = 0; i < m_fields.size() && i < values.size(); ++i) {
            if (SameName(m_fields[i].valueName, first.valueName))
                word = WordWithField(m_fields[i], word, values[i]);
        }
        saved = store.SetProfileInt(settings::kSection, first.valueName, static_cast<int>(word)) && saved;
    }
    return saved;
}

void CPageFields::RestoreDefaults(FieldValues& values) const
{
    values.resize(m_fields.size(), 0);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].rule == DefaultRule::Reset)
            values[i] = m_fields[i].defaultValue;
    }
}

std::uint32_t CPageFields::OwnedBits(const char* valueName) const
{
    std::uint32_t bits = 0;
    for (const PageField& field : m_fields) {
        if (SameName(field.valueName, valueName))
            bits |= field.mask;
    }
    return bits;
}
