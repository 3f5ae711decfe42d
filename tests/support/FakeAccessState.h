#pragma once

#include "platform/desktop/AccessState.h"

#include <atomic>

namespace testsupport {

// An access state whose answers the test sets.
class FakeAccessState : public platform::AccessState {
public:
    explicit FakeAccessState(Status status = Status::Denied, bool settingsPane = true)
        : status_(status), settingsPane_(settingsPane) {}

    Status fullDiskAccessStatus() override { return status_; }
    bool hasPrivacySettingsPane() override { return settingsPane_; }

    void setStatus(Status status) { status_ = status; }

private:
    std::atomic<Status> status_;
    std::atomic<bool> settingsPane_;
};

}  // namespace testsupport
