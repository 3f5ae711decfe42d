#include "platform/preferences/GSettingsPreferences.h"
#include "platform/preferences/ShellExtension.h"

#include "support/FakeBusService.h"
#include "support/PrivateBus.h"
#include "support/ScopedVariable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

using platform::PlistValue;
using platform::Preference;

constexpr const char* kShellInterface =
    "<node><interface name='org.gnome.Shell.Extensions'>"
    "<method name='GetExtensionInfo'><arg type='s' direction='in'/><arg type='a{sv}' direction='out'/></method>"
    "<method name='EnableExtension'><arg type='s' direction='in'/><arg type='b' direction='out'/></method>"
    "<method name='DisableExtension'><arg type='s' direction='in'/><arg type='b' direction='out'/></method>"
    "</interface></node>";

// GNOME Shell's extension service on the test's own session bus. It knows one installed
// extension and reports its state as older shells do.
class FakeShell {
public:
    FakeShell(const std::string& address, std::string installed)
        : installed_(std::move(installed)),
          service_(address, "org.gnome.Shell",
                   {{"/org/gnome/Shell", kShellInterface,
                     [this](const std::string&, const std::string& method, GVariant* parameters,
                            GDBusMethodInvocation* invocation) { answer(method, parameters, invocation); }}}) {}

    bool enabled() const { return enabled_; }
    int calls() const { return calls_; }

private:
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
    testsupport::FakeBusService service_;
};

class ShellExtensionTest : public ::testing::Test {
protected:
    std::string address() const { return bus_.address(); }

private:
    testsupport::PrivateBus bus_;
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
