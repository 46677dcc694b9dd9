// Online means a default route in /proc/net/route or /proc/net/ipv6_route,
// unless VANTOREL_ONLINE says otherwise.
#include "platform/linux_connection.h"

#include <cstdlib>
#include <sstream>
#include <string>

#include "infra/file_io.h"

bool HasDefaultRoute(std::string_view routeTable) {
    std::istringstream in{std::string(routeTable)};
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string iface, destination, gateway, flags, refCnt, use, metric, mask;
        if (!(fields >> iface >> destination >> gateway >> flags >> refCnt >> use >> metric >> mask))
            continue;
        const unsigned long flagBits = std::strtoul(flags.c_str(), nullptr, 16);
        const bool up = (flagBits & 0x1) != 0;
        if (up && destination == "00000000" && mask == "00000000") return true;
    }
    return false;
}

bool HasIpv6DefaultRoute(std::string_view ipv6RouteTable) {
    constexpr unsigned long Up = 0x1, Reject = 0x200;
    std::istringstream in{std::string(ipv6RouteTable)};
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string destination, prefixLength, source, sourceLength, nextHop, metric, refCnt, use, flags;
        if (!(fields >> destination >> prefixLength >> source >> sourceLength >> nextHop >> metric >>
              refCnt >> use >> flags))
            continue;
        const unsigned long flagBits = std::strtoul(flags.c_str(), nullptr, 16);
        if (destination == std::string(32, '0') && prefixLength == "00" && (flagBits & Up) != 0 &&
            (flagBits & Reject) == 0)
            return true;
    }
    return false;
}

bool RouteTableConnection::IsOnline() {
    const auto table = ReadWholeFile("/proc/net/route");
    if (table && HasDefaultRoute(*table)) return true;
    const auto ipv6Table = ReadWholeFile("/proc/net/ipv6_route");
    return ipv6Table && HasIpv6DefaultRoute(*ipv6Table);
}

std::unique_ptr<IConnection> MakeConnection() {
    const char* forced = std::getenv("VANTOREL_ONLINE");
    const std::string value = forced ? forced : "";
    if (value == "1") return std::make_unique<FixedConnection>(true);
    if (value == "0") return std::make_unique<FixedConnection>(false);
    return std::make_unique<RouteTableConnection>();
}
