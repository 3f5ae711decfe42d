#pragma once

#include "platform/mounts/MountedVolumes.h"

namespace testsupport {

// Mounted volumes from a list the test gives; installed as the shared service while it lives.
class FakeMountedVolumes : public platform::MountedVolumes {
public:
    explicit FakeMountedVolumes(std::vector<platform::MountedVolume> volumes) : volumes_(std::move(volumes)) {}
    std::vector<platform::MountedVolume> mountedVolumes() override { return volumes_; }

    static std::shared_ptr<FakeMountedVolumes> install(std::vector<platform::MountedVolume> volumes) {
        auto fake = std::make_shared<FakeMountedVolumes>(std::move(volumes));
        platform::MountedVolumes::setShared(fake);
        return fake;
    }

private:
    std::vector<platform::MountedVolume> volumes_;
};

// Puts the real service back when a test ends.
struct MountedVolumesReset {
    ~MountedVolumesReset() { platform::MountedVolumes::setShared(nullptr); }
};

}  // namespace testsupport
