#include "TestPaths.h"

#include <windows.h>

#include <cstdio>

namespace testpaths {

namespace {

std::string Parent(const std::string& path)
{
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(0, slash);
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA(Join(folder, "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = Join(folder, name);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    const char last = folder.back();
    return (last == '\\' || last == '/') ? folder + name : folder + "\\" + name;
}

std::string TestBinDir()
{
    char path[MAX_PATH * 2];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
    return Parent(std::string(path, n));
}

std::string BuildDir()
{
    return Parent(TestBinDir());
}
std::string BinDir()
{
    return Join(BuildDir(), "bin");
}

std::string ScreenshotDir()
{
    const std::string dir = Join(BuildDir(), "screenshots");
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string MakeWorkDir(const std::string& name)
{
    const std::string root = Join(BuildDir(), "test-work");
    ::CreateDirectoryA(root.c_str(), nullptr);
    const std::string dir = Join(root, name);
    RemoveTree(dir);
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

bool WriteTextFile(const std::string& path, const std::string& content)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    return std::fclose(f) == 0 && ok;
}

bool ReadTextFile(const std::string& path, std::string& content)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    content.clear();
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        content.append(buffer, n);
    std::fclose(f);
    return true;
}

std::string FileText(const std::string& path)
{
    std::string content;
    ReadTextFile(path, content);
    return content;
}

std::uint64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return ~0ull;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace testpaths
