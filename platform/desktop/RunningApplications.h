#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

// One application the user is running, as the workspace lists it.
struct RunningApplication {
    std::string name;              // the application's (localised) name
    pid_t pid = 0;
    uint64_t startTime = 0;        // the process's start, in clock ticks after boot; 0 when unknown
    std::string path;              // its executable
    std::string icon;              // an icon name of the desktop's theme or a file path; "" when none
    std::string bundleIdentifier;  // stands for the bundle identifier (on Linux the desktop entry id)
};

// The applications the user is running: not every process, only those that belong to an
// installed desktop application, one per application instance, in process-id order.
class RunningApplications {
public:
    virtual ~RunningApplications() = default;
    virtual std::vector<RunningApplication> runningApplications() = 0;

    static std::shared_ptr<RunningApplications> shared();
    static void setShared(std::shared_ptr<RunningApplications> applications);
};

}  // namespace platform
