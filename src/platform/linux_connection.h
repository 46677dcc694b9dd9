// The connection state on Linux: a default route, IPv4 or IPv6, means
// online. The environment variable VANTOREL_ONLINE (1 or 0) overrides it, for tests.
#pragma once

#include <memory>
#include <string_view>

#include "online/browser_launcher.h"

// True when the routing table (text of /proc/net/route) has a default route that is up.
bool HasDefaultRoute(std::string_view routeTable);
// The same for the IPv6 routing table (text of /proc/net/ipv6_route), where
// the kernel also lists an unreachable default route that is not up.
bool HasIpv6DefaultRoute(std::string_view ipv6RouteTable);

class RouteTableConnection : public IConnection {
public:
    bool IsOnline() override;
    // Linux brings its connections up by itself: nothing to do.
    void Autodial() override {}
};

class FixedConnection : public IConnection {
public:
    explicit FixedConnection(bool online) : online_(online) {}
    bool IsOnline() override { return online_; }
    void Autodial() override {}

private:
    bool online_;
};

// VANTOREL_ONLINE=1 or 0 gives a fixed state; otherwise the routing table decides.
std::unique_ptr<IConnection> MakeConnection();
