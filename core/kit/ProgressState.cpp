#include "core/kit/ProgressState.h"

#include <algorithm>

namespace core {
namespace {

std::uint64_t percentOf(std::uint64_t done, std::uint64_t total) {
    return total == 0 ? 0 : std::min<std::uint64_t>(done * 100 / total, 100);
}

}  // namespace

std::uint64_t ProgressSnapshot::stagePercent() const { return percentOf(done, total); }

void ProgressState::beginStage(int stage, std::uint64_t total, std::uint64_t bytesTotal) {
    done_ = 0;
    bytesDone_ = 0;
    total_ = total;
    bytesTotal_ = bytesTotal;
    stage_ = stage;
}

void ProgressState::reset() {
    beginStage(0, 0);
    currentPath_.set(std::string());
}

void ProgressState::advance(std::uint64_t count, std::uint64_t bytes) {
    done_.fetch_add(count, std::memory_order_relaxed);
    if (bytes != 0) bytesDone_.fetch_add(bytes, std::memory_order_relaxed);
}

std::uint64_t ProgressState::stagePercent() const { return percentOf(done_, total_); }

ProgressSnapshot ProgressState::snapshot() const {
    ProgressSnapshot snapshot;
    snapshot.stage = stage_;
    snapshot.done = done_;
    snapshot.total = total_;
    snapshot.bytesDone = bytesDone_;
    snapshot.bytesTotal = bytesTotal_;
    snapshot.currentPath = currentPath_.get();
    return snapshot;
}

}  // namespace core
