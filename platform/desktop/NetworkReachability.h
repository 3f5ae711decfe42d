#pragma once

#include <string>

namespace platform {

// Whether the network can be reached without first establishing a connection: some default
// route (IPv4 or IPv6) is usable and leads out through an interface that is up. Reads
// net/route and net/ipv6_route under the /proc root and class/net under the /sys root.
class NetworkReachability {
public:
    static bool isReachable();

    // One line of the route tables (headers and short lines give false).
    static bool isUsableIPv4DefaultRoute(const std::string& line, std::string* interfaceName);
    static bool isUsableIPv6DefaultRoute(const std::string& line, std::string* interfaceName);
    // Administratively up, and with a link that is up or does not report one (loopback-like
    // and point-to-point links say "unknown"); a dormant link waits for a connection first.
    static bool isInterfaceUp(const std::string& interfaceName);
};

}  // namespace platform
