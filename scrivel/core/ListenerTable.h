#pragma once
// The system's table of listening TCP sockets with their owning processes, as
// GetExtendedTcpTable returns it for TCP_TABLE_OWNER_PID_LISTENER, read from its bytes so
// that the reading is the same in both builds; and the addresses it is compared with.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct IpAddress {
    bool ipv6 = false;
    std::array<std::uint8_t, 16> bytes{};  // an IPv4 address in the first four

    bool IsUnspecified() const;  // 0.0.0.0 or ::, every address of its family
    bool operator==(const IpAddress& other) const;
};

// "127.0.0.1", "::1", "fe80::1%4" (the zone is dropped), "::ffff:10.0.0.1"; none for a
// host name or anything else.
std::optional<IpAddress> ParseIpAddress(std::string_view text);

struct TcpListener {
    IpAddress address;
    int port = 0;
    std::uint32_t pid = 0;  // 0 when the system does not tell
};

// `table` holds a MIB_TCPTABLE_OWNER_PID (IPv4) or a MIB_TCP6TABLE_OWNER_PID (IPv6) of
// `size` bytes; rows that do not fit in it are not read.
std::vector<TcpListener> DecodeListenerTable(const std::uint8_t* table, std::size_t size, bool ipv6);
