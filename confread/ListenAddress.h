#pragma once
// The argument of a Listen directive: "80", "127.0.0.1:8080", "[::1]:80", "*:80", with an
// optional protocol after it ("Listen 443 https").

#include <optional>
#include <string>
#include <string_view>

struct ListenAddress {
    std::string host;  // "127.0.0.1", "::1"; empty when the server listens on every address
    int port = 0;
    std::string file;  // where the directive is
    int line = 0;
};

// None when the argument names no port from 1 to 65535.
std::optional<ListenAddress> ParseListenArgument(std::string_view argument);
