#include "HostProgram.h"

#include <windows.h>

#include <algorithm>

#include "HelpTopics.h"

std::string HostProgramPath()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length < MAX_PATH ? length : MAX_PATH);
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

std::string HostProgramFolder()
{
    std::string path = HostProgramPath();
    const std::size_t slash = path.rfind('\\');
    if (slash != std::string::npos)
        path.erase(slash);
    return path;
}

std::string HelpFilePath(const std::string& topic)
{
    return HostProgramFolder() + "\\" + kHelpFileName + kHelpTopicSeparator + topic;
}
