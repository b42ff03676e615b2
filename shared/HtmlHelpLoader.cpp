#include "HtmlHelpLoader.h"

#include "SettingsSchema.h"

namespace {
constexpr char kEngineName[] = "hhctrl.ocx";
constexpr WORD kHtmlHelpAOrdinal = 14;

using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

std::string RegisteredEngine()
{
    CRegKey key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, settings::kHtmlHelpServerKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return {};
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof(path) - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    return path;
}
}  // namespace

CHtmlHelpEngine CHtmlHelpEngine::Load()
{
    CHtmlHelpEngine engine;
    std::string registered = RegisteredEngine();
    if (!registered.empty())
        engine.m_module.Reset(::LoadLibraryA(registered.c_str()));
    if (!engine.m_module)
        engine.m_module.Reset(::LoadLibraryA(kEngineName));
    return engine;
}

std::string CHtmlHelpEngine::Path() const
{
    if (!m_module)
        return {};
    char path[MAX_PATH * 2] = {};
    DWORD length = ::GetModuleFileNameA(m_module.Get(), path, sizeof(path));
    return std::string(path, length);
}

HWND CHtmlHelpEngine::HtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data) const
{
    if (!m_module)
        return nullptr;
    FARPROC found = ::GetProcAddress(m_module.Get(), "HtmlHelpA");
    if (!found)
        found = ::GetProcAddress(m_module.Get(), MAKEINTRESOURCEA(kHtmlHelpAOrdinal));
    auto proc = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(found));
    return proc ? proc(owner, file, command, data) : nullptr;
}

HWND CallHtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data)
{
    static const CHtmlHelpEngine engine = CHtmlHelpEngine::Load();
    return engine.HtmlHelp(owner, file, command, data);
}
