#pragma once

#include "support/FakeBusService.h"

#include <cstdint>
#include <mutex>
#include <set>
#include <string>

namespace testsupport {

// The desktop's screen saver service (org.freedesktop.ScreenSaver) on a test's bus: it hands
// out inhibitor cookies and counts those still held.
class FakeScreenSaver {
public:
    explicit FakeScreenSaver(const std::string& address);

    int heldCount() const;
    int inhibitCalls() const;
    std::string lastReason() const;

private:
    void answer(const std::string& method, GVariant* parameters, GDBusMethodInvocation* invocation);

    mutable std::mutex mutex_;
    std::set<std::uint32_t> held_;
    std::uint32_t nextCookie_ = 1;
    int inhibitCalls_ = 0;
    std::string lastReason_;
    FakeBusService service_;  // last: it answers only while the state above exists
};

}  // namespace testsupport
