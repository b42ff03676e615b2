#pragma once
// Points the HTML Help engine's class registration at the tests' stand-in FakeHtmlHelp.dll
// (test-bin), which records each call in help-calls.txt beside itself; the registration is
// put back when the object ends. The record starts empty.

#include <windows.h>

#include <string>

#include "Handles.h"
#include "TestPaths.h"

class CHelpEngineStandIn {
public:
    CHelpEngineStandIn()
    {
        ::RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, m_key.Receive(),
                          nullptr);
        char old[MAX_PATH] = {};
        DWORD size = sizeof(old) - 1;
        m_hadValue = ::RegQueryValueExA(m_key.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                     ERROR_SUCCESS;
        m_old = old;
        const std::string standIn = testpaths::Join(testpaths::TestBinDir(), "FakeHtmlHelp.dll");
        ::RegSetValueExA(m_key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(standIn.c_str()),
                         static_cast<DWORD>(standIn.size() + 1));
        ::DeleteFileA(Record().c_str());
    }
    ~CHelpEngineStandIn()
    {
        if (m_hadValue)
            ::RegSetValueExA(m_key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(m_old.c_str()),
                             static_cast<DWORD>(m_old.size() + 1));
        else
            ::RegDeleteValueA(m_key.Get(), nullptr);
    }
    CHelpEngineStandIn(const CHelpEngineStandIn&) = delete;
    CHelpEngineStandIn& operator=(const CHelpEngineStandIn&) = delete;

    static std::string Record() { return testpaths::Join(testpaths::TestBinDir(), "help-calls.txt"); }
    // Every call so far, one line each: "<owner>|<file>|<command>|<data>".
    static std::string Calls()
    {
        std::string text;
        testpaths::ReadTextFile(Record(), text);
        return text;
    }

private:
    static constexpr char kKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
    CRegKey m_key;
    bool m_hadValue = false;
    std::string m_old;
};
