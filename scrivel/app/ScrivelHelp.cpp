#include "ScrivelHelp.h"

#include <windows.h>

#include <algorithm>

#include "Handles.h"
#include "ManualLanguage.h"
#include "ScrivelTexts.h"

namespace {
// A type map of the manual lists a dozen languages in well under this.
constexpr DWORD kFileStartRoom = 64 * 1024;
}  // namespace

std::string ProgramFolder()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // a long path was cut short
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    const std::size_t last = path.rfind('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string HelpFilePath()
{
    return ProgramFolder() + texts::kHelpFile;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool HelpFileExists()
{
    return FileExists(HelpFilePath());
}

std::string FileStart(const std::string& path)
{
    return FileText(path, kFileStartRoom);
}

std::string FileText(const std::string& path, unsigned long room)
{
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::string();
    std::string text(room, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), text.data(), room, &read, nullptr))
        return std::string();
    text.resize(read);
    return text;
}

keywordhelp::ManualAccess ServerManual()
{
    return {FileExists, FileStart, ManualLanguageOf(::GetUserDefaultUILanguage())};
}
