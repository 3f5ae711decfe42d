#pragma once

#include "platform/bus/BusSubscription.h"
#include "platform/system/TaskQueue.h"

#include <gio/gio.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace platform {

struct VariantUnref {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
using Variant = std::unique_ptr<GVariant, VariantUnref>;

// Which signals a subscription receives; a null field matches anything.
struct SignalMatch {
    const char* sender = nullptr;
    const char* interface = nullptr;
    const char* member = nullptr;
    const char* arg0 = nullptr;
};

// A connection of our own to the session or the system bus, held open for as long as the
// object lives, with a thread of its own that delivers the bus's signals. What a service keeps
// for a client (an idle inhibitor, say) lasts only while the client's connection stays open,
// and signals arrive whether or not the caller's thread runs an event loop. Used only inside
// the bus library: the other layers see no GLib type.
class BusConnection : public std::enable_shared_from_this<BusConnection> {
public:
    // The process's connection to the bus, opened again when the bus went away or the
    // environment now names another one. nullptr, logged once per address, when no bus can be
    // reached. A session bus that is not there is never started for us.
    static std::shared_ptr<BusConnection> session();
    static std::shared_ptr<BusConnection> system();
    // A session bus connection that no one else uses, for what must end when it closes.
    static std::shared_ptr<BusConnection> ownSession();
    static bool hasSessionBus();
    // A new connection to the bus at the address; nullptr, with the reason in *error, when it
    // cannot be opened.
    static std::shared_ptr<BusConnection> connect(const std::string& address, std::string* error = nullptr);

    BusConnection(GDBusConnection* connection, std::string address);
    ~BusConnection();
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;

    const std::string& address() const { return address_; }
    GDBusConnection* raw() const { return connection_; }
    bool isClosed() const;

    // A method call, waited for at most timeoutMs; nullptr, with the bus's reason in *error when
    // asked for, when it failed.
    Variant call(const char* service, const char* path, const char* interface, const char* method, GVariant* parameters,
                 const char* replyType, int timeoutMs, std::string* error = nullptr) const;
    // Whether the name has an owner on the bus, or the bus can start one.
    bool canReach(const char* name) const;
    // Calls the handler on the connection's thread, with the sender's object path and the
    // signal's parameters, for every signal that one of the matches takes.
    std::unique_ptr<BusSubscription> subscribe(const std::vector<SignalMatch>& matches,
                                               std::function<void(const char* path, GVariant* parameters)> handler);

    // Runs the work on the connection's thread and waits for it.
    void runOnBusThread(const std::function<void()>& work) const;

private:
    GDBusConnection* connection_;
    std::string address_;
    GMainContext* context_;
    GMainLoop* loop_;
    mutable TaskQueue jobs_;  // what runOnBusThread hands over; GLib carries only the wake-up
    std::thread thread_;
};

}  // namespace platform
