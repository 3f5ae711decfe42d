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
