#include "support/FakeBusService.h"

#include <stdexcept>

namespace testsupport {
namespace {

FakeBusService::Object& objectOf(gpointer data) { return *static_cast<FakeBusService::Object*>(data); }

void methodCall(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar* method, GVariant* parameters,
                GDBusMethodInvocation* invocation, gpointer object) {
    objectOf(object).methods(path, method, parameters, invocation);
}

GVariant* getProperty(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar* property, GError** error,
                      gpointer object) {
    GVariant* value = objectOf(object).getter ? objectOf(object).getter(path, property) : nullptr;
    if (!value) g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "no property %s", property);
    return value;
}

gboolean setProperty(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar* property, GVariant* value,
                     GError** error, gpointer object) {
    if (objectOf(object).setter) return objectOf(object).setter(path, property, value, error);
    g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_PROPERTY_READ_ONLY, "%s is read-only", property);
    return FALSE;
}

const GDBusInterfaceVTable kVtable{&methodCall, &getProperty, &setProperty, {}};

}  // namespace

FakeBusService::FakeBusService(const std::string& address, const std::string& name, std::vector<Object> objects) {
    std::string error;
    bus_ = platform::BusConnection::connect(address, &error);
    if (!bus_) throw std::runtime_error("no bus at " + address + ": " + error);
    for (Object& object : objects) addObject(std::move(object));
    bus_->call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
               g_variant_new("(su)", name.c_str(), 0u), "(u)", -1);
}

void FakeBusService::addObject(Object object) {
    std::lock_guard<std::mutex> lock(mutex_);
    objects_.push_back(std::make_unique<Object>(std::move(object)));
    Object* added = objects_.back().get();
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(added->interfaceXml.c_str(), nullptr);
    if (!node) throw std::runtime_error("bad interface XML for " + added->path);
    // Method calls go to the main context that is the thread's default when registering.
    bus_->runOnBusThread([&] {
        g_dbus_connection_register_object(bus_->raw(), added->path.c_str(), node->interfaces[0], &kVtable, added, nullptr,
                                          nullptr);
    });
    g_dbus_node_info_unref(node);
}

void FakeBusService::emitSignal(const std::string& path, const std::string& interface, const std::string& member,
                                GVariant* parameters) {
    g_dbus_connection_emit_signal(bus_->raw(), nullptr, path.c_str(), interface.c_str(), member.c_str(), parameters, nullptr);
}

}  // namespace testsupport
