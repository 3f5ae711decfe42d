#include "support/PrivateBus.h"

#include <csignal>
#include <cstdlib>

namespace testsupport {

PrivateBus::PrivateBus() : bus_(g_test_dbus_new(G_TEST_DBUS_NONE)) {
    g_test_dbus_up(bus_);
    address_ = g_test_dbus_get_bus_address(bus_);
    setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
}

PrivateBus::~PrivateBus() {
    resume();
    g_test_dbus_down(bus_);
    g_object_unref(bus_);
}

// The daemon tells its own process id for its own name.
pid_t PrivateBus::daemonProcess() const {
    GDBusConnection* connection = g_dbus_connection_new_for_address_sync(
        address_.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    if (!connection) return 0;
    guint32 pid = 0;
    GVariant* reply = g_dbus_connection_call_sync(connection, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                  "org.freedesktop.DBus", "GetConnectionUnixProcessID",
                                                  g_variant_new("(s)", "org.freedesktop.DBus"), G_VARIANT_TYPE("(u)"),
                                                  G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    if (reply) {
        g_variant_get(reply, "(u)", &pid);
        g_variant_unref(reply);
    }
    g_object_unref(connection);
    return static_cast<pid_t>(pid);
}

void PrivateBus::stall(std::chrono::milliseconds longest) {
    resume();
    if (!daemon_) daemon_ = daemonProcess();
    if (!daemon_ || kill(daemon_, SIGSTOP) != 0) return;
    resuming_ = false;
    waker_ = std::thread([this, longest] {
        std::unique_lock<std::mutex> lock(mutex_);
        resumed_.wait_for(lock, longest, [this] { return resuming_; });
        kill(daemon_, SIGCONT);
    });
}

void PrivateBus::resume() {
    if (!waker_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        resuming_ = true;
    }
    resumed_.notify_all();
    waker_.join();
}

}  // namespace testsupport
