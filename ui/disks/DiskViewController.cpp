#include "ui/disks/DiskViewController.h"

#include "ui/kit/desktop/Dispatch.h"

namespace ui {

namespace {
constexpr int kDiskViewID = 8;
}  // namespace

DiskViewController::DiskViewController(const QString& toolName)
    : PlaceholderViewController(kDiskViewID, toolName),
      volumes(core::disks::DiskVolumeList::create(Dispatch::executors())) {
    volumes->observeMountChanges();
}

}  // namespace ui
