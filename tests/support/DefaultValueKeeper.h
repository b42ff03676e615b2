#pragma once
// Keeps the default value of a key under HKEY_CLASSES_ROOT as a test found it and puts it
// back afterwards: the value, or its absence, or the key's absence.

#include <windows.h>

#include <string>

#include "Handles.h"

class CDefaultValueKeeper {
public:
    explicit CDefaultValueKeeper(const char* subKey) : m_subKey(subKey)
    {
        CRegKey key;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
            return;
        m_hadKey = true;
        char old[MAX_PATH * 2] = {};
        DWORD size = sizeof(old) - 1;
        m_hadValue = ::RegQueryValueExA(key.Get(), nullptr, nullptr, &m_oldType, reinterpret_cast<BYTE*>(old), &size) ==
                     ERROR_SUCCESS;
        m_old.assign(old, size);
    }
    ~CDefaultValueKeeper()
    {
        if (!m_hadKey) {
            ::RegDeleteKeyA(HKEY_CLASSES_ROOT, m_subKey.c_str());
            return;
        }
        CRegKey key = Open();
        if (m_hadValue)
            ::RegSetValueExA(key.Get(), nullptr, 0, m_oldType, reinterpret_cast<const BYTE*>(m_old.data()),
                             static_cast<DWORD>(m_old.size()));
        else
            ::RegDeleteValueA(key.Get(), nullptr);
    }
    CDefaultValueKeeper(const CDefaultValueKeeper&) = delete;
    CDefaultValueKeeper& operator=(const CDefaultValueKeeper&) = delete;

    bool HadKey() const { return m_hadKey; }
    // The default value set for the test; the key is made when it is missing.
    void SetText(const std::string& text)
    {
        CRegKey key = Open();
        ::RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1));
    }
    void SetNumber(DWORD number)
    {
        CRegKey key = Open();
        ::RegSetValueExA(key.Get(), nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    void RemoveKey() { ::RegDeleteKeyA(HKEY_CLASSES_ROOT, m_subKey.c_str()); }

private:
    CRegKey Open() const
    {
        CRegKey key;
        ::RegCreateKeyExA(HKEY_CLASSES_ROOT, m_subKey.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                          key.Receive(), nullptr);
        return key;
    }

    std::string m_subKey;
    bool m_hadKey = false;
    bool m_hadValue = false;
    DWORD m_oldType = REG_SZ;
    std::string m_old;
};
