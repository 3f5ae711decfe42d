#include "platform/bus/BusConnection.h"

#include "platform/bus/GioLibrary.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "platform/system/Log.h"

#include <cstdlib>
#include <future>
#include <mutex>

namespace platform {
namespace {

constexpr int kBusCallTimeoutMs = 2000;

struct HeldConnection {
    std::mutex mutex;
    std::shared_ptr<BusConnection> connection;
    std::string lastFailedAddress;
};

std::string addressOf(GBusType type) {
    if (type == G_BUS_TYPE_SESSION && !BusConnection::hasSessionBus()) return {};
    if (!GioLibrary::loaded()) return {};
    GError* error = nullptr;
    gchar* address = gio().g_dbus_address_get_for_bus_sync(type, nullptr, &error);
    if (!address) {
        g_error_free(error);
        return {};
    }
    std::string text(address);
    g_free(address);
    return text;
}

std::shared_ptr<BusConnection> open(const std::string& address, std::string& lastFailedAddress) {
    std::string error;
    std::shared_ptr<BusConnection> connection = BusConnection::connect(address, &error);
    if (!connection && lastFailedAddress != address) logInfo("no message bus at " + address + ": " + error);
    lastFailedAddress = connection ? std::string() : address;
    return connection;
}

std::shared_ptr<BusConnection> heldConnection(GBusType type, HeldConnection& held) {
    const std::string address = addressOf(type);
    std::lock_guard<std::mutex> lock(held.mutex);
    if (address.empty()) return nullptr;
    if (!held.connection || held.connection->isClosed() || held.connection->address() != address)
        held.connection = open(address, held.lastFailedAddress);
    return held.connection;
}

// The ids of one subscriber's signal subscriptions, dropped on the connection's thread so that
// the handler has surely run for the last time when the subscription is gone.
class SignalSubscription : public BusSubscription {
public:
    using Handler = std::function<void(const char* path, GVariant* parameters)>;

    SignalSubscription(std::shared_ptr<const BusConnection> bus, GDBusConnection* connection, Handler handler)
        : bus_(std::move(bus)), connection_(connection), handler_(std::move(handler)) {}
    ~SignalSubscription() override {
        bus_->runOnBusThread([this] {
            for (guint id : ids_) gio().g_dbus_connection_signal_unsubscribe(connection_, id);
        });
    }

    void add(const SignalMatch& match) {
        ids_.push_back(gio().g_dbus_connection_signal_subscribe(connection_, match.sender, match.interface, match.member, nullptr,
                                                          match.arg0, G_DBUS_SIGNAL_FLAGS_NONE, &SignalSubscription::deliver,
                                                          this, nullptr));
    }

private:
    static void deliver(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar*, GVariant* parameters,
                        gpointer self) {
        static_cast<SignalSubscription*>(self)->handler_(path, parameters);
    }

    std::shared_ptr<const BusConnection> bus_;  // kept open while the subscription lives
    GDBusConnection* connection_;
    Handler handler_;
    std::vector<guint> ids_;
};

}  // namespace

// Only a bus that is already there: GLib would otherwise try to start one of its own.
bool BusConnection::hasSessionBus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime && FolderLister::entryAt(joinPath(runtime, "bus")).has_value();
}

// The held connections live to the very end of the process: a worker may still ask for one
// while the static destructors run at exit.
std::shared_ptr<BusConnection> BusConnection::session() {
    static HeldConnection& held = *new HeldConnection;
    return heldConnection(G_BUS_TYPE_SESSION, held);
}

std::shared_ptr<BusConnection> BusConnection::system() {
    static HeldConnection& held = *new HeldConnection;
    return heldConnection(G_BUS_TYPE_SYSTEM, held);
}

std::shared_ptr<BusConnection> BusConnection::connect(const std::string& address, std::string* error) {
    if (!GioLibrary::loaded()) {
        if (error) *error = "GIO cannot be loaded";
        return nullptr;
    }
    GError* failure = nullptr;
    GDBusConnection* connection = gio().g_dbus_connection_new_for_address_sync(
        address.c_str(),
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &failure);
    if (!connection) {
        if (error) *error = failure->message;
        g_error_free(failure);
        return nullptr;
    }
    return std::make_shared<BusConnection>(connection, address);
}

