#pragma once

#include "platform/bus/BusSubscription.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// The computer's Bluetooth adapter, reached through BlueZ on the system bus. With several
// adapters the first by object path (hci0 before hci1) is the default one.
class BluetoothAdapter {
public:
    BluetoothAdapter() = delete;

    // Whether the default adapter is powered; nothing without an adapter, BlueZ or system bus.
    // An adapter blocked through rfkill is off, as BlueZ reports it.
    static std::optional<bool> powerState();
    // Powers the default adapter on or off and waits until BlueZ has done it; false, with the
    // reason in *why (no adapter, blocked through rfkill, ...), when it did not.
    static bool setPowered(bool on, std::string* why);
    // Calls the handler, on a thread of the bus connection's, after the power of an adapter
    // changed or an adapter or BlueZ itself came or went. nullptr without a system bus.
    static std::unique_ptr<BusSubscription> observePower(std::function<void()> handler);
};

}  // namespace platform
