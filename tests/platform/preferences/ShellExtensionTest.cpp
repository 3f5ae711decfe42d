#include "platform/preferences/GSettingsPreferences.h"
#include "platform/preferences/ShellExtension.h"

#include "support/ScopedVariable.h"

#include <gtest/gtest.h>

#include <gio/gio.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>

namespace {

using platform::PlistValue;
using platform::Preference;

constexpr const char* kShellInterface =
    "<node><interface name='org.gnome.Shell.Extensions'>"
    "<method name='GetExtensionInfo'><arg type='s' direction='in'/><arg type='a{sv}' direction='out'/></method>"
    "<method name='EnableExtension'><arg type='s' direction='in'/><arg type='b' direction='out'/></method>"
    "<method name='DisableExtension'><arg type='s' direction='in'/><arg type='b' direction='out'/></method>"
    "</interface></node>";

// GNOME Shell's extension service, answering on the test's own session bus from a thread of
// its own. It knows one installed extension and reports its state as older shells do.
class FakeShell {
public:
    FakeShell(std::string address, std::string installed) : installed_(std::move(installed)) {
        std::promise<void> ready;
        std::future<void> started = ready.get_future();
        thread_ = std::thread([this, address = std::move(address), &ready] { serve(address, ready); });
        started.wait();
    }
    ~FakeShell() {
        g_main_loop_quit(loop_);
        thread_.join();
    }

    bool enabled() const { return enabled_; }
    int calls() const { return calls_; }

private:
    void serve(const std::string& address, std::promise<void>& ready) {
        GMainContext* context = g_main_context_new();
        g_main_context_push_thread_default(context);
        loop_ = g_main_loop_new(context, FALSE);
        GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
            address.c_str(),
            GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kShellInterface, nullptr);
        static const GDBusInterfaceVTable vtable{&FakeShell::methodCall, nullptr, nullptr, {}};
        g_dbus_connection_register_object(bus, "/org/gnome/Shell", node->interfaces[0], &vtable, this, nullptr, nullptr);
        GVariant* owned = g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                                      "RequestName", g_variant_new("(su)", "org.gnome.Shell", 0u), nullptr,
                                                      G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
        if (owned) g_variant_unref(owned);
        ready.set_value();
        g_main_loop_run(loop_);
        g_dbus_node_info_unref(node);
        g_object_unref(bus);
        g_main_loop_unref(loop_);
        g_main_context_pop_thread_default(context);
        g_main_context_unref(context);
    }

    static void methodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
                           GVariant* parameters, GDBusMethodInvocation* invocation, gpointer self) {
        static_cast<FakeShell*>(self)->answer(method, parameters, invocation);
    }

    void answer(const std::string& method, GVariant* parameters, GDBusMethodInvocation* invocation) {
        ++calls_;
        const gchar* uuid = nullptr;
        g_variant_get(parameters, "(&s)", &uuid);
        const bool known = installed_ == uuid;
        if (method == "GetExtensionInfo") {
            GVariantBuilder info;
            g_variant_builder_init(&info, G_VARIANT_TYPE("a{sv}"));
            if (known) {
                g_variant_builder_add(&info, "{sv}", "uuid", g_variant_new_string(uuid));
                g_variant_builder_add(&info, "{sv}", "state", g_variant_new_double(enabled_ ? 1 : 2));
            }
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(a{sv})", &info));
            return;
        }
        if (known) enabled_ = method == "EnableExtension";
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(b)", known));
    }

    std::string installed_;
    std::atomic<bool> enabled_{true};
    std::atomic<int> calls_{0};
    GMainLoop* loop_ = nullptr;
    std::thread thread_;
};

// A session bus of the test's own, gone again at the end.
class ShellExtensionTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus_ = g_test_dbus_new(G_TEST_DBUS_NONE);
        g_test_dbus_up(bus_);
    }
    void TearDown() override {
        g_test_dbus_down(bus_);
        g_object_unref(bus_);
    }
    std::string address() const { return g_test_dbus_get_bus_address(bus_); }

private:
    testsupport::ScopedVariable sessionBus{"DBUS_SESSION_BUS_ADDRESS", nullptr};
    GTestDBus* bus_ = nullptr;
};

TEST_F(ShellExtensionTest, TheDesktopIconsFollowTheShellsDesktopIconsExtension) {
    FakeShell shell(address(), "ding@rastersoft.com");
    platform::GSettingsPreferences preferences;
    ASSERT_TRUE(preferences.isAvailable(Preference::CreateDesktop));
    EXPECT_EQ(preferences.copyValue(Preference::CreateDesktop), PlistValue(true));

    EXPECT_TRUE(preferences.setValue(Preference::CreateDesktop, false));
    EXPECT_FALSE(shell.enabled());
    EXPECT_EQ(preferences.copyValue(Preference::CreateDesktop), PlistValue(false));
    EXPECT_TRUE(preferences.setValue(Preference::CreateDesktop, true));
    EXPECT_TRUE(shell.enabled());
}

TEST_F(ShellExtensionTest, NothingToSwitchWithoutTheExtensionOrWithoutAShell) {
    platform::ShellExtension extension("ding@rastersoft.com");
    EXPECT_EQ(extension.isEnabled(), std::nullopt);
    EXPECT_FALSE(extension.setEnabled(false));
    {
        FakeShell shell(address(), "another@example.org");
        EXPECT_EQ(extension.isEnabled(), std::nullopt);
        EXPECT_FALSE(extension.setEnabled(false));
        EXPECT_EQ(shell.calls(), 2);
    }
    testsupport::ScopedVariable noBus("DBUS_SESSION_BUS_ADDRESS", nullptr);
    testsupport::ScopedVariable noRuntime("XDG_RUNTIME_DIR", nullptr);
    EXPECT_EQ(extension.isEnabled(), std::nullopt);
}

}  // namespace
