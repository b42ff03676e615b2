#include "ListenerTable.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Row layouts of tcpmib.h: every member a DWORD but the IPv6 addresses (16 bytes each).
constexpr std::size_t kCountSize = 4;
constexpr std::size_t kRow4Size = 6 * 4;  // state, local address, local port, remote address, remote port, pid
constexpr std::size_t kRow4Address = 4;
constexpr std::size_t kRow4Port = 8;
constexpr std::size_t kRow4Pid = 20;
constexpr std::size_t kRow6Size = 16 + 4 + 4 + 16 + 4 + 4 + 4 + 4;  // 56
constexpr std::size_t kRow6Port = 20;
constexpr std::size_t kRow6Pid = 52;

std::uint32_t HostDword(const std::uint8_t* p)
{
    std::uint32_t value;
    std::memcpy(&value, p, sizeof value);  // the machine's own order, as the table is written
    return value;
}

// The port is in network order in the member's first two bytes; the other two may hold
// anything.
int NetworkPort(const std::uint8_t* p)
{
    return p[0] << 8 | p[1];
}

std::optional<int> HexGroup(std::string_view text)
{
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

bool ParseIpv4(std::string_view text, std::uint8_t* out)
{
    for (int i = 0; i < 4; ++i) {
        const auto dot = i < 3 ? text.find('.') : text.size();
        if (dot == std::string_view::npos || dot == 0 || dot > 3)
            return false;
        int value = 0;
        for (const char c : text.substr(0, dot)) {
            if (c < '0' || c > '9')
                return false;
            value = value * 10 + (c - '0');
        }
        if (value > 255)
            return false;
        out[i] = static_cast<std::uint8_t>(value);
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    return true;
}

// Groups of one side of "::", each two bytes; an IPv4 tail counts as two groups.
bool ParseGroups(std::string_view text, std::vector<std::uint8_t>& out, bool tailMayBeIpv4)
{
    while (!text.empty()) {
        const auto colon = text.find(':');
        const std::string_view group = text.substr(0, colon);
        if (colon == std::string_view::npos && tailMayBeIpv4 && group.find('.') != std::string_view::npos) {
            std::uint8_t v4[4];
            if (!ParseIpv4(group, v4))
                return false;
            out.insert(out.end(), v4, v4 + 4);
            return true;
        }
        const std::optional<int> value = HexGroup(group);
        if (!value)
            return false;
        out.push_back(static_cast<std::uint8_t>(*value >> 8));
        out.push_back(static_cast<std::uint8_t>(*value & 0xFF));
        if (colon == std::string_view::npos)
            break;
        text.remove_prefix(colon + 1);
        if (text.empty())
            return false;  // a trailing single colon
    }
    return true;
}

bool ParseIpv6(std::string_view text, std::uint8_t* out)
{
    std::vector<std::uint8_t> head, tail;
    const auto gap = text.find("::");
    if (gap == std::string_view::npos) {
        if (!ParseGroups(text, head, true) || head.size() != 16)
            return false;
    } else {
        if (!ParseGroups(text.substr(0, gap), head, false) || !ParseGroups(text.substr(gap + 2), tail, true) ||
            head.size() + tail.size() > 14)
            return false;
    }
    std::memset(out, 0, 16);
    std::copy(head.begin(), head.end(), out);
    std::copy(tail.begin(), tail.end(), out + 16 - tail.size());
    return true;
}

}  // namespace

bool IpAddress::IsUnspecified() const
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

bool IpAddress::operator==(const IpAddress& other) const
{
    return ipv6 == other.ipv6 && bytes == other.bytes;
}

std::optional<IpAddress> ParseIpAddress(std::string_view text)
{
    IpAddress address;
    if (text.find(':') == std::string_view::npos) {
        if (!ParseIpv4(text, address.bytes.data()))
            return std::nullopt;
        return address;
    }
    address.ipv6 = true;
    if (!ParseIpv6(text.substr(0, text.find('%')), address.bytes.data()))
        return std::nullopt;
    return address;
}

std::vector<TcpListener> DecodeListenerTable(const std::uint8_t* table, std::size_t size, bool ipv6)
{
    std::vector<TcpListener> listeners;
    if (table == nullptr || size < kCountSize)
        return listeners;
    const std::size_t rowSize = ipv6 ? kRow6Size : kRow4Size;
    const std::size_t count = std::min<std::size_t>(HostDword(table), (size - kCountSize) / rowSize);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* row = table + kCountSize + i * rowSize;
        TcpListener listener;
        listener.address.ipv6 = ipv6;
        if (ipv6) {
            std::memcpy(listener.address.bytes.data(), row, 16);
            listener.port = NetworkPort(row + kRow6Port);
            listener.pid = HostDword(row + kRow6Pid);
        } else {
            std::memcpy(listener.address.bytes.data(), row + kRow4Address, 4);
            listener.port = NetworkPort(row + kRow4Port);
            listener.pid = HostDword(row + kRow4Pid);
        }
        listeners.push_back(listener);
    }
    return listeners;
}
