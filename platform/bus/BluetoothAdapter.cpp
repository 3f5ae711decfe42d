#include "platform/bus/BluetoothAdapter.h"

#include "platform/bus/BusConnection.h"

namespace platform {
namespace {

constexpr const char* kBluez = "org.bluez";
constexpr const char* kAdapterInterface = "org.bluez.Adapter1";
constexpr int kReadTimeoutMs = 3000;
// Powering a controller up takes BlueZ a few seconds at worst; it answers once it is done.
constexpr int kPowerTimeoutMs = 15000;

struct Adapter {
    std::string path;
    bool powered = false;
};

// The adapters BlueZ manages: the object with the adapter interface whose path sorts first.
std::optional<Adapter> defaultAdapter(const BusConnection& bus, std::string* why) {
    Variant reply = bus.call(kBluez, "/", "org.freedesktop.DBus.ObjectManager", "GetManagedObjects", nullptr,
                             "(a{oa{sa{sv}}})", kReadTimeoutMs, why);
    if (!reply) return std::nullopt;
    std::optional<Adapter> found;
    GVariantIter* objects = nullptr;
    g_variant_get(reply.get(), "(a{oa{sa{sv}}})", &objects);
    const gchar* path = nullptr;
    GVariant* interfaces = nullptr;
    while (g_variant_iter_loop(objects, "{&o@a{sa{sv}}}", &path, &interfaces)) {
        Variant properties(g_variant_lookup_value(interfaces, kAdapterInterface, G_VARIANT_TYPE_VARDICT));
        if (!properties || (found && found->path < path)) continue;
        gboolean powered = FALSE;
        g_variant_lookup(properties.get(), "Powered", "b", &powered);
        found = Adapter{path, powered != FALSE};
    }
    g_variant_iter_free(objects);
    if (!found && why) *why = "BlueZ knows no Bluetooth adapter";
    return found;
}

// A change of the adapter's properties that concerns its power.
bool changesPower(GVariant* parameters) {
    Variant changed(g_variant_get_child_value(parameters, 1));
    Variant invalidated(g_variant_get_child_value(parameters, 2));
    const gchar** names = g_variant_get_strv(invalidated.get(), nullptr);
    bool concerns = false;
    for (const char* name : {"Powered", "PowerState"})
        concerns = concerns || Variant(g_variant_lookup_value(changed.get(), name, nullptr)) || g_strv_contains(names, name);
    g_free(names);
    return concerns;
}

}  // namespace

std::optional<bool> BluetoothAdapter::powerState() {
    const std::shared_ptr<BusConnection> bus = BusConnection::system();
    if (!bus) return std::nullopt;
    const std::optional<Adapter> adapter = defaultAdapter(*bus, nullptr);
    if (!adapter) return std::nullopt;
    return adapter->powered;
}

bool BluetoothAdapter::setPowered(bool on, std::string* why) {
    const std::shared_ptr<BusConnection> bus = BusConnection::system();
    if (!bus) {
        if (why) *why = "no system bus";
        return false;
    }
    const std::optional<Adapter> adapter = defaultAdapter(*bus, why);
    if (!adapter) return false;
    return bus->call(kBluez, adapter->path.c_str(), "org.freedesktop.DBus.Properties", "Set",
                     g_variant_new("(ssv)", kAdapterInterface, "Powered", g_variant_new_boolean(on)), nullptr, kPowerTimeoutMs,
                     why) != nullptr;
}

std::unique_ptr<BusSubscription> BluetoothAdapter::observePower(std::function<void()> handler) {
    const std::shared_ptr<BusConnection> bus = BusConnection::system();
    if (!bus) return nullptr;
    const std::vector<SignalMatch> matches = {
        {kBluez, "org.freedesktop.DBus.Properties", "PropertiesChanged", kAdapterInterface},
        {kBluez, "org.freedesktop.DBus.ObjectManager", "InterfacesAdded", nullptr},
        {kBluez, "org.freedesktop.DBus.ObjectManager", "InterfacesRemoved", nullptr},
        {"org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged", kBluez},
    };
    return bus->subscribe(matches, [handler = std::move(handler)](const char*, GVariant* parameters) {
        const bool propertiesChanged = g_variant_is_of_type(parameters, G_VARIANT_TYPE("(sa{sv}as)"));
        if (!propertiesChanged || changesPower(parameters)) handler();
    });
}

}  // namespace platform
