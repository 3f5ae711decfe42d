#pragma once

#include "platform/preferences/DesktopPreferences.h"
#include "support/ServiceGate.h"

#include <memory>

namespace testsupport {

// A settings store that does not answer (its bus hung): every call waits on the gate, and once
// it is open every preference is unavailable.
class HangingDesktopPreferences : public platform::DesktopPreferences {
public:
    explicit HangingDesktopPreferences(std::shared_ptr<ServiceGate> gate) : gate_(std::move(gate)) {}
    bool isAvailable(platform::Preference) override { return gate_->answer(false); }
    platform::PlistValue copyValue(platform::Preference) override { return gate_->answer(platform::PlistValue()); }
    bool setValue(platform::Preference, bool) override { return gate_->answer(false); }
    std::unique_ptr<platform::PreferenceObservation> observe(platform::Preference, std::function<void()>) override {
        return gate_->answer(std::make_unique<platform::PreferenceObservation>());
    }

private:
    std::shared_ptr<ServiceGate> gate_;
};

}  // namespace testsupport
