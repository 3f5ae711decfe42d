#include "platform/desktop/NetworkReachability.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

using platform::NetworkReachability;

namespace {

const char* kRouteHeader =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
const char* kIPv4Default = "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
const char* kIPv4Subnet = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
const char* kIPv6Default =
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    "fd000000000000000000000000000001 00000400 00000002 00000000 00000003     eth0\n";
// The kernel's "unreachable" default route on the loopback interface.
const char* kIPv6Unreachable =
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n";

class RouteFixture {
public:
    RouteFixture() = default;
    void routes(const std::string& ipv4, const std::string& ipv6) {
        environment_.folder().writeFile("proc/net/route", kRouteHeader + ipv4);
        environment_.folder().writeFile("proc/net/ipv6_route", ipv6);
    }
    void interface(const std::string& name, const std::string& flags, const std::string& state) {
        environment_.folder().writeFile("sys/class/net/" + name + "/flags", flags + "\n");
        environment_.folder().writeFile("sys/class/net/" + name + "/operstate", state + "\n");
    }

private:
    testsupport::ScopedEnvironment environment_;
};

}  // namespace

TEST(NetworkReachability, ADefaultRouteOnAnInterfaceThatIsUpIsReachable) {
    RouteFixture fixture;
    fixture.interface("eth0", "0x1003", "up");
    fixture.routes(std::string(kIPv4Subnet) + kIPv4Default, "");
    EXPECT_TRUE(NetworkReachability::isReachable());
    fixture.routes(kIPv4Subnet, std::string(kIPv6Unreachable) + kIPv6Default);
    EXPECT_TRUE(NetworkReachability::isReachable());
}

TEST(NetworkReachability, NoUsableDefaultRouteIsNotReachable) {
    RouteFixture fixture;
    fixture.interface("eth0", "0x1003", "up");
    fixture.interface("lo", "0x9", "unknown");
    fixture.routes(kIPv4Subnet, kIPv6Unreachable);
    EXPECT_FALSE(NetworkReachability::isReachable());
    // A default route that is not up.
    fixture.routes("eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n", "");
    EXPECT_FALSE(NetworkReachability::isReachable());
    // No route tables at all.
    testsupport::ScopedEnvironment empty;
    EXPECT_FALSE(NetworkReachability::isReachable());
}

TEST(NetworkReachability, TheInterfaceMustBeUpAndNotWaitingForAConnection) {
    RouteFixture fixture;
    fixture.routes(kIPv4Default, kIPv6Default);
    fixture.interface("eth0", "0x1002", "down");
    EXPECT_FALSE(NetworkReachability::isReachable());
    fixture.interface("eth0", "0x1003", "dormant");
    EXPECT_FALSE(NetworkReachability::isReachable());
    fixture.interface("eth0", "0x1003", "lowerlayerdown");
    EXPECT_FALSE(NetworkReachability::isReachable());
    fixture.interface("eth0", "0x1091", "unknown");
    EXPECT_TRUE(NetworkReachability::isReachable());
    EXPECT_FALSE(NetworkReachability::isInterfaceUp("../../etc"));
    EXPECT_FALSE(NetworkReachability::isInterfaceUp("wlan9"));
}
