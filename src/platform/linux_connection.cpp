// Online means a default route in /proc/net/route, unless VANTOREL_ONLINE says otherwise.
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

bool RouteTableConnection::IsOnline() {
    const auto table = ReadWholeFile("/proc/net/route");
    return table && HasDefaultRoute(*table);
}

std::unique_ptr<IConnection> MakeConnection() {
    const char* forced = std::getenv("VANTOREL_ONLINE");
    const std::string value = forced ? forced : "";
    if (value == "1") return std::make_unique<FixedConnection>(true);
    if (value == "0") return std::make_unique<FixedConnection>(false);
    return std::make_unique<RouteTableConnection>();
}
