#include "core/kit/ParallelLoop.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace core {
namespace {

struct LoopState {
    using Body = std::function<void(std::size_t, std::size_t)>;

    LoopState(std::size_t total, const Body& work) : count(total), body(work) {}

    // Takes indices until none is left; used by the caller and by every helper.
    void work(std::size_t worker) {
        for (std::size_t index = next++; index < count; index = next++) {
            body(worker, index);
            if (++finished == count) {
                std::lock_guard<std::mutex> lock(mutex);
                allFinished.notify_all();
            }
        }
    }

    void waitForAll() {
        std::unique_lock<std::mutex> lock(mutex);
        allFinished.wait(lock, [this] { return finished.load() == count; });
    }

    const std::size_t count;
    // Only called for an index taken before the loop ended, so the caller's data is alive.
    const Body& body;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> finished{0};
    std::mutex mutex;
    std::condition_variable allFinished;
};

}  // namespace

void runInParallel(const Executor& pool, std::size_t workerCount, std::size_t count,
                   const std::function<void(std::size_t worker, std::size_t index)>& body) {
    if (count == 0) return;
    auto state = std::make_shared<LoopState>(count, body);
    const std::size_t helpers = workerCount < count ? workerCount : count;
    for (std::size_t worker = 1; pool && worker < helpers; ++worker)
        pool([state, worker] { state->work(worker); });
    state->work(0);
    state->waitForAll();
}

}  // namespace core
