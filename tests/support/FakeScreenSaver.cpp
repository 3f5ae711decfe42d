#include "support/FakeScreenSaver.h"

namespace testsupport {
namespace {

constexpr const char* kInterface =
    "<node><interface name='org.freedesktop.ScreenSaver'>"
    "<method name='Inhibit'><arg type='s' direction='in'/><arg type='s' direction='in'/><arg type='u' direction='out'/></method>"
    "<method name='UnInhibit'><arg type='u' direction='in'/></method>"
    "</interface></node>";

}  // namespace

FakeScreenSaver::FakeScreenSaver(const std::string& address)
    : service_(address, "org.freedesktop.ScreenSaver",
               {{"/org/freedesktop/ScreenSaver", kInterface,
                 [this](const std::string&, const std::string& method, GVariant* parameters, GDBusMethodInvocation* invocation) {
                     answer(method, parameters, invocation);
                 }}}) {}

void FakeScreenSaver::answer(const std::string& method, GVariant* parameters, GDBusMethodInvocation* invocation) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (method == "Inhibit") {
        const gchar* reason = nullptr;
        g_variant_get(parameters, "(&s&s)", nullptr, &reason);
        lastReason_ = reason;
        ++inhibitCalls_;
        held_.insert(nextCookie_);
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(u)", nextCookie_++));
        return;
    }
    std::uint32_t cookie = 0;
    g_variant_get(parameters, "(u)", &cookie);
    held_.erase(cookie);
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

int FakeScreenSaver::heldCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(held_.size());
}

int FakeScreenSaver::inhibitCalls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return inhibitCalls_;
}

std::string FakeScreenSaver::lastReason() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastReason_;
}

}  // namespace testsupport
