#include "core/kit/ParallelLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

void runOnNewThread(core::Task task) { std::thread(std::move(task)).detach(); }

}  // namespace

TEST(ParallelLoop, EveryIndexRunsOnceAndNoWorkerRunsTwiceAtOnce) {
    constexpr std::size_t count = 5000, workers = 8;
    std::vector<std::atomic<int>> runs(count);
    std::vector<std::atomic<int>> busy(workers);
    std::atomic<bool> overlapped{false};
    core::runInParallel(runOnNewThread, workers, count, [&](std::size_t worker, std::size_t index) {
        if (worker >= workers || busy[worker]++ != 0) overlapped = true;
        ++runs[index];
        --busy[worker];
    });
    EXPECT_FALSE(overlapped);
    for (const auto& run : runs) ASSERT_EQ(run.load(), 1);
}

TEST(ParallelLoop, EndsWhenThePoolRunsNothing) {
    std::vector<core::Task> neverRun;
    std::size_t total = 0;
    core::runInParallel([&](core::Task task) { neverRun.push_back(std::move(task)); }, 4, 100,
                        [&](std::size_t worker, std::size_t index) { total += index + worker; });
    EXPECT_EQ(total, 4950u);  // all on the calling thread, worker 0
    for (auto& late : neverRun) late();  // helpers that start after the loop find nothing left
    EXPECT_EQ(total, 4950u);
}

TEST(ParallelLoop, InlinePoolAndNothingToDo) {
    std::size_t total = 0;
    core::runInParallel(core::Executors::inlineExecutors().global, 3, 10, [&](std::size_t, std::size_t index) { total += index; });
    EXPECT_EQ(total, 45u);
    core::runInParallel(runOnNewThread, 3, 0, [&](std::size_t, std::size_t) { ++total; });
    EXPECT_EQ(total, 45u);
}

// Every index is consumed once, in increasing order, on the calling thread, after it was
// produced; with helpers on threads of their own and with a pool that runs nothing.
TEST(ParallelLoop, InOrderConsumesEachIndexAfterItWasProduced) {
    constexpr std::size_t count = 3000;
    const std::thread::id caller = std::this_thread::get_id();
    for (bool poolRuns : {true, false}) {
        std::vector<core::Task> neverRun;
        core::Executor pool = poolRuns ? core::Executor(runOnNewThread)
                                       : core::Executor([&](core::Task task) { neverRun.push_back(std::move(task)); });
        std::vector<std::atomic<int>> produced(count);
        std::vector<std::size_t> consumed;
        bool faithful = true;
        core::runInParallelInOrder(
            pool, 8, count, [&](std::size_t, std::size_t index) { ++produced[index]; },
            [&](std::size_t index) {
                faithful = faithful && produced[index].load() == 1 && std::this_thread::get_id() == caller;
                consumed.push_back(index);
            });
        EXPECT_TRUE(faithful) << poolRuns;
        ASSERT_EQ(consumed.size(), count);
        for (std::size_t index = 0; index < count; ++index) ASSERT_EQ(consumed[index], index);
        for (auto& late : neverRun) late();
        for (const auto& times : produced) ASSERT_EQ(times.load(), 1);
    }
}
