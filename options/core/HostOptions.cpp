#include "HostOptions.h"

#include <algorithm>

#include "SettingsSchema.h"

namespace hosts {

std::vector<std::string> SplitExtensions(const std::string& text)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t comma = text.find(','); comma != std::string::npos; comma = text.find(',', start)) {
        pieces.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    if (start < text.size())
        pieces.push_back(text.substr(start));
    return pieces;
}

std::uint8_t HostOptions::Flags() const
{
    return static_cast<std::uint8_t>((showProject ? settings::kHostShowProject : 0) |
                                     (showHost ? settings::kHostShowHost : 0) |
                                     (automatic ? settings::kHostAutoProject : 0));
}

HostOptions HostOptions::Decode(const std::vector<std::uint8_t>& bytes)
{
    HostOptions options;
    if (bytes.empty())
        return options;
    const std::uint8_t flags = bytes[0];
    options.showProject = (flags & settings::kHostShowProject) != 0;
    options.showHost = (flags & settings::kHostShowHost) != 0;
    options.automatic = (flags & settings::kHostAutoProject) != 0;
    const auto pathEnd = std::find(bytes.begin() + 1, bytes.end(), std::uint8_t{0});
    options.projectPath.assign(bytes.begin() + 1, pathEnd);
    return options;
}

std::vector<std::uint8_t> HostOptions::Encode() const
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(projectPath.size() + 2);
    bytes.push_back(Flags());
    bytes.insert(bytes.end(), projectPath.begin(), projectPath.end());
    bytes.push_back(0);
    return bytes;
}

}  // namespace hosts
