#pragma once

#include "platform/audio/OutputVolume.h"

#include <mutex>
#include <optional>
#include <vector>

namespace testsupport {

// An output device held in memory: what it reports and what was set on it, safe from any
// thread once a test has set it up. Device 0 means there is none; a volume set that succeeds is
// what it reports from then on.
class FakeOutputVolume : public platform::OutputVolume {
public:
    uint32_t device = 2;
    std::optional<double> reported = 0.5;  // what volume() answers
    bool volumeSettable = true;
    bool mutable_ = true;
    bool setsSucceed = true;

    uint32_t defaultOutputDeviceID() override { return device; }
    std::optional<double> volume(uint32_t) override {
        std::lock_guard<std::mutex> lock(mutex_);
        return reported;
    }
    bool canSetVolume(uint32_t) override { return volumeSettable; }
    bool canMute(uint32_t) override { return mutable_; }
    bool setVolume(uint32_t, double volume) override {
        std::lock_guard<std::mutex> lock(mutex_);
        volumes_.push_back(volume);
        if (setsSucceed) reported = volume;
        return setsSucceed;
    }
    bool setMute(uint32_t, bool mute) override {
        std::lock_guard<std::mutex> lock(mutex_);
        mutes_.push_back(mute);
        return setsSucceed;
    }

    std::vector<double> volumesSet() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return volumes_;
    }
    std::vector<bool> mutesSet() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return mutes_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<double> volumes_;
    std::vector<bool> mutes_;
};

// Installs an output device as the shared one while it lives.
class ScopedOutputVolume {
public:
    explicit ScopedOutputVolume(std::shared_ptr<platform::OutputVolume> volume) {
        platform::OutputVolume::setShared(std::move(volume));
    }
    ~ScopedOutputVolume() { platform::OutputVolume::setShared(nullptr); }
};

}  // namespace testsupport
