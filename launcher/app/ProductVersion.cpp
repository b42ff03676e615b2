#include "ProductVersion.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {
std::string StringValue(const std::vector<char>& info, WORD language, WORD codePage, const char* name)
{
    char query[64];
    std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\%s", language, codePage, name);
    char* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(info.data(), query, reinterpret_cast<void**>(&value), &length) || length == 0)
        return "";
    return std::string(value, ::strnlen(value, length));
}
}  // namespace

std::string ProductVersionOf(const std::string& path)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return "";
    std::vector<char> info(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, info.data()))
        return "";
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation))
        return "";
    const std::string product = StringValue(info, translation->language, translation->codePage, "ProductName");
    const std::string version = StringValue(info, translation->language, translation->codePage, "ProductVersion");
    if (product.empty() || version.empty())
        return "";
    return product + " " + version;
}
