#include "core/kit/ProgressState.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using core::ProgressState;

TEST(ProgressState, WorkersAdvanceItTogetherAndEachStageStartsAfresh) {
    ProgressState progress;
    EXPECT_EQ(progress.stagePercent(), 0u);  // nothing to do yet
    progress.beginStage(1, 8000, 8000 * 3);
    std::vector<std::thread> workers;
    for (int worker = 0; worker < 8; ++worker)
        workers.emplace_back([&progress, worker] {
            for (int item = 0; item < 1000; ++item) {
                progress.advance(1, 3);
                progress.setCurrentPath("/w" + std::to_string(worker));
                progress.snapshot();
            }
        });
    for (auto& worker : workers) worker.join();
    const core::ProgressSnapshot done = progress.snapshot();
    EXPECT_EQ(done.stage, 1);
    EXPECT_EQ(done.done, 8000u);
    EXPECT_EQ(done.bytesDone, done.bytesTotal);
    EXPECT_EQ(done.stagePercent(), 100u);
    EXPECT_EQ(done.currentPath.substr(0, 2), "/w");

    progress.advance(5);  // more than planned still reads as 100
    EXPECT_EQ(progress.stagePercent(), 100u);
    progress.beginStage(2, 4);
    progress.advance(1);
    EXPECT_EQ(progress.snapshot().stage, 2);
    EXPECT_EQ(progress.snapshot().bytesDone, 0u);
    EXPECT_EQ(progress.stagePercent(), 25u);
}
