#pragma once

namespace platform {

// Keeps an observer of a desktop setting registered for as long as it lives.
class PreferenceObservation {
public:
    virtual ~PreferenceObservation() = default;
};

}  // namespace platform
