#include "platform/preferences/ShellExtension.h"

#include "platform/bus/BusConnection.h"
#include "platform/system/Log.h"

#include <memory>

namespace platform {
namespace {

constexpr int kCallTimeoutMs = 2000;
// The extension states the shell reports; 1 is "enabled" (named "active" in newer shells).
constexpr double kStateEnabled = 1;

Variant callShell(const char* method, const std::string& uuid, const char* replyType) {
    const std::shared_ptr<BusConnection> bus = BusConnection::session();
    if (!bus) return nullptr;
    std::string error;
    Variant reply = bus->call("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell.Extensions", method,
                              g_variant_new("(s)", uuid.c_str()), replyType, kCallTimeoutMs, &error);
    if (!reply) logInfo(std::string("the shell's extensions cannot be asked (") + method + "): " + error);
    return reply;
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
