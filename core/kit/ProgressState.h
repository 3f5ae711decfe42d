#pragma once

#include "core/kit/SharedText.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace core {

// One reading of an engine's progress, taken whole.
struct ProgressSnapshot {
    int stage = 0;  // the engine's own numbering of its steps
    std::uint64_t done = 0;
    std::uint64_t total = 0;  // 0 while the stage does not know it yet
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    std::string currentPath;

    // done × 100 / total within the stage, at most 100; 0 while the total is unknown.
    std::uint64_t stagePercent() const;
};

// The progress of one engine run in the shape every page reads: the engine (on any number of
// workers) writes it as it goes, and the page takes a snapshot on its own timer. Every member
// is safe to call from any thread; nothing waits on the engine.
class ProgressState {
public:
    // Starts a stage with what it has to do; the counts done go back to 0.
    void beginStage(int stage, std::uint64_t total, std::uint64_t bytesTotal = 0);
    void advance(std::uint64_t count, std::uint64_t bytes = 0);
    void setCurrentPath(std::string path) { currentPath_.set(std::move(path)); }
    // Back to nothing done and no path, as before a run.
    void reset();
    std::string currentPath() const { return currentPath_.get(); }

    ProgressSnapshot snapshot() const;
    std::uint64_t stagePercent() const;

private:
    std::atomic<int> stage_{0};
    std::atomic<std::uint64_t> done_{0};
    std::atomic<std::uint64_t> total_{0};
    std::atomic<std::uint64_t> bytesDone_{0};
    std::atomic<std::uint64_t> bytesTotal_{0};
    SharedText currentPath_;
};

}  // namespace core
