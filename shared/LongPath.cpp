#include "LongPath.h"

#include <cwchar>

namespace {

// The plain form serves up to here; the folder of a file close to the limit may need to
// hold a temporary name of a dozen characters more.
constexpr std::size_t kPlainFormRoom = MAX_PATH - 14;
constexpr wchar_t kExtendedPrefix[] = L"\\\\?\\";
constexpr wchar_t kExtendedSharePrefix[] = L"\\\\?\\UNC\\";

std::wstring Widen(const char* text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length) - 1);
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int length = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(length) - 1);
    return narrow;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

// The full form of a wide path; empty when the system has none for it.
std::wstring WideFullPath(const std::wstring& path)
{
    if (path.empty())
        return {};
    if (StartsWith(path, kExtendedPrefix))
        return path;
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return {};
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return {};
    full.resize(length);
    return full;
}

// The path the user would write: without the prefix of the extended form.
std::wstring PlainForm(const std::wstring& path)
{
    if (StartsWith(path, kExtendedSharePrefix))
        return L"\\\\" + path.substr(std::wcslen(kExtendedSharePrefix));
    if (StartsWith(path, kExtendedPrefix))
        return path.substr(std::wcslen(kExtendedPrefix));
    return path;
}

}  // namespace

std::string FullPathOf(const char* path)
{
    const std::wstring full = WideFullPath(Widen(path ? path : ""));
    return full.empty() ? std::string(path ? path : "") : Narrow(PlainForm(full));
}

std::wstring WideFilePath(const char* path)
{
    const std::wstring spelled = Widen(path ? path : "");
    const std::wstring full = WideFullPath(spelled);
    if (full.empty())
        return spelled;
    if (full.size() < kPlainFormRoom || StartsWith(full, kExtendedPrefix))
        return full;
    if (StartsWith(full, L"\\\\"))
        return kExtendedSharePrefix + full.substr(2);
    return kExtendedPrefix + full;
}

std::string ShortPathOf(const char* path)
{
    const std::wstring wide = WideFilePath(path);
    if (wide.empty())
        return {};
    const DWORD needed = ::GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring shortPath(needed, L'\0');
    const DWORD length = ::GetShortPathNameW(wide.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed)
        return {};
    shortPath.resize(length);
    return Narrow(PlainForm(shortPath));
}

DWORD FileAttributesOf(const char* path)
{
    const std::wstring wide = WideFilePath(path);
    return wide.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(wide.c_str());
}

bool IsExistingFile(const char* path)
{
    const DWORD attributes = FileAttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
