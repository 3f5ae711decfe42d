#pragma once

#include "support/DeathWatcher.h"
#include "support/ScopedVariable.h"
#include "support/ServiceProcess.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// udisks2 answering on the system bus while this lives, for tests that drive a real device.
// Where the machine's system bus has udisksd, that one is used and nothing is started.
// Otherwise a message bus of the test's own stands for the system bus (DBUS_SYSTEM_BUS_ADDRESS
// names its socket in the test's folder) with udisksd on it, and systemd-udevd where no udev
// daemon runs: each a ServiceProcess, stopped by its process id at the end. What udev and
// udisks2 left in /run, /dev, /var and /media where they had nothing before is removed after
// them, by a DeathWatcher, so also when the test process dies first. One such set runs on the
// machine at a time; a second test waits until all of the first has ended (a lock file).
class LiveUdisks {
public:
    // Why udisks2 cannot be had here (no root, a program missing); "" when it can.
    static std::string whyNotHere();

    explicit LiveUdisks(const TempFolder& folder);
    ~LiveUdisks();
    LiveUdisks(const LiveUdisks&) = delete;
    LiveUdisks& operator=(const LiveUdisks&) = delete;

    // Why udisks2 did not come up, with the logs of what was started; "" when it answers.
    const std::string& failure() const { return failure_; }
    bool startedItsOwn() const { return udisksd_ != nullptr; }
    // Replays the device's events through udev (for that device only, never the whole
    // machine) and waits until udisks2 shows it holding the file-system type; the reason
    // when it does not.
    std::string announce(const std::string& device, const std::string& fsType);

private:
    void startOwnServices(const TempFolder& folder);
    bool startUdevd(const TempFolder& folder);
    static std::vector<std::string> absentLeftovers();
    void watchLeftovers(std::vector<std::string> absent);
    std::vector<ServiceProcess*> started() const;
    std::string logsOfStarted() const;

    int lock_ = -1;
    std::unique_ptr<ScopedVariable> systemBusAddress_;
    std::unique_ptr<ServiceProcess> bus_;
    std::unique_ptr<ServiceProcess> udevd_;
    std::unique_ptr<ServiceProcess> udisksd_;
    std::unique_ptr<DeathWatcher> leftovers_;
    std::string failure_;
};

}  // namespace testsupport
