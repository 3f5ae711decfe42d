#include "core/kit/PooledTask.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

// Whoever comes first runs the work, once: the owner when the pool has not started it (a pool
// that runs nothing, or runs it only later), a pool thread otherwise, with the owner waiting.
TEST(PooledTask, RunsOnceByWhoeverComesFirst) {
    std::vector<core::Task> held;
    int runs = 0;
    {
        core::PooledTask task([&](core::Task work) { held.push_back(std::move(work)); }, [&] { ++runs; });
        task.wait();
        EXPECT_EQ(runs, 1);
    }
    for (auto& late : held) late();
    EXPECT_EQ(runs, 1);

    std::atomic<int> pooledRuns{0};
    std::atomic<bool> release{false};
    std::thread poolThread;
    {
        core::PooledTask task([&](core::Task work) { poolThread = std::thread(std::move(work)); }, [&] {
            while (!release) std::this_thread::yield();
            ++pooledRuns;
        });
        release = true;
    }  // the destructor waits for the pool thread's run, or runs the work itself
    EXPECT_EQ(pooledRuns.load(), 1);
    poolThread.join();
    EXPECT_EQ(pooledRuns.load(), 1);
}
