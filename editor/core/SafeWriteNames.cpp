// The names of a safe write's temporary files: the same on every platform.
#include <cstdio>
#include <cstring>

#include "SafeWrite.h"

namespace tessaly::editor {

namespace {

// Longest file name (without its folder) the file systems we write to take.
constexpr std::size_t kMaxNameLength = 255;

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::uint32_t NameHash(const std::string& name)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

}  // namespace

std::string FolderOfPath(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) {
        // "C:name" lies in the drive's current folder.
        if (path.size() >= 2 && path[1] == ':')
            return path.substr(0, 2);
        return ".";
    }
    // Several separators in a row count as one.
    while (slash > 0 && IsSeparator(path[slash - 1]))
        --slash;
    if (slash == 0)
        return path.substr(0, 1);
    // A file at a drive's root: the folder keeps its separator ("C:" alone is the drive's
    // current folder, not its root).
    if (slash == 2 && path[1] == ':')
        return path.substr(0, 3);
    return path.substr(0, slash);
}

std::string SaveTemporaryPath(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    const std::size_t nameStart = slash == std::string::npos ? (path.size() >= 2 && path[1] == ':' ? 2 : 0) : slash + 1;
    const std::string name = path.substr(nameStart);
    const std::size_t suffix = std::strlen(kSaveTemporarySuffix);
    std::string tempName = name;
    if (name.size() + suffix > kMaxNameLength) {
        char hash[10];
        std::snprintf(hash, sizeof hash, "~%08x", static_cast<unsigned>(NameHash(name)));
        tempName = name.substr(0, kMaxNameLength - suffix - 9) + hash;
    }
    return path.substr(0, nameStart) + tempName + kSaveTemporarySuffix;
}

}  // namespace tessaly::editor
