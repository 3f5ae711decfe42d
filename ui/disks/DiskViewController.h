#pragma once

#include "core/disks/DiskVolumeList.h"
#include "ui/shell/PlaceholderViewController.h"

#include <memory>

namespace ui {

// Tool page 8, the disk manager. It owns the volume list and follows the mount events; until
// the page's table is built it shows the tool's name. The view switcher is refused until the
// first volume scan has started.
class DiskViewController : public PlaceholderViewController {
    Q_OBJECT
public:
    explicit DiskViewController(const QString& toolName);

    bool isCanClick() override { return volumes->isCanClick(); }

    // Callable from any thread; the first scan is started from a thread of its own.
    void getallVolumes() { volumes->getallVolumes(); }
    const std::shared_ptr<core::disks::DiskVolumeList>& volumeList() const { return volumes; }
    // The last scan's volumes (main thread), read for the start-up volume's facts.
    const core::disks::DiskVolumeList::VolumeList& allVolumeArr() const { return volumes->allVolumeArr(); }

private:
    std::shared_ptr<core::disks::DiskVolumeList> volumes;
};

}  // namespace ui
