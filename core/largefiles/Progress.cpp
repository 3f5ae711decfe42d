#include "core/largefiles/Progress.h"

#include <chrono>

namespace core::largefiles {

Progress& Progress::shareInit() {
    static Progress progress;
    return progress;
}

void Progress::isPause(const StopToken& stop) {
    std::unique_lock<std::mutex> lock(mutex_);
    // The one-second wait only guards against a wake that was never sent.
    while (isScanPause_ && !stop.stopRequested()) changed_.wait_for(lock, std::chrono::seconds(1));
}

void Progress::isContinue() {
    std::lock_guard<std::mutex> lock(mutex_);
    isScanPause_ = !isScanPause_;
    changed_.notify_all();
}

void Progress::resume() {
    std::lock_guard<std::mutex> lock(mutex_);
    isScanPause_ = false;
    changed_.notify_all();
}

bool Progress::getProgress() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return isScanPause_;
}

void Progress::wake() {
    std::lock_guard<std::mutex> lock(mutex_);
    changed_.notify_all();
}

}  // namespace core::largefiles
