#pragma once

#include "platform/bus/BusConnection.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

// A service on a message bus, answering on a connection's own thread, for the platform's bus
// clients to talk to in tests.
class FakeBusService {
public:
    using Methods = std::function<void(const std::string& path, const std::string& method, GVariant* parameters,
                                       GDBusMethodInvocation* invocation)>;
    // A property's value (a new reference), or nullptr when there is none.
    using Getter = std::function<GVariant*(const std::string& path, const std::string& property)>;
    // False, with *error set, refuses the new value.
    using Setter = std::function<bool(const std::string& path, const std::string& property, GVariant* value, GError** error)>;

    // One interface at one path, described by introspection XML ("<node><interface ...>").
    struct Object {
        std::string path;
        std::string interfaceXml;
        Methods methods;
        Getter getter = {};
        Setter setter = {};
    };

    // Connects to the bus, registers the objects, then takes the name.
    FakeBusService(const std::string& address, const std::string& name, std::vector<Object> objects);
    FakeBusService(const FakeBusService&) = delete;
    FakeBusService& operator=(const FakeBusService&) = delete;

    // Registers one more object; from any thread, the service's own included.
    void addObject(Object object);
    void emitSignal(const std::string& path, const std::string& interface, const std::string& member, GVariant* parameters);

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<Object>> objects_;
    // Closed first, so no call reaches an object that is gone.
    std::shared_ptr<platform::BusConnection> bus_;
};

}  // namespace testsupport
