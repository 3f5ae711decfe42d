#pragma once

#include "core/disks/VolumeObj.h"
#include "core/disks/WatchMountUnmount.h"
#include "core/kit/Executors.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace core::disks {

// What the disk page shows, without its widgets: the scans of the volume list, their
// spacing, the table's rows and the selected volume.
//
// Scans may be asked for from any thread. One that is asked for while a scan runs, or less
// than 2 s after the last one started, is not lost: all such requests are served by one
// trailing scan as soon as both guards allow it. The list is built on a worker and swapped in
// whole on the main thread, where all the readers are. A scan that brings no result (the
// enumeration was refused or the list failed) keeps the published list and is tried again,
// 2 s later at first and twice as long after each further failure, up to about a minute.
class DiskVolumeList : public std::enable_shared_from_this<DiskVolumeList> {
public:
    using VolumeList = std::vector<std::shared_ptr<VolumeObj>>;
    // A table row; a group header (the marker "A") when it holds no volume.
    struct Row {
        std::shared_ptr<VolumeObj> volume;
        bool isMarker() const { return !volume; }
    };
    struct Rows {
        std::vector<Row> rows;
        int internalCount = 0;
    };

    static std::shared_ptr<DiskVolumeList> create(Executors executors);

    // Called on the main thread whenever the rows or the selection changed.
    void setReloadHandler(std::function<void()> handler);
    // Rescans on every "QvVolumeMount" and "QvVolumeUnmount" notification.
    void observeMountChanges(platform::MountWatcher::Options options = {});

    void getallVolumes();
    // Ends the spacing after a scan's start (main thread).
    void changeBeginValue();

    bool isCanClick() const { return isCanClick_; }
    bool isScanV() const;
    // Whether a scan runs or one waits to run after it: while none does, the rows stay.
    bool isScanPending() const;

    // Main thread only.
    const VolumeList& allVolumeArr() const { return allVolumeArr_; }
    const std::vector<Row>& allVolumeArrSort() const { return allVolumeArrSort_; }
    int inDiskCout() const { return inDiskCout_; }
    int selectIndex() const { return selectIndex_; }
    const std::shared_ptr<VolumeObj>& selectVolume() const { return selectVolume_; }
    // Selects a volume's row (main thread) and reloads; false for a group header or a row
    // the list does not have.
    bool selectRow(int row);
    // The last volume mounted at "/"; null when the list has none.
    std::shared_ptr<const VolumeObj> startupVolume() const;

    // The marker, the internal volumes in order, and, only when there are any, a second
    // marker followed by the ejectable volumes.
    static Rows sortedRows(const VolumeList& volumes);

private:
    explicit DiskVolumeList(Executors executors);

    bool claimScan();
    void beginScan();
    void enumerate();
    void finishScan(std::optional<VolumeList> volumes);
    void publish(VolumeList volumes);
    void selectFirstRow();
    void retryLater();
    void startTrailingScanIfDue();
    void reload() const;

    Executors executors_;
    std::function<void()> reloadHandler_;
    std::unique_ptr<WatchMountUnmount> watchMu_;

    mutable std::mutex guardMutex_;
    bool isScanV_ = false;
    bool scanStarted_ = false;  // set for 2 s after a scan starts
    bool trailingScan_ = false;
    std::atomic<bool> isCanClick_{false};
    int failedScans_ = 0;  // in a row; main thread only

    VolumeList allVolumeArr_;
    std::vector<Row> allVolumeArrSort_;
    int inDiskCout_ = 0;
    int selectIndex_ = 0;
    std::shared_ptr<VolumeObj> selectVolume_;
};

}  // namespace core::disks
