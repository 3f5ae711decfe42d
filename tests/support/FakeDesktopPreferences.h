#pragma once

#include "platform/preferences/DesktopPreferences.h"

#include <map>
#include <mutex>
#include <set>

namespace testsupport {

// Desktop preferences kept in memory: every preference is available unless a test says
// otherwise; a write stores a Boolean (the appearance "Dark" or nothing) unless the test
// makes it fail. Observers are not called.
class FakeDesktopPreferences : public platform::DesktopPreferences {
public:
    using Preference = platform::Preference;

    void store(Preference preference, platform::PlistValue value) {
        std::lock_guard<std::mutex> lock(mutex_);
        values_[preference] = std::move(value);
    }
    void makeUnavailable(Preference preference) {
        std::lock_guard<std::mutex> lock(mutex_);
        unavailable_.insert(preference);
    }
    void failWrites(Preference preference) {
        std::lock_guard<std::mutex> lock(mutex_);
        failing_.insert(preference);
    }
    int writeCount(Preference preference) const {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = writes_.find(preference);
        return found == writes_.end() ? 0 : found->second;
    }

    bool isAvailable(Preference preference) override {
        std::lock_guard<std::mutex> lock(mutex_);
        return !unavailable_.count(preference);
    }
    platform::PlistValue copyValue(Preference preference) override {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = values_.find(preference);
        return found == values_.end() || unavailable_.count(preference) ? platform::PlistValue() : found->second;
    }
    bool setValue(Preference preference, bool value) override {
        std::lock_guard<std::mutex> lock(mutex_);
        ++writes_[preference];
        if (unavailable_.count(preference) || failing_.count(preference)) return false;
        if (preference == Preference::AppleInterfaceStyle)
            values_[preference] = value ? platform::PlistValue("Dark") : platform::PlistValue();
        else
            values_[preference] = platform::PlistValue(value);
        return true;
    }
    std::unique_ptr<platform::PreferenceObservation> observe(Preference, std::function<void()>) override {
        return std::make_unique<platform::PreferenceObservation>();
    }

private:
    mutable std::mutex mutex_;
    std::map<Preference, platform::PlistValue> values_;
    std::set<Preference> unavailable_;
    std::set<Preference> failing_;
    std::map<Preference, int> writes_;
};

}  // namespace testsupport
