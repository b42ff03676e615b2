#include "ServerSwitches.h"

namespace {

// "-f file" or "-ffile": the value of `flag` at words[i], which may take the next word.
bool TakeValue(const std::vector<std::string>& words, std::size_t& i, const char* flag, std::string& value)
{
    const std::string& word = words[i];
    if (word.size() < 2 || word[0] != '-' || word[1] != flag[1])
        return false;
    if (word.size() > 2) {
        value = word.substr(2);
        return true;
    }
    if (i + 1 >= words.size())
        return false;
    value = words[++i];
    return true;
}

}  // namespace

ServerSwitches ReadServerSwitches(const std::vector<std::string>& words)
{
    ServerSwitches switches;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string value;
        if (TakeValue(words, i, "-D", value))
            switches.defines.push_back(value);
        else if (TakeValue(words, i, "-f", value))
            switches.mainFile = value;
        else if (TakeValue(words, i, "-d", value))
            switches.serverRoot = value;
    }
    return switches;
}

ServerSwitches ReadServerSwitches(std::string_view commandLine)
{
    return ReadServerSwitches(SplitArguments(commandLine));
}

void ApplySwitches(const ServerSwitches& switches, CConfigReader& reader)
{
    if (!switches.mainFile.empty())
        reader.SetMainFile(switches.mainFile);
    for (const std::string& name : switches.defines)
        reader.Define(name);
}
