#include "support/PrivateBus.h"

#include <cstdlib>

namespace testsupport {

PrivateBus::PrivateBus() : bus_(g_test_dbus_new(G_TEST_DBUS_NONE)) {
    g_test_dbus_up(bus_);
    address_ = g_test_dbus_get_bus_address(bus_);
    setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
}

PrivateBus::~PrivateBus() {
    g_test_dbus_down(bus_);
    g_object_unref(bus_);
}

}  // namespace testsupport
