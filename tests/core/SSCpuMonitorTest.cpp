#include "core/readings/SSCpuMonitor.h"

#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using core::SSCpuMonitor;

namespace {

// user nice system idle iowait irq softirq steal guest guest_nice
using Line = std::array<uint64_t, 10>;

class CpuMonitorTest : public ::testing::Test {
protected:
    void writeStat(const std::vector<Line>& processors) {
        std::string text = "cpu  1 2 3 4 5 6 7 8 0 0\n";
        for (size_t i = 0; i < processors.size(); ++i) {
            text += "cpu" + std::to_string(i);
            for (uint64_t value : processors[i]) text += " " + std::to_string(value);
            text += "\n";
        }
        text += "intr 12345 0 0\nctxt 999\nbtime 1700000000\nprocesses 42\n";
        environment.folder().writeFile("proc/stat", text);
    }

    // The stored sample belongs to the process: start each test from a different processor
    // count, so its first reading compares with nothing.
    void startOver(size_t processors) {
        writeStat(std::vector<Line>(processors + 1, Line{}));
        monitor.monitorCPU();
    }

    testsupport::ScopedEnvironment environment;
    SSCpuMonitor monitor;
};

}  // namespace

TEST_F(CpuMonitorTest, FirstSampleIsEmptyThenOneEntryPerProcessor) {
    startOver(2);
    writeStat({{100, 0, 50, 850, 0, 0, 0, 0, 0, 0}, {10, 0, 10, 80, 0, 0, 0, 0, 0, 0}});
    EXPECT_EQ(monitor.getNumCPUs(), 2u);
    auto first = monitor.monitorCPU();
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(first->empty());

    writeStat({{110, 0, 55, 935, 0, 0, 0, 0, 0, 0}, {10, 0, 10, 80, 0, 0, 0, 0, 0, 0}});
    auto second = monitor.monitorCPU();
    ASSERT_TRUE(second.has_value());
    ASSERT_EQ(second->size(), 2u);
    EXPECT_DOUBLE_EQ((*second)[0].user, 0.10);
    EXPECT_DOUBLE_EQ((*second)[0].system, 0.05);
    // Unchanged ticks: the total is taken as 1, so both fractions are 0.
    EXPECT_DOUBLE_EQ((*second)[1].user, 0.0);
    EXPECT_DOUBLE_EQ((*second)[1].system, 0.0);
}

TEST_F(CpuMonitorTest, NiceCountsAsUserInterruptsAndStealAsSystemWaitingAsIdle) {
    startOver(1);
    writeStat({{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    monitor.monitorCPU();
    // user 10 (guest 4 inside it), nice 20, system 5 + irq 2 + softirq 1 + steal 2, idle 50 + iowait 10.
    writeStat({{10, 20, 5, 50, 10, 2, 1, 2, 4, 0}});
    auto loads = monitor.monitorCPU();
    ASSERT_TRUE(loads && loads->size() == 1);
    EXPECT_DOUBLE_EQ((*loads)[0].user, 30.0 / 100.0);
    EXPECT_DOUBLE_EQ((*loads)[0].system, 10.0 / 100.0);
}

TEST_F(CpuMonitorTest, WrappedCounterGivesItsStepAndBackwardsStepGivesZero) {
    EXPECT_EQ(SSCpuMonitor::tickDelta(5, 0xFFFFFFFBu), 10u);
    EXPECT_EQ(SSCpuMonitor::tickDelta(100, 200), 0u);
    EXPECT_EQ(SSCpuMonitor::tickDelta(0x7FFFFFFFu, 0), 0x7FFFFFFFu);
    EXPECT_EQ(SSCpuMonitor::tickDelta(0x80000000u, 0), 0u);

    startOver(1);
    // The user counter passes 2^32 (its low 32 bits are all that count); iowait steps back.
    writeStat({{4294967290ull, 0, 0, 1000, 50, 0, 0, 0, 0, 0}});
    monitor.monitorCPU();
    writeStat({{4294967300ull, 0, 0, 1000, 40, 0, 0, 0, 0, 0}});
    auto loads = monitor.monitorCPU();
    ASSERT_TRUE(loads && loads->size() == 1);
    EXPECT_DOUBLE_EQ((*loads)[0].user, 1.0);  // 10 ticks of user, idle counted as 0
}

TEST_F(CpuMonitorTest, ProcessorCountChangeStartsOver) {
    startOver(3);
    writeStat(std::vector<Line>(3, Line{1, 0, 1, 1, 0, 0, 0, 0, 0, 0}));
    monitor.monitorCPU();
    writeStat(std::vector<Line>(2, Line{2, 0, 2, 2, 0, 0, 0, 0, 0, 0}));
    auto changed = monitor.monitorCPU();
    ASSERT_TRUE(changed.has_value());
    EXPECT_TRUE(changed->empty());
    writeStat(std::vector<Line>(2, Line{3, 0, 2, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(monitor.monitorCPU()->size(), 2u);
}

TEST_F(CpuMonitorTest, UnreadableCountersGiveNothing) {
    EXPECT_EQ(monitor.getNumCPUs(), 0u);
    EXPECT_FALSE(monitor.monitorCPU().has_value());
    environment.folder().writeFile("proc/stat", "cpu  1 2 3 4\nintr 5\n");
    EXPECT_EQ(monitor.getNumCPUs(), 0u);
    EXPECT_FALSE(monitor.monitorCPU().has_value());
}
