#include "ShellIcons.h"

#include <shellapi.h>

#include <cstdlib>
#include <vector>

#include "ModuleState.h"

CIconHandle AssociatedIcon(const std::string& path)
{
    // The shell may write the name of the file it took the icon from into the buffer.
    std::vector<char> buffer(1024, '\0');
    path.copy(buffer.data(), buffer.size() - 1);
    WORD index = 0;
    return CIconHandle(::ExtractAssociatedIconA(AfxGetResourceHandle(), buffer.data(), &index));
}

CIconHandle IconFromLocation(const std::string& location)
{
    const std::size_t comma = location.rfind(',');
    const std::string file = comma == std::string::npos ? location : location.substr(0, comma);
    const int index = comma == std::string::npos ? 0 : std::atoi(location.c_str() + comma + 1);
    HICON small = nullptr;
    if (file.empty() || ::ExtractIconExA(file.c_str(), index, nullptr, &small, 1) == 0)
        return CIconHandle();
    return CIconHandle(small);
}

CIconHandle LibrarySmallIcon(UINT id)
{
    return CIconHandle(
        static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0)));
}

std::optional<std::string> DefaultValueText(HKEY root, const std::string& path)
{
    CRegKey key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string();
    std::vector<char> text(size + 1, '\0');
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return std::string();
    return std::string(text.data());  // up to the first NUL, within the buffer's extra NUL
}
