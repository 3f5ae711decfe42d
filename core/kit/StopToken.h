#pragma once

#include <atomic>

namespace core {

// The stop request of one engine run: a page asks from any thread, the engine looks at its
// own pace (between categories, before each entry, between read chunks) and ends early with
// what it has.
class StopToken {
public:
    void requestStop() { stop_.store(true, std::memory_order_relaxed); }
    bool stopRequested() const { return stop_.load(std::memory_order_relaxed); }
    // Withdraws a request, for an engine object that serves more than one run.
    void reset() { stop_.store(false, std::memory_order_relaxed); }
    // The flag itself, for the platform walkers and readers that take a plain atomic flag.
    const std::atomic<bool>* flag() const { return &stop_; }

private:
    std::atomic<bool> stop_{false};
};

}  // namespace core
