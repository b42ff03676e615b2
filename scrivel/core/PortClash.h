#pragma once
// Whether the ports the server will listen on are free: each Listen of the configuration
// against the system's listening sockets, and the one message that names the first port
// another program holds.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ListenAddress.h"
#include "ListenerTable.h"

// What the system tells of a process; either may be empty.
struct ProcessOwner {
    std::string path;  // the program's full path
    std::string name;  // its file name, known even when the path is not
};
using FindOwner = std::function<ProcessOwner(std::uint32_t pid)>;

// The process that the system's HTTP service listens in.
constexpr std::uint32_t kSystemPid = 4;

// Whether `listener` takes the address and port of `listen`: one without an address (or
// with 0.0.0.0 or ::) wants the port on every address of its family, one with an address
// that address or its family's every-address socket.
bool Holds(const TcpListener& listener, const ListenAddress& listen);

// "Syntax OK, but port 80 is in use by System (PID 4: the HTTP service of Windows)", "...
// by Skype.exe (PID 5120) and 2 more"; empty when no port is held but by the server
// itself: a program below `serverFolder`, or, when its path cannot be read, one named
// apache.exe or httpd.exe.
std::string PortClashMessage(const std::vector<ListenAddress>& listens, const std::vector<TcpListener>& listeners,
                             std::string_view serverFolder, const FindOwner& findOwner);
