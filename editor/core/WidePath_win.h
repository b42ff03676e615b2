#pragma once
// A path in the system's single-byte code page as the wide file calls take it: a full path
// too long for the plain calls gets the "\\?\" prefix that lifts their limit of 259
// characters (such a path must not hold "." or ".." parts, which full paths do not).
#include <windows.h>

#include <string>

namespace tessaly::editor {

inline std::wstring WidePath(const std::string& path)
{
    std::wstring wide;
    if (path.empty())
        return wide;
    const int n = ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    wide.assign(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), n);
    if (wide.size() < MAX_PATH - 12 || wide.rfind(L"\\\\?\\", 0) == 0)
        return wide;
    for (wchar_t& c : wide) {
        if (c == L'/')
            c = L'\\';
    }
    if (wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\')
        return L"\\\\?\\" + wide;
    if (wide.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + wide.substr(2);
    return wide;
}

}  // namespace tessaly::editor
