#include "PortClash.h"

#include <algorithm>
#include <optional>

#include "ConfPath.h"

namespace {

struct Clash {
    int port = 0;
    std::uint32_t pid = 0;
    ProcessOwner owner;
};

bool IsServerProgram(const ProcessOwner& owner, std::string_view serverFolder)
{
    if (!owner.path.empty()) {
        const std::string folder = confpath::Trimmed(serverFolder) + "/";
        const std::string path = confpath::ToForwardSlashes(owner.path);
        return folder.size() > 1 && path.size() > folder.size() &&
               confpath::EqualNoCase(std::string_view(path).substr(0, folder.size()), folder);
    }
    return confpath::EqualNoCase(owner.name, "apache.exe") || confpath::EqualNoCase(owner.name, "httpd.exe");
}

std::string OwnerText(const Clash& clash)
{
    if (clash.pid == 0)
        return "another program";
    const std::string pid = std::to_string(clash.pid);
    if (clash.pid == kSystemPid)
        return "System (PID " + pid + ": the HTTP service of Windows)";
    std::string name = clash.owner.name;
    if (name.empty())
        name = confpath::FileName(clash.owner.path);
    return (name.empty() ? "another program" : name) + " (PID " + pid + ")";
}

}  // namespace

bool Holds(const TcpListener& listener, const ListenAddress& listen)
{
    if (listener.port != listen.port)
        return false;
    if (listen.host.empty())
        return true;
    const std::optional<IpAddress> wanted = ParseIpAddress(listen.host);
    if (!wanted)
        return true;  // a host name: whichever address it stands for
    if (wanted->ipv6 != listener.address.ipv6)
        return false;
    return wanted->IsUnspecified() || listener.address.IsUnspecified() || listener.address == *wanted;
}

std::string PortClashMessage(const std::vector<ListenAddress>& listens, const std::vector<TcpListener>& listeners,
                             std::string_view serverFolder, const FindOwner& findOwner)
{
    std::vector<Clash> clashes;  // one per port
    for (const ListenAddress& listen : listens) {
        if (std::any_of(clashes.begin(), clashes.end(), [&](const Clash& c) { return c.port == listen.port; }))
            continue;
        for (const TcpListener& listener : listeners) {
            if (!Holds(listener, listen))
                continue;
            ProcessOwner owner = listener.pid == 0 ? ProcessOwner{} : findOwner(listener.pid);
            if (listener.pid != 0 && IsServerProgram(owner, serverFolder))
                continue;
            clashes.push_back({listen.port, listener.pid, std::move(owner)});
            break;
        }
    }
    if (clashes.empty())
        return std::string();
    std::string message =
        "Syntax OK, but port " + std::to_string(clashes.front().port) + " is in use by " + OwnerText(clashes.front());
    if (clashes.size() > 1)
        message += " and " + std::to_string(clashes.size() - 1) + " more";
    return message;
}
