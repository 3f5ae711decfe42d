#include "core/disks/DiskVolumeList.h"

#include "core/disks/CVolumeMgr.h"
#include "platform/system/Log.h"

#include <algorithm>
#include <chrono>

namespace core::disks {
namespace {

constexpr std::chrono::milliseconds kScanSpacing{2000};
constexpr int kLongestRetryDoubling = 5;  // 2 s doubled at most five times: 64 s

DiskVolumeList::VolumeList recordsOf(const std::vector<platform::PlistValue>& dictionaries) {
    DiskVolumeList::VolumeList volumes;
    for (const auto& dictionary : dictionaries)
        volumes.push_back(std::make_shared<VolumeObj>(VolumeObj::fromVolumeInfo(dictionary)));
    return volumes;
}

}  // namespace

DiskVolumeList::DiskVolumeList(Executors executors) : executors_(std::move(executors)) {}

std::shared_ptr<DiskVolumeList> DiskVolumeList::create(Executors executors) {
    return std::shared_ptr<DiskVolumeList>(new DiskVolumeList(std::move(executors)));
}

void DiskVolumeList::setReloadHandler(std::function<void()> handler) { reloadHandler_ = std::move(handler); }

void DiskVolumeList::observeMountChanges(platform::MountWatcher::Options options) {
    std::weak_ptr<DiskVolumeList> weak = weak_from_this();
    auto rescan = [weak](const std::string& name, const std::vector<platform::MountChange>&) {
        platform::logInfo(name);
        if (auto self = weak.lock()) self->getallVolumes();
    };
    watchMu_ = std::make_unique<WatchMountUnmount>(executors_, rescan, std::move(options));
}

bool DiskVolumeList::isScanV() const {
    std::lock_guard<std::mutex> lock(guardMutex_);
    return isScanV_;
}

bool DiskVolumeList::isScanPending() const {
    std::lock_guard<std::mutex> lock(guardMutex_);
    return isScanV_ || trailingScan_;
}

bool DiskVolumeList::claimScan() {
    std::lock_guard<std::mutex> lock(guardMutex_);
    if (isScanV_ || scanStarted_) {
        trailingScan_ = true;
        return false;
    }
    isScanV_ = scanStarted_ = true;
    return true;
}

void DiskVolumeList::getallVolumes() {
    if (!claimScan()) return;
    isCanClick_ = true;
    beginScan();
}

void DiskVolumeList::beginScan() {
    std::weak_ptr<DiskVolumeList> weak = weak_from_this();
    executors_.mainAfter(kScanSpacing, [weak] {
        if (auto self = weak.lock()) self->changeBeginValue();
    });
    executors_.main([weak] {
        if (auto self = weak.lock()) {
            self->selectVolume_.reset();
            self->reload();
        }
    });
    executors_.global([weak] {
        if (auto self = weak.lock()) self->enumerate();
    });
}

void DiskVolumeList::enumerate() {
    auto dictionaries = CVolumeMgr(executors_).enumDiskVolumesInfo();
    std::optional<VolumeList> volumes;
    if (dictionaries) volumes = recordsOf(*dictionaries);
    std::weak_ptr<DiskVolumeList> weak = weak_from_this();
    executors_.main([weak, volumes = std::move(volumes)]() mutable {
        if (auto self = weak.lock()) self->finishScan(std::move(volumes));
    });
}

void DiskVolumeList::finishScan(std::optional<VolumeList> volumes) {
    {
        std::lock_guard<std::mutex> lock(guardMutex_);
        isScanV_ = false;
    }
    if (volumes) {
        failedScans_ = 0;
        publish(std::move(*volumes));
    } else {
        retryLater();
    }
    selectFirstRow();
    reload();
    startTrailingScanIfDue();
}

// Only the retry of the latest failure runs: a scan that succeeds or fails in between makes
// the earlier ones stale.
void DiskVolumeList::retryLater() {
    const int failures = ++failedScans_;
    const auto delay = kScanSpacing * (1 << std::min(failures - 1, kLongestRetryDoubling));
    std::weak_ptr<DiskVolumeList> weak = weak_from_this();
    executors_.mainAfter(delay, [weak, failures] {
        auto self = weak.lock();
        if (self && self->failedScans_ == failures) self->getallVolumes();
    });
}

void DiskVolumeList::publish(VolumeList volumes) {
    Rows sorted = sortedRows(volumes);
    allVolumeArr_ = std::move(volumes);
    allVolumeArrSort_ = std::move(sorted.rows);
    inDiskCout_ = sorted.internalCount;
}

void DiskVolumeList::selectFirstRow() {
    if (allVolumeArrSort_.size() < 2 || allVolumeArrSort_[1].isMarker()) return;
    selectIndex_ = 1;
    selectVolume_ = allVolumeArrSort_[1].volume;
}

bool DiskVolumeList::selectRow(int row) {
    if (row < 0 || row >= static_cast<int>(allVolumeArrSort_.size()) || allVolumeArrSort_[row].isMarker()) return false;
    selectIndex_ = row;
    selectVolume_ = allVolumeArrSort_[row].volume;
    reload();
    return true;
}

void DiskVolumeList::changeBeginValue() {
    {
        std::lock_guard<std::mutex> lock(guardMutex_);
        scanStarted_ = false;
    }
    startTrailingScanIfDue();
}

void DiskVolumeList::startTrailingScanIfDue() {
    {
        std::lock_guard<std::mutex> lock(guardMutex_);
        if (!trailingScan_ || isScanV_ || scanStarted_) return;
        trailingScan_ = false;
    }
    getallVolumes();
}

void DiskVolumeList::reload() const {
    if (reloadHandler_) reloadHandler_();
}

std::shared_ptr<const VolumeObj> DiskVolumeList::startupVolume() const {
    std::shared_ptr<const VolumeObj> found;
    for (const auto& volume : allVolumeArr_)
        if (volume->volumeMountPoint == "/") found = volume;
    return found;
}

DiskVolumeList::Rows DiskVolumeList::sortedRows(const VolumeList& volumes) {
    Rows sorted;
    sorted.rows.push_back({});
    for (const auto& volume : volumes)
        if (!volume->bCanEject) sorted.rows.push_back({volume});
    sorted.internalCount = static_cast<int>(sorted.rows.size()) - 1;
    if (sorted.internalCount == static_cast<int>(volumes.size())) return sorted;
    sorted.rows.push_back({});
    for (const auto& volume : volumes)
        if (volume->bCanEject) sorted.rows.push_back({volume});
    return sorted;
}

}  // namespace core::disks