std::shared_ptr<BusConnection> BusConnection::ownSession() {
    static std::mutex mutex;
    static std::string lastFailedAddress;
    const std::string address = addressOf(G_BUS_TYPE_SESSION);
    std::lock_guard<std::mutex> lock(mutex);
    return address.empty() ? nullptr : open(address, lastFailedAddress);
}

BusConnection::BusConnection(GDBusConnection* connection, std::string address)
    : connection_(connection), address_(std::move(address)), context_(g_main_context_new()),
      loop_(g_main_loop_new(context_, FALSE)) {
    thread_ = std::thread([this] {
        g_main_context_push_thread_default(context_);
        g_main_loop_run(loop_);
        g_main_context_pop_thread_default(context_);
    });
}

BusConnection::~BusConnection() {
    gio().g_dbus_connection_close_sync(connection_, nullptr, nullptr);
    // From inside the loop: a quit that came before the loop started running would be lost.
    runOnBusThread([this] { g_main_loop_quit(loop_); });
    thread_.join();
    gio().g_object_unref(connection_);
    g_main_loop_unref(loop_);
    g_main_context_unref(context_);
}

bool BusConnection::isClosed() const { return gio().g_dbus_connection_is_closed(connection_); }

Variant BusConnection::call(const char* service, const char* path, const char* interface, const char* method,
                            GVariant* parameters, const char* replyType, int timeoutMs, std::string* error) const {
    GError* failure = nullptr;
    GVariant* reply = gio().g_dbus_connection_call_sync(connection_, service, path, interface, method, parameters,
                                                  replyType ? G_VARIANT_TYPE(replyType) : nullptr, G_DBUS_CALL_FLAGS_NONE,
                                                  timeoutMs, nullptr, &failure);
    if (!reply) {
        if (error) {
            // The remote error's name says less than its message to a person reading the log.
            gio().g_dbus_error_strip_remote_error(failure);
            *error = failure->message;
        }
        g_error_free(failure);
    }
    return Variant(reply);
}

bool BusConnection::canReach(const char* name) const {
    Variant owned = call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                         g_variant_new("(s)", name), "(b)", kBusCallTimeoutMs);
    gboolean hasOwner = FALSE;
    if (owned) g_variant_get(owned.get(), "(b)", &hasOwner);
    if (hasOwner) return true;
    Variant activatable = call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                               "ListActivatableNames", nullptr, "(as)", kBusCallTimeoutMs);
    if (!activatable) return false;
    Variant names(g_variant_get_child_value(activatable.get(), 0));
    const gsize count = g_variant_n_children(names.get());
    for (gsize index = 0; index < count; ++index) {
        const gchar* candidate = nullptr;
        g_variant_get_child(names.get(), index, "&s", &candidate);
        if (g_strcmp0(candidate, name) == 0) return true;
    }
    return false;
}

std::unique_ptr<BusSubscription> BusConnection::subscribe(const std::vector<SignalMatch>& matches,
                                                          std::function<void(const char* path, GVariant* parameters)> handler) {
    auto subscription = std::make_unique<SignalSubscription>(shared_from_this(), connection_, std::move(handler));
    // Signals go to the main context that was the thread's default when subscribing.
    runOnBusThread([&] {
        for (const SignalMatch& match : matches) subscription->add(match);
    });
    // The bus daemon takes the match rules in order with our other messages, so once it has
    // answered a later call no signal sent after this returns can be missed.
    call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.Peer", "Ping", nullptr, nullptr,
         kBusCallTimeoutMs);
    return subscription;
}

void BusConnection::runOnBusThread(const std::function<void()>& work) const {
    if (g_main_context_is_owner(context_)) {
        work();
        return;
    }
    std::promise<void> ran;
    std::future<void> done = ran.get_future();
    jobs_.push([&work, &ran] {
        work();
        ran.set_value();
    });
    g_main_context_invoke(
        context_,
        [](gpointer jobs) -> gboolean {
            static_cast<TaskQueue*>(jobs)->pop()();
            return G_SOURCE_REMOVE;
        },
        &jobs_);
    done.wait();
}

}  // namespace platform
