#include "ListenAddress.h"

namespace {

std::optional<int> PortNumber(std::string_view text)
{
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    int port = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

}  // namespace

std::optional<ListenAddress> ParseListenArgument(std::string_view argument)
{
    ListenAddress listen;
    std::string_view portText = argument;
    if (!argument.empty() && argument.front() == '[') {
        // A bracketed IPv6 address keeps its colons; the port follows the bracket.
        const auto close = argument.find(']');
        if (close == std::string_view::npos || close + 1 >= argument.size() || argument[close + 1] != ':')
            return std::nullopt;
        listen.host = std::string(argument.substr(1, close - 1));
        portText = argument.substr(close + 2);
    } else if (const auto colon = argument.rfind(':'); colon != std::string_view::npos) {
        listen.host = std::string(argument.substr(0, colon));
        portText = argument.substr(colon + 1);
    }
    if (listen.host == "*")
        listen.host.clear();
    const std::optional<int> port = PortNumber(portText);
    if (!port)
        return std::nullopt;
    listen.port = *port;
    return listen;
}
