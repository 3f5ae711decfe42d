#include "core/kit/ParallelLoop.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace core {
namespace {

struct LoopState {
    using Body = std::function<void(std::size_t, std::size_t)>;

    // tracksEach: each index says when it has run, for waitFor.
    LoopState(std::size_t total, const Body& work, bool tracksEach) : count(total), body(work), done(tracksEach ? total : 0) {
        for (auto& flag : done) flag.store(false, std::memory_order_relaxed);
    }

    // Takes indices until none is left; used by the caller and by every helper.
    void work(std::size_t worker) {
        for (std::size_t index = next++; index < count; index = next++) runTaken(worker, index);
    }

    void waitForAll() {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return finished.load() == count; });
    }

    // Returns once index has run; until then the caller takes indices of its own.
    void waitFor(std::size_t worker, std::size_t index) {
        while (!done[index].load(std::memory_order_acquire)) {
            const std::size_t taken = next++;
            if (taken < count) {
                runTaken(worker, taken);
                continue;
            }
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [this, index] { return done[index].load(std::memory_order_acquire); });
        }
    }

    const std::size_t count;
    // Only called for an index taken before the loop ended, so the caller's data is alive.
    const Body& body;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> finished{0};
    std::vector<std::atomic<bool>> done;
    std::mutex mutex;
    std::condition_variable changed;

private:
    void runTaken(std::size_t worker, std::size_t index) {
        body(worker, index);
        if (!done.empty()) done[index].store(true, std::memory_order_release);
        if (++finished == count || !done.empty()) {
            std::lock_guard<std::mutex> lock(mutex);
            changed.notify_all();
        }
    }
};

std::shared_ptr<LoopState> startLoop(const Executor& pool, std::size_t workerCount, std::size_t count,
                                     const LoopState::Body& body, bool tracksEach) {
    auto state = std::make_shared<LoopState>(count, body, tracksEach);
    const std::size_t helpers = workerCount < count ? workerCount : count;
    for (std::size_t worker = 1; pool && worker < helpers; ++worker)
        pool([state, worker] { state->work(worker); });
    return state;
}

}  // namespace

std::size_t processorCount() { return std::max(1u, std::thread::hardware_concurrency()); }

void runInParallel(const Executor& pool, std::size_t workerCount, std::size_t count,
                   const std::function<void(std::size_t worker, std::size_t index)>& body) {
    if (count == 0) return;
    auto state = startLoop(pool, workerCount, count, body, false);
    state->work(0);
    state->waitForAll();
}

void runInParallelInOrder(const Executor& pool, std::size_t workerCount, std::size_t count,
                          const std::function<void(std::size_t worker, std::size_t index)>& produce,
                          const std::function<void(std::size_t index)>& consume) {
    if (count == 0) return;
    auto state = startLoop(pool, workerCount, count, produce, true);
    for (std::size_t index = 0; index < count; ++index) {
        state->waitFor(0, index);
        consume(index);
    }
    state->waitForAll();
}

}  // namespace core
