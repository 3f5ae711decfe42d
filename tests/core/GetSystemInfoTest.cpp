#include "core/readings/GetSystemInfo.h"
#include "platform/system/Bundle.h"
#include "platform/system/PosixProcessRunner.h"

#include "support/RecordedSmcKeys.h"
#include "support/ScopedEnvironment.h"
#include "support/FakeProcessRunner.h"

#include <gtest/gtest.h>

using core::GetSystemInfo;

namespace {

struct Battery {
    std::optional<std::string> percentage;
    std::optional<std::string> state;
};

Battery parsed(const std::string& output) {
    GetSystemInfo info(core::Executors::inlineExecutors());
    info.parseBatteryInfo(output);
    return {info.batteryB(), info.batteryT()};
}

std::string batteryLine(const std::string& rest) {
    return "Now drawing from 'Battery Power'\n -InternalBattery-0 (id=4653155)\t" + rest + " present: true\n";
}

}  // namespace

TEST(GetSystemInfo, BatteryTextsOfThePowerTool) {
    struct Case {
        const char* line;
        const char* percentage;
        const char* state;
    };
    const Case cases[] = {
        {"85%; discharging; 3:10 remaining", "85", "剩余3小时10分"},
        {"85%; discharging; (no estimate)", "85", "discharging"},
        {"85%; charging; (no estimate)", "85", "charging"},
        {"57%; charging; 1:20 remaining", "57", "剩余1小时20分"},
        {"100%; charged; 0:00 remaining", "100", "charged"},  // "charged;" wins over the time
        {"80%; AC attached; not charging", "80", "AC attached"},
        {"97%; discharging; 12:34 remaining", "97", "剩余12小时34分"},  // both hour digits count
    };
    for (const Case& one : cases) {
        auto battery = parsed(batteryLine(one.line));
        EXPECT_EQ(battery.percentage, one.percentage) << one.line;
        EXPECT_EQ(battery.state, one.state) << one.line;
    }
    auto nothing = parsed("garbage without markers\n");
    EXPECT_EQ(nothing.percentage, std::nullopt);
    EXPECT_EQ(nothing.state, std::nullopt);
}

TEST(GetSystemInfo, BatteryIsReadThroughTheHelperWithAShortTimeout) {
    std::string tool = platform::Bundle::helperPath("pmset");
    ASSERT_FALSE(tool.empty());
    auto runner = std::make_shared<testsupport::FakeProcessRunner>();
    runner->answer({"-g", "batt"}, "Now drawing from 'AC Power'\n");
    testsupport::ScopedProcessRunner scopedRunner(runner);
    GetSystemInfo info(core::Executors::inlineExecutors());
    info.getBatteryInfo();
    EXPECT_EQ(info.batteryB(), "100");
    EXPECT_EQ(info.batteryT(), "Mac Mini");
    ASSERT_EQ(runner->requests().size(), 1u);
    EXPECT_EQ(runner->requests()[0].arguments.front(), tool);
    EXPECT_EQ(runner->requests()[0].timeout, std::chrono::milliseconds(1000));

    // A tool that hung and was killed leaves the texts as they were.
    platform::ProcessResult hung;
    hung.started = true;
    hung.timedOut = true;
    hung.output = "Now drawing from 'Battery Power'\n -InternalBattery-0 (id=1)\t";
    auto hungRunner = std::make_shared<testsupport::FakeProcessRunner>();
    hungRunner->answerWith({"-g", "batt"}, hung);
    platform::ProcessRunner::setShared(hungRunner);
    info.getBatteryInfo();
    EXPECT_EQ(info.batteryB(), "100");
    EXPECT_EQ(info.batteryT(), "Mac Mini");
}

TEST(GetSystemInfo, RefreshSetsTemperatureMemoryAndCpuFromTheSecondRefreshOn) {
    testsupport::ScopedEnvironment environment;
    const auto& folder = environment.folder();
    auto writeStat = [&](uint64_t user, uint64_t idle, size_t processors) {
        std::string text = "cpu  0 0 0 0\n";
        for (size_t i = 0; i < processors; ++i)
            text += "cpu" + std::to_string(i) + " " + std::to_string(user) + " 0 0 " + std::to_string(idle) + " 0 0 0 0 0 0\n";
        folder.writeFile("proc/stat", text);
    };
    writeStat(0, 0, 7);
    core::SSCpuMonitor().monitorCPU();  // the shared sample is of another processor count
    writeStat(0, 0, 4);
    folder.writeFile("proc/meminfo", "MemTotal: 1048576 kB\nMemFree: 262144 kB\nMemAvailable: 524288 kB\nInactive: 0 kB\n");
    folder.writeFile("proc/vmstat", "pswpin 0\n");
    testsupport::ScopedSmcConnection smc(testsupport::recordedSmcConnection("#KEY ui32 80 00000002\nTC0P sp78 80 2F80\n"));
    testsupport::ScopedProcessRunner runner(std::make_shared<testsupport::FakeProcessRunner>());

    GetSystemInfo info(core::Executors::inlineExecutors());
    info.initBase();
    info.getInfo();
    EXPECT_EQ(info.cpuTemp(), "47.5°C");
    EXPECT_EQ(info.cpuB(), std::nullopt);
    EXPECT_EQ(info.memoryB(), "50.0%");

    writeStat(250, 750, 4);  // a quarter of every processor's ticks were busy
    info.getInfo();
    EXPECT_EQ(info.cpuB(), "25.0%");

    // A processor count that no longer matches leaves the text.
    writeStat(500, 1000, 3);
    info.getInfo();
    writeStat(600, 1100, 3);
    info.getInfo();
    EXPECT_EQ(info.cpuB(), "25.0%");

    // A total of 0 gives no memory percentage: the text stays.
    folder.writeFile("proc/meminfo", "MemTotal: 0 kB\nMemFree: 0 kB\n");
    info.getInfo();
    EXPECT_EQ(info.memoryB(), "50.0%");
}
