#pragma once
// A page's settings described once: each control, the DWORD value of the "Settings" key that
// stores it, which bits of that value it holds and what "Default" gives. Loading, saving and
// "Default" follow from the description; the page window only moves the values between its
// members and its controls. Window-free.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

class CSettingsStore;

enum class FieldKind {
    Check,   // a check box: 0 or 1
    Radio,   // a radio group: the index of the checked button in tab order
    HotKey,  // a hot-key control: modifiers * 65536 + virtual key
};

enum class DefaultRule {
    Reset,  // "Default" gives defaultValue
    Keep,   // "Default" leaves the field as it is
};

struct PageField {
    FieldKind kind;
    // The check box, or the buttons of a radio group in tab order (unused slots 0), or the
    // hot-key control.
    std::array<int, 3> controls;
    // The DWORD profile value in "Settings" that keeps the field; null when the page
    // stores the field itself.
    const char* valueName;
    std::uint32_t mask;  // the bits of that value the field holds
    int defaultValue;
    DefaultRule rule = DefaultRule::Reset;

    int ControlId() const { return controls[0]; }
    bool Owns(int controlId) const;
};

// One value per field, in the order of the description.
using FieldValues = std::vector<int>;

// The field's value in a stored word (its bits shifted down), and the word with the
// field's bits replaced by a value.
int FieldFromWord(const PageField& field, std::uint32_t word);
std::uint32_t WordWithField(const PageField& field, std::uint32_t word, int value);

// What a missing or damaged profile value reads as.
std::uint32_t StoredDefault(const char* valueName);

// A description bound to the settings store.
class CPageFields {
public:
    explicit CPageFields(std::span<const PageField> fields) : m_fields(fields) {}

    std::span<const PageField> Fields() const { return m_fields; }
    // The index of the field that owns the control, or -1.
    int IndexOf(int controlId) const;

    // Every stored field read from its value (or the value's default); the page's own
    // fields are 0.
    FieldValues Load(const CSettingsStore& store) const;
    // Each value the fields use is read whole, gets the fields' bits and is written back,
    // in the order the fields first name it; every other bit stays as it was.
    bool Save(CSettingsStore& store, const FieldValues& values) const;
    void RestoreDefaults(FieldValues& values) const;
    // The bits of `valueName` that the fields own.
    std::uint32_t OwnedBits(const char* valueName) const;

private:
    std::span<const PageField> m_fields;
};
