#pragma once

#include "core/disks/DiskUtilRunner.h"
#include "core/disks/DiskVolumeList.h"
#include "core/disks/VolumeObj.h"
#include "core/kit/Executors.h"

#include <functional>
#include <memory>
#include <string>

namespace core::disks {

// The disk page's actions on one volume, each run through the disk utility on the global
// queue and reported on the main thread with what the tool answered. A failed action changes
// nothing and hands back the tool's reason; a successful one rescans the volume list, so the
// page shows what the system now holds rather than what it asked for.
class DiskVolumeActions {
public:
    using Result = DiskUtilRunner::ActionResult;
    using Done = std::function<void(const Result&)>;
    using Shown = std::function<void(const std::string& piece)>;

    DiskVolumeActions(Executors executors, std::shared_ptr<DiskVolumeList> volumes);

    // "unmount" when the volume counted as mounted, else "mount". Nothing without a device.
    void mountButtonAction(const VolumeObj& volume, bool isMount, Done done);
    // "eject" with the volume's UUID. Nothing without one.
    void ejectButtonAction(const VolumeObj& volume, Done done);
    // "rename" with the volume's UUID and the name of the name rules. False when the name is
    // blank: nothing is run and done is not called. A volume without a UUID cannot be named:
    // done gets the failure and its reason, and nothing is run.
    bool makeSureToChangeName(const VolumeObj& volume, const std::string& name, Done done);
    // "eraseVolume" with the type and name of the format rules; on an APFS volume "rename"
    // then "reformat" as the utility does there. Done always comes; the page then shows the
    // format-end notice, whose close rescans, or the reason.
    void makeSureToFormat(const VolumeObj& volume, const std::string& name, const std::string& typeText, Done done);
    // First aid ("verifyvolume", or "repairvolume" to repair) on a thread of its own for as
    // long as it takes: each piece the tool prints goes to shown on the main thread as it
    // comes, then done. The volume list is left as it is.
    void firstAid(const VolumeObj& volume, bool repair, Shown shown, Done done);

private:
    void run(std::function<Result()> action, bool rescanOnSuccess, Done done);

    Executors executors_;
    std::shared_ptr<DiskVolumeList> volumes_;
};

}  // namespace core::disks
