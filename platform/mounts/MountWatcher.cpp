#include "platform/mounts/MountWatcher.h"

#include "platform/mounts/KernelMountChangeSource.h"

namespace platform {

MountWatcher::MountWatcher(Handler handler, Options options)
    : handler_(std::move(handler)), options_(std::move(options)) {
    if (!options_.source) options_.source = std::make_shared<KernelMountChangeSource>(options_.tablePath);
    reported_ = currentTable();
    thread_ = std::thread([this] { watch(); });
}

MountWatcher::~MountWatcher() {
    stopping_ = true;
    options_.source->interrupt();
    thread_.join();
}

MountTable MountWatcher::currentTable() const { return MountTable::read(options_.tablePath).value_or(reported_); }

void MountWatcher::watch() {
    while (!stopping_) {
        if (!options_.source->waitForChange(std::nullopt)) continue;
        waitUntilQuiet();
        if (stopping_) break;
        MountTable table = currentTable();
        std::vector<MountChange> changes = table.blockDeviceChangesSince(reported_);
        reported_ = std::move(table);
        if (!changes.empty()) handler_(changes);
    }
}

void MountWatcher::waitUntilQuiet() {
    auto giveUp = std::chrono::steady_clock::now() + options_.longestDelay;
    while (!stopping_ && std::chrono::steady_clock::now() < giveUp && options_.source->waitForChange(options_.quietPeriod)) {
    }
}

}  // namespace platform
