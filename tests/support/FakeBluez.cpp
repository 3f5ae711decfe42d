#include "support/FakeBluez.h"

namespace testsupport {
namespace {

constexpr const char* kManagerInterface =
    "<node><interface name='org.freedesktop.DBus.ObjectManager'>"
    "<method name='GetManagedObjects'><arg type='a{oa{sa{sv}}}' direction='out'/></method>"
    "<signal name='InterfacesAdded'><arg type='o'/><arg type='a{sa{sv}}'/></signal>"
    "<signal name='InterfacesRemoved'><arg type='o'/><arg type='as'/></signal>"
    "</interface></node>";
constexpr const char* kAdapterInterface =
    "<node><interface name='org.bluez.Adapter1'>"
    "<property name='Powered' type='b' access='readwrite'/>"
    "<property name='PowerState' type='s' access='read'/>"
    "</interface></node>";

std::string pathOf(const std::string& name) { return "/org/bluez/" + name; }

const char* powerStateOf(const FakeBluez::Adapter& adapter) {
    if (adapter.powered) return "on";
    return adapter.blocked ? "off-blocked" : "off";
}

}  // namespace

FakeBluez::FakeBluez(const std::string& address, std::vector<Adapter> adapters)
    : adapters_([&] {
          std::map<std::string, Adapter> byPath;
          for (const Adapter& adapter : adapters) byPath[pathOf(adapter.name)] = adapter;
          return byPath;
      }()),
      service_(address, "org.bluez", [this] {
          std::vector<FakeBusService::Object> objects{
              {"/", kManagerInterface,
               [this](const std::string&, const std::string&, GVariant*, GDBusMethodInvocation* invocation) {
                   g_dbus_method_invocation_return_value(invocation, managedObjects());
               }}};
          for (const auto& entry : adapters_)
              objects.push_back({entry.first, kAdapterInterface, {},
                                 [this](const std::string& path, const std::string& name) { return property(path, name); },
                                 [this](const std::string& path, const std::string&, GVariant* value, GError** error) {
                                     return setPowered(path, g_variant_get_boolean(value), error);
                                 }});
          return objects;
      }()) {}

GVariant* FakeBluez::managedObjects() const {
    std::lock_guard<std::mutex> lock(mutex_);
    GVariantBuilder objects;
    g_variant_builder_init(&objects, G_VARIANT_TYPE("a{oa{sa{sv}}}"));
    for (const auto& [path, adapter] : adapters_) {
        GVariantBuilder properties;
        g_variant_builder_init(&properties, G_VARIANT_TYPE_VARDICT);
        g_variant_builder_add(&properties, "{sv}", "Powered", g_variant_new_boolean(adapter.powered));
        g_variant_builder_add(&properties, "{sv}", "PowerState", g_variant_new_string(powerStateOf(adapter)));
        GVariantBuilder interfaces;
        g_variant_builder_init(&interfaces, G_VARIANT_TYPE("a{sa{sv}}"));
        g_variant_builder_add(&interfaces, "{sa{sv}}", "org.bluez.Adapter1", &properties);
        g_variant_builder_add(&objects, "{oa{sa{sv}}}", path.c_str(), &interfaces);
    }
    return g_variant_new("(a{oa{sa{sv}}})", &objects);
}

GVariant* FakeBluez::property(const std::string& path, const std::string& name) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const Adapter& adapter = adapters_.at(path);
    if (name == "Powered") return g_variant_ref_sink(g_variant_new_boolean(adapter.powered));
    if (name == "PowerState") return g_variant_ref_sink(g_variant_new_string(powerStateOf(adapter)));
    return nullptr;
}

bool FakeBluez::setPowered(const std::string& path, bool powered, GError** error) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Adapter& adapter = adapters_.at(path);
        if (powered && adapter.blocked) {
            g_dbus_error_set_dbus_error(error, "org.bluez.Error.Failed", "Blocked through rfkill", nullptr);
            return false;
        }
        adapter.powered = powered;
    }
    announce(path, powered);
    return true;
}

void FakeBluez::announce(const std::string& path, bool powered) {
    GVariantBuilder changed;
    g_variant_builder_init(&changed, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&changed, "{sv}", "Powered", g_variant_new_boolean(powered));
    service_.emitSignal(path, "org.freedesktop.DBus.Properties", "PropertiesChanged",
                        g_variant_new("(sa{sv}@as)", "org.bluez.Adapter1", &changed, g_variant_new_strv(nullptr, 0)));
}

bool FakeBluez::isPowered(const std::string& name) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return adapters_.at(pathOf(name)).powered;
}

void FakeBluez::setBlocked(const std::string& name, bool blocked) {
    std::lock_guard<std::mutex> lock(mutex_);
    adapters_.at(pathOf(name)).blocked = blocked;
}

void FakeBluez::powerFromOutside(const std::string& name, bool powered) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        adapters_.at(pathOf(name)).powered = powered;
    }
    announce(pathOf(name), powered);
}

}  // namespace testsupport
