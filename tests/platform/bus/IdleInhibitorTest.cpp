#include "platform/bus/IdleInhibitor.h"

#include "support/FakeBusService.h"
#include "support/FakeScreenSaver.h"
#include "support/PrivateBus.h"
#include "support/ScopedVariable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

using platform::IdleInhibitor;

constexpr const char* kPortalInhibit =
    "<node><interface name='org.freedesktop.portal.Inhibit'>"
    "<method name='Inhibit'><arg type='s' direction='in'/><arg type='u' direction='in'/>"
    "<arg type='a{sv}' direction='in'/><arg type='o' direction='out'/></method>"
    "<property name='version' type='u' access='read'/>"
    "</interface></node>";
constexpr const char* kPortalRequest =
    "<node><interface name='org.freedesktop.portal.Request'><method name='Close'/></interface></node>";
constexpr const char* kRequestPath = "/org/freedesktop/portal/desktop/request/1/duridove";

// The desktop portal with its Inhibit: each inhibition lasts until its request is closed.
class FakeInhibitPortal {
public:
    explicit FakeInhibitPortal(const std::string& address)
        : service_(address, "org.freedesktop.portal.Desktop",
                   {{"/org/freedesktop/portal/desktop", kPortalInhibit,
                     [this](const std::string&, const std::string&, GVariant* parameters, GDBusMethodInvocation* invocation) {
                         inhibit(parameters, invocation);
                     },
                     [](const std::string&, const std::string&) { return g_variant_ref_sink(g_variant_new_uint32(3)); }}}) {}

    bool held() const { return held_; }
    guint32 flags() const { return flags_; }

private:
    void inhibit(GVariant* parameters, GDBusMethodInvocation* invocation) {
        g_variant_get(parameters, "(&su@a{sv})", nullptr, &flags_, nullptr);
        service_.addObject({kRequestPath, kPortalRequest,
                            [this](const std::string&, const std::string&, GVariant*, GDBusMethodInvocation* close) {
                                held_ = false;
                                g_dbus_method_invocation_return_value(close, nullptr);
                            }});
        held_ = true;
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(o)", kRequestPath));
    }

    std::atomic<bool> held_{false};
    std::atomic<guint32> flags_{0};
    testsupport::FakeBusService service_;
};

TEST(IdleInhibitorTest, TheScreenSaverServiceGivesOneInhibitorHoweverOftenItIsAsked) {
    testsupport::PrivateBus bus;
    testsupport::FakeScreenSaver screenSaver(bus.address());
    IdleInhibitor& inhibitor = IdleInhibitor::shared();
    ASSERT_TRUE(inhibitor.isAvailable());

    EXPECT_TRUE(inhibitor.hold("PreventUserIdleDisplaySleep"));
    EXPECT_TRUE(inhibitor.hold("PreventUserIdleDisplaySleep"));
    EXPECT_TRUE(inhibitor.isHeld());
    EXPECT_EQ(screenSaver.heldCount(), 1);
    EXPECT_EQ(screenSaver.inhibitCalls(), 1);
    EXPECT_EQ(screenSaver.lastReason(), "PreventUserIdleDisplaySleep");

    inhibitor.release();
    EXPECT_FALSE(inhibitor.isHeld());
    EXPECT_EQ(screenSaver.heldCount(), 0);
    inhibitor.release();
    EXPECT_TRUE(inhibitor.hold("PreventUserIdleDisplaySleep"));
    EXPECT_EQ(screenSaver.heldCount(), 1);
    inhibitor.release();
}

TEST(IdleInhibitorTest, ThePortalGivesAnIdleInhibitorWhereNoScreenSaverServiceIs) {
    testsupport::PrivateBus bus;
    FakeInhibitPortal portal(bus.address());
    IdleInhibitor& inhibitor = IdleInhibitor::shared();
    ASSERT_TRUE(inhibitor.isAvailable());
    EXPECT_TRUE(inhibitor.hold("PreventUserIdleDisplaySleep"));
    EXPECT_TRUE(portal.held());
    EXPECT_EQ(portal.flags(), 8u);
    inhibitor.release();
    EXPECT_FALSE(portal.held());
}

TEST(IdleInhibitorTest, WithoutEitherServiceThereIsNoInhibitor) {
    IdleInhibitor& inhibitor = IdleInhibitor::shared();
    {
        testsupport::PrivateBus emptyBus;
        EXPECT_FALSE(inhibitor.isAvailable());
        EXPECT_FALSE(inhibitor.hold("PreventUserIdleDisplaySleep"));
        EXPECT_FALSE(inhibitor.isHeld());
    }
    testsupport::ScopedVariable noBus("DBUS_SESSION_BUS_ADDRESS", nullptr);
    testsupport::ScopedVariable noRuntime("XDG_RUNTIME_DIR", nullptr);
    EXPECT_FALSE(inhibitor.isAvailable());
    EXPECT_FALSE(inhibitor.hold("PreventUserIdleDisplaySleep"));
}

}  // namespace
