#pragma once

#include "support/ScopedVariable.h"

#include <gio/gio.h>

#include <string>

namespace testsupport {

// A message bus daemon of the test's own, standing for both the session and the system bus
// while it lives, as under dbus-run-session; the variables that named the real ones come back
// afterwards.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    const std::string& address() const { return address_; }

private:
    ScopedVariable session_{"DBUS_SESSION_BUS_ADDRESS", nullptr};
    ScopedVariable system_{"DBUS_SYSTEM_BUS_ADDRESS", nullptr};
    GTestDBus* bus_ = nullptr;
    std::string address_;
};

}  // namespace testsupport
