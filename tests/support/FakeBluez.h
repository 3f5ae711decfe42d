#pragma once

#include "support/FakeBusService.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

// BlueZ on a test's bus ("org.bluez"): its object manager and one adapter object per entry,
// whose "Powered" can be set and announces its changes as BlueZ does. An adapter blocked
// through rfkill stays off and refuses to be powered.
class FakeBluez {
public:
    struct Adapter {
        std::string name;  // "hci0"
        bool powered = false;
        bool blocked = false;
    };

    FakeBluez(const std::string& address, std::vector<Adapter> adapters);

    bool isPowered(const std::string& name) const;
    void setBlocked(const std::string& name, bool blocked);
    // A change made elsewhere (another program, the adapter's own switch).
    void powerFromOutside(const std::string& name, bool powered);

private:
    GVariant* managedObjects() const;
    GVariant* property(const std::string& path, const std::string& name) const;
    bool setPowered(const std::string& path, bool powered, GError** error);
    void announce(const std::string& path, bool powered);

    mutable std::mutex mutex_;
    std::map<std::string, Adapter> adapters_;  // by object path
    FakeBusService service_;
};

}  // namespace testsupport
