#pragma once

#include "support/ScopedVariable.h"

#include <gio/gio.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <sys/types.h>

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
    // Stops the daemon (SIGSTOP), as a hung bus: no call, new connection or signal goes through
    // until it is resumed, at the latest after longest (so code that waits for the bus on the
    // main thread shows as a stall that long rather than as a run that never ends).
    void stall(std::chrono::milliseconds longest = std::chrono::seconds(10));
    void resume();

private:
    pid_t daemonProcess() const;

    ScopedVariable session_{"DBUS_SESSION_BUS_ADDRESS", nullptr};
    ScopedVariable system_{"DBUS_SYSTEM_BUS_ADDRESS", nullptr};
    GTestDBus* bus_ = nullptr;
    std::string address_;
    pid_t daemon_ = 0;
    // Resumes the daemon when the stall has lasted long enough or resume() is called.
    std::thread waker_;
    std::mutex mutex_;
    std::condition_variable resumed_;
    bool resuming_ = false;
};

}  // namespace testsupport
