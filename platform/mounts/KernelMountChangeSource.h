#pragma once

#include "platform/mounts/MountChangeSource.h"

#include <string>

namespace platform {

// The kernel flags a process's mountinfo file as changed (POLLPRI) whenever something is
// mounted or unmounted in its namespace.
class KernelMountChangeSource : public MountChangeSource {
public:
    explicit KernelMountChangeSource(const std::string& mountinfoPath);
    ~KernelMountChangeSource() override;
    KernelMountChangeSource(const KernelMountChangeSource&) = delete;
    KernelMountChangeSource& operator=(const KernelMountChangeSource&) = delete;

    bool waitForChange(std::optional<std::chrono::milliseconds> timeout) override;
    void interrupt() override;

private:
    int tableFd_ = -1;
    int wakeFd_ = -1;
};

}  // namespace platform
