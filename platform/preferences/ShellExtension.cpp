#include "platform/preferences/ShellExtension.h"

#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "platform/system/Log.h"

#include <gio/gio.h>

#include <cstdlib>
#include <memory>

namespace platform {
namespace {

constexpr int kCallTimeoutMs = 2000;
// The extension states the shell reports; 1 is "enabled" (named "active" in newer shells).
constexpr double kStateEnabled = 1;

struct VariantUnref {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
using Variant = std::unique_ptr<GVariant, VariantUnref>;

// Only a bus that is already there: GLib would otherwise try to start one of its own.
bool hasSessionBus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime && FolderLister::entryAt(joinPath(runtime, "bus")).has_value();
}

Variant callShell(const char* method, const std::string& uuid, const char* replyType) {
    if (!hasSessionBus()) return nullptr;
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        logWarning(std::string("no session bus for the shell's extensions: ") + error->message);
        g_error_free(error);
        return nullptr;
    }
    GVariant* reply = g_dbus_connection_call_sync(bus, "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell.Extensions",
                                                  method, g_variant_new("(s)", uuid.c_str()), G_VARIANT_TYPE(replyType),
                                                  G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, &error);
    g_object_unref(bus);
    if (!reply) {
        logInfo(std::string("the shell's extensions cannot be asked (") + method + "): " + error->message);
        g_error_free(error);
    }
    return Variant(reply);
}

}  // namespace

std::optional<bool> ShellExtension::isEnabled() const {
    Variant reply = callShell("GetExtensionInfo", uuid_, "(a{sv})");
    if (!reply) return std::nullopt;
    Variant info(g_variant_get_child_value(reply.get(), 0));
    if (g_variant_n_children(info.get()) == 0) return std::nullopt;  // not installed
    gboolean enabled = FALSE;
    if (g_variant_lookup(info.get(), "enabled", "b", &enabled)) return enabled != FALSE;
    double state = 0;
    if (g_variant_lookup(info.get(), "state", "d", &state)) return state == kStateEnabled;
    return std::nullopt;
}

bool ShellExtension::setEnabled(bool enabled) const {
    Variant reply = callShell(enabled ? "EnableExtension" : "DisableExtension", uuid_, "(b)");
    gboolean done = FALSE;
    if (reply) g_variant_get(reply.get(), "(b)", &done);
    if (!done) logWarning("the shell did not switch the extension " + uuid_ + (enabled ? " on" : " off"));
    return done != FALSE;
}

}  // namespace platform
