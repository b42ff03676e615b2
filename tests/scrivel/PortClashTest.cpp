#include <gtest/gtest.h>

#include <map>

#include "PortClash.h"
#include "SyntaxReport.h"

namespace {

// Listener tables laid out as GetExtendedTcpTable gives them on Windows (little-endian
// counts and process ids, ports in network order with anything in the upper half). The
// IPv4 table promises one row more than it holds.
constexpr const char kIpv4Table[] = "06000000"
                                    "02000000 00000000 0050abcd 00000000 00000000 04000000"  // 0.0.0.0:80, System
                                    "02000000 7f000001 1f900000 00000000 00000000 00140000"  // 127.0.0.1:8080, pid 5120
                                    "02000000 00000000 01bb0000 00000000 00000000 a2080000"  // 0.0.0.0:443, pid 2210
                                    "02000000 00000000 20fb0000 00000000 00000000 b80b0000"  // 0.0.0.0:8443, pid 3000
                                    "02000000 00000000 23280000 00000000 00000000 1c0c0000";  // 0.0.0.0:9000, pid 3100
constexpr const char kIpv6Table[] = "01000000"
                                    "00000000000000000000000000000000 00000000 00500000"  // [::]:80
                                    "00000000000000000000000000000000 00000000 00000000 02000000 04000000";

std::vector<std::uint8_t> Bytes(std::string_view hex)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); ++i) {
        if (hex[i] == ' ')
            continue;
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
        ++i;
    }
    return bytes;
}

ProcessOwner Owner(std::uint32_t pid)
{
    static const std::map<std::uint32_t, ProcessOwner> owners = {
        {4, {"", "System"}},
        {5120, {"C:\\Program Files\\Skype\\Skype.exe", "Skype.exe"}},
        {2210, {"C:\\Apache24\\bin\\httpd.exe", "httpd.exe"}},
        {3000, {"", "apache.exe"}},  // a service of the system account: no path
        {3100, {"D:\\Other\\bin\\httpd.exe", "httpd.exe"}},
    };
    const auto found = owners.find(pid);
    return found == owners.end() ? ProcessOwner{} : found->second;
}

std::string Message(const std::vector<const char*>& arguments, const std::vector<TcpListener>& listeners)
{
    std::vector<ListenAddress> listens;
    for (const char* argument : arguments)
        listens.push_back(ParseListenArgument(argument).value());
    return PortClashMessage(listens, listeners, "c:/apache24/", Owner);
}

}  // namespace

TEST(PortClash, RecordedTablesNameTheFirstPortTakenAndCountTheRest)
{
    const std::vector<std::uint8_t> v4 = Bytes(kIpv4Table);
    const std::vector<std::uint8_t> v6 = Bytes(kIpv6Table);
    const std::vector<TcpListener> listeners = DecodeListenerTable(v4.data(), v4.size(), false);
    ASSERT_EQ(listeners.size(), 5u);
    EXPECT_EQ(listeners[0].port, 80);
    EXPECT_EQ(listeners[1].address, ParseIpAddress("127.0.0.1"));
    EXPECT_EQ(listeners[1].pid, 5120u);
    const std::vector<TcpListener> listeners6 = DecodeListenerTable(v6.data(), v6.size(), true);
    ASSERT_EQ(listeners6.size(), 1u);
    EXPECT_EQ(listeners6[0].address, ParseIpAddress("::"));
    EXPECT_TRUE(DecodeListenerTable(v6.data(), 3, true).empty());

    // The server's own ports: a program of its folder, a service's program by name.
    EXPECT_EQ(Message({"443", "8443"}, listeners), "");
    EXPECT_EQ(Message({"8080"}, listeners), "Syntax OK, but port 8080 is in use by Skype.exe (PID 5120)");
    EXPECT_EQ(Message({"[::1]:80"}, listeners6),
              "Syntax OK, but port 80 is in use by System (PID 4: the HTTP service of Windows)");
    EXPECT_EQ(Message({"443", "80", "127.0.0.1:8080", "9000", "[::]:80"}, listeners),
              "Syntax OK, but port 80 is in use by System (PID 4: the HTTP service of Windows) and 2 more");
    // An address is held by a socket on it or on every address of its family.
    EXPECT_EQ(Message({"127.0.0.2:8080", "[::1]:8080", "*:8081"}, listeners), "");
    EXPECT_EQ(Message({"10.0.0.1:9000"}, listeners), "Syntax OK, but port 9000 is in use by httpd.exe (PID 3100)");
    TcpListener untold;
    untold.port = 8080;
    EXPECT_EQ(Message({"8080"}, {untold}), "Syntax OK, but port 8080 is in use by another program");
}

TEST(PortClash, AddressFormsAndTheSyntaxOkLine)
{
    const std::optional<IpAddress> mapped = ParseIpAddress("::ffff:10.0.0.1");
    ASSERT_TRUE(mapped);
    EXPECT_EQ(mapped->bytes[10], 0xFF);
    EXPECT_EQ(mapped->bytes[12], 10);
    EXPECT_EQ(ParseIpAddress("fe80::1%4"), ParseIpAddress("fe80:0:0:0:0:0:0:1"));
    for (const char* bad : {"1::2::3", "256.0.0.1", "1.2.3", "localhost", "1:2:3:4:5:6:7:8:9", "1:"})
        EXPECT_FALSE(ParseIpAddress(bad)) << bad;

    EXPECT_TRUE(SaysSyntaxOk("AH00558: httpd.exe: Could not reliably determine the name\r\nSyntax OK\r\n"));
    EXPECT_FALSE(SaysSyntaxOk("Syntax OK, but port 80 is in use by another program"));
    EXPECT_FALSE(SaysSyntaxOk("Syntax error on line 2 of x:\nSyntax OK is what we wanted"));
}
