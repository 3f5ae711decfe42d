#include "support/LiveLoopDisk.h"

#include "platform/system/PosixProcessRunner.h"

#include <cstdlib>

using namespace std::chrono_literals;

namespace testsupport {

std::string LiveLoopDisk::whyNotHere() {
    std::string reason = LoopDisk::whyNotHere();
    return reason.empty() ? LiveUdisks::whyNotHere() : reason;
}

LiveLoopDisk::LiveLoopDisk(const std::string& label)
    : udisks_(folder_), fsType_(LoopDisk::mountableFileSystem()), disk_(folder_, fsType_, label) {
    if (udisks_.failure().empty() && disk_.failure().empty()) announced_ = udisks_.announce(disk_.device(), fsType_);
}

std::string LiveLoopDisk::failure() const {
    for (const std::string* reason : {&udisks_.failure(), &disk_.failure(), &announced_})
        if (!reason->empty()) return *reason;
    return "";
}

std::string LiveLoopDisk::searchPath() const {
    const char* path = std::getenv("PATH");
    return disk_.listingFolder() + ":" + (path ? path : "/usr/sbin:/usr/bin:/sbin:/bin");
}

platform::ProcessResult LiveLoopDisk::diskutil(std::vector<std::string> arguments) const {
    if (!disk_.isOurs()) {
        platform::ProcessResult refused;
        refused.errorOutput = disk_.device() + " is no longer attached to " + disk_.image() + "; nothing was run";
        return refused;
    }
    arguments.insert(arguments.begin(), std::string(DURIDOVE_BIN_DIR) + "/diskutil");
    platform::ProcessRequest request{std::move(arguments), 300s};
    request.environment = environment();
    return platform::PosixProcessRunner().run(request);
}

}  // namespace testsupport
