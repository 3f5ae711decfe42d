#include "platform/bus/IdleInhibitor.h"

#include "platform/bus/BusConnection.h"
#include "platform/system/Log.h"

namespace platform {
namespace {

constexpr const char* kScreenSaverName = "org.freedesktop.ScreenSaver";
constexpr const char* kScreenSaverPath = "/org/freedesktop/ScreenSaver";
constexpr const char* kPortalName = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kPortalInhibit = "org.freedesktop.portal.Inhibit";
constexpr const char* kApplicationName = "Duridove";
constexpr guint32 kPortalIdleFlag = 8;
constexpr int kCallTimeoutMs = 5000;

// The portal's Inhibit is there only where a portal back end implements it; its version
// property says so.
bool portalOffersInhibit(const BusConnection& bus) {
    if (!bus.canReach(kPortalName)) return false;
    return bus.call(kPortalName, kPortalPath, "org.freedesktop.DBus.Properties", "Get",
                    g_variant_new("(ss)", kPortalInhibit, "version"), "(v)", kCallTimeoutMs) != nullptr;
}

}  // namespace

IdleInhibitor& IdleInhibitor::shared() {
    static IdleInhibitor inhibitor;
    return inhibitor;
}

bool IdleInhibitor::isAvailable() const {
    const std::shared_ptr<BusConnection> bus = BusConnection::session();
    return bus && (bus->canReach(kScreenSaverName) || portalOffersInhibit(*bus));
}

bool IdleInhibitor::isHeld() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return source_ != Source::None && !connection_->isClosed();
}

bool IdleInhibitor::hold(const std::string& reason) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (source_ != Source::None && !connection_->isClosed()) return true;
    source_ = Source::None;
    // On a connection of its own, so that closing it gives the inhibitor back whatever happens.
    connection_ = BusConnection::ownSession();
    if (!connection_) {
        logWarning("the display cannot be kept awake: no session bus");
        return false;
    }
    if (connection_->canReach(kScreenSaverName)) return holdFromScreenSaver(reason);
    if (portalOffersInhibit(*connection_)) return holdFromPortal(reason);
    logWarning("the display cannot be kept awake: neither the screen saver service nor the desktop portal's Inhibit is there");
    return false;
}

bool IdleInhibitor::holdFromScreenSaver(const std::string& reason) {
    std::string error;
    Variant reply = connection_->call(kScreenSaverName, kScreenSaverPath, kScreenSaverName, "Inhibit",
                                      g_variant_new("(ss)", kApplicationName, reason.c_str()), "(u)", kCallTimeoutMs, &error);
    if (!reply) {
        logWarning("the screen saver service gave no inhibitor: " + error);
        return false;
    }
    g_variant_get(reply.get(), "(u)", &cookie_);
    source_ = Source::ScreenSaver;
    return true;
}

bool IdleInhibitor::holdFromPortal(const std::string& reason) {
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "reason", g_variant_new_string(reason.c_str()));
    std::string error;
    Variant reply = connection_->call(kPortalName, kPortalPath, kPortalInhibit, "Inhibit",
                                      g_variant_new("(sua{sv})", "", kPortalIdleFlag, &options), "(o)", kCallTimeoutMs, &error);
    if (!reply) {
        logWarning("the desktop portal gave no inhibitor: " + error);
        return false;
    }
    const gchar* path = nullptr;
    g_variant_get(reply.get(), "(&o)", &path);
    requestPath_ = path;
    source_ = Source::Portal;
    return true;
}

void IdleInhibitor::release() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string error;
    Variant reply;
    switch (source_) {
    case Source::None: return;
    case Source::ScreenSaver:
        reply = connection_->call(kScreenSaverName, kScreenSaverPath, kScreenSaverName, "UnInhibit",
                                  g_variant_new("(u)", cookie_), nullptr, kCallTimeoutMs, &error);
        break;
    case Source::Portal:
        reply = connection_->call(kPortalName, requestPath_.c_str(), "org.freedesktop.portal.Request", "Close", nullptr,
                                  nullptr, kCallTimeoutMs, &error);
        break;
    }
    // A service that did not answer drops the inhibitor when its connection closes here.
    if (!reply) logWarning("the idle inhibitor was not given back, its connection is closed instead: " + error);
    source_ = Source::None;
    connection_.reset();
}

}  // namespace platform
