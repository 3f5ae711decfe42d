#pragma once

#include "platform/system/ProcessSignaller.h"

#include <functional>

namespace platform {

// Signals through a pidfd: the process is opened first (pidfd_open), then its start time under
// the /proc root is compared with the recorded one, and the signal goes through the pidfd, so
// it can only reach the process that was checked. Where pidfd_open is refused (an old kernel,
// a sandbox), the start time is checked just before kill().
class PidfdProcessSignaller : public ProcessSignaller {
public:
    // Opens a pidfd for a pid: a descriptor, or -1 with errno set.
    using PidfdOpener = std::function<int(int pid)>;

    explicit PidfdProcessSignaller(PidfdOpener openPidfd = systemPidfdOpen);

    std::optional<ProcessIdentity> identify(int pid) override;

    static int systemPidfdOpen(int pid);

private:
    Result deliver(const ProcessIdentity& process, int signal) override;
    bool isStill(const ProcessIdentity& process);

    PidfdOpener openPidfd_;
};

}  // namespace platform
