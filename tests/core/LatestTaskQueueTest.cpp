#include "core/kit/LatestTaskQueue.h"

#include "support/ManualExecutors.h"

#include <gtest/gtest.h>

#include <vector>

TEST(LatestTaskQueue, ABurstEndsAtItsLastValueOneAtATime) {
    testsupport::ManualExecutors executors;
    core::LatestTaskQueue queue(executors.executors().global);
    std::vector<int> applied;
    auto apply = [&](int value) {
        queue.submit([&applied, &queue, value] {
            applied.push_back(value);
            // A burst while this one runs: only its last value follows.
            if (value == 1)
                for (int later = 2; later <= 5; ++later) queue.submit([&applied, later] { applied.push_back(later); });
        });
    };
    apply(1);
    EXPECT_EQ(executors.runQueued(), 1);  // one worker drains everything, in order
    EXPECT_EQ(applied, (std::vector<int>{1, 5}));

    apply(7);
    apply(8);
    executors.runQueued();
    EXPECT_EQ(applied, (std::vector<int>{1, 5, 8}));
}
