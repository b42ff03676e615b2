#include "HtmlHelpLoader.h"

#include <string>

#include "Handles.h"

namespace {
constexpr char kEngineKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr char kEngineName[] = "hhctrl.ocx";
constexpr WORD kHtmlHelpAOrdinal = 14;

using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

std::string RegisteredEngine()
{
    CRegKey key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kEngineKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return {};
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof(path) - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    return path;
}

// Stays loaded until the process ends; help windows may outlive the call.
CModule& Engine()
{
    static CModule engine = [] {
        CModule module;
        std::string registered = RegisteredEngine();
        if (!registered.empty())
            module.Reset(::LoadLibraryA(registered.c_str()));
        if (!module)
            module.Reset(::LoadLibraryA(kEngineName));
        return module;
    }();
    return engine;
}
}  // namespace

HWND CallHtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data)
{
    CModule& engine = Engine();
    if (!engine)
        return nullptr;
    FARPROC found = ::GetProcAddress(engine.Get(), "HtmlHelpA");
    if (!found)
        found = ::GetProcAddress(engine.Get(), MAKEINTRESOURCEA(kHtmlHelpAOrdinal));
    auto proc = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(found));
    return proc ? proc(owner, file, command, data) : nullptr;
}
