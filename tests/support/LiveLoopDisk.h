#pragma once

#include "platform/system/ProcessRunner.h"
#include "support/LiveUdisks.h"
#include "support/LoopDisk.h"
#include "support/TempFolder.h"

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// What the tests of real disk actions share: a loop disk with a file system this kernel
// mounts, known to udisks2, which the disk utility stand-in lists as the one disk of a USB
// stick and nothing else. Everything goes again at the end, in reverse: the disk is unmounted
// and detached, then what was started for udisks2 is stopped.
class LiveLoopDisk {
public:
    // Why the machine does not allow it; "" when it does.
    static std::string whyNotHere();

    explicit LiveLoopDisk(const std::string& label);

    // Why setting up failed; "" when the disk is ready.
    std::string failure() const;
    const LoopDisk& disk() const { return disk_; }
    const std::string& fsType() const { return fsType_; }

    // PATH for the stand-in while it runs for this disk: the listing first.
    std::string searchPath() const;
    // The stand-in's environment while it runs for this disk: that PATH.
    std::vector<std::pair<std::string, std::string>> environment() const { return {{"PATH", searchPath()}}; }
    // The stand-in run with the arguments, for this disk only: refused without running while
    // the loop device is not attached to the test's image.
    platform::ProcessResult diskutil(std::vector<std::string> arguments) const;

private:
    TempFolder folder_;
    LiveUdisks udisks_;
    std::string fsType_;
    LoopDisk disk_;
    std::string announced_;
};

}  // namespace testsupport
