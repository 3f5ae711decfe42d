#pragma once

#include "core/kit/Executors.h"
#include "core/readings/SSCpuMonitor.h"
#include "core/readings/SSMemoryMonitor.h"

#include <optional>
#include <regex>
#include <string>

namespace core {

// The readings behind the menu-bar panel: CPU temperature, CPU load, memory use and battery,
// each kept as a ready-made display text (nothing until first set). A refresh runs on the
// caller's thread (the main thread) except the CPU sample and the battery tool, which run on
// the global queue; their texts are set later on the main queue, so a caller reading them right
// after getInfo sees those of the previous refresh. The instance must outlive the work it
// posts; the shared one lives as long as the process.
class GetSystemInfo {
public:
    explicit GetSystemInfo(Executors executors);

    // The shared instance, made and set up on first use with the executors given before.
    static GetSystemInfo& shareInstall();
    static void setSharedExecutors(Executors executors);

    void initBase();
    // One refresh: temperature, then CPU and memory, then battery. The battery tool runs on
    // the global queue and its texts are set on the main queue, where `done` runs after them.
    void getInfo(Task done = {});
    std::string getCPUTemp();
    float cpuProximityTemperature();
    void updateSysStat();
    // Runs the power-management tool ("pmset" "-g" "batt") and reads its text; blocks until
    // the tool ends, at most about a second.
    void getBatteryInfo();
    // The battery texts from the tool's output.
    void takeBatteryOutput(const std::string& output);
    void parseBatteryInfo(const std::string& output);
    // Percentage and remaining time from a match of the time pattern.
    void getTimeValue(const std::string& output, const std::smatch& match);
    // The percentage from the first match of a pattern.
    void getTimeValueWithpattern(const std::string& pattern, const std::string& output);

    const std::optional<std::string>& cpuB() const { return cpuB_; }
    const std::optional<std::string>& cpuTemp() const { return cpuTemp_; }
    const std::optional<std::string>& memoryB() const { return memoryB_; }
    const std::optional<std::string>& batteryB() const { return batteryB_; }
    const std::optional<std::string>& batteryT() const { return batteryT_; }
    void setCpuB(std::string text) { cpuB_ = std::move(text); }
    void setCpuTemp(std::string text) { cpuTemp_ = std::move(text); }
    void setMemoryB(std::string text) { memoryB_ = std::move(text); }
    void setBatteryB(std::string text) { batteryB_ = std::move(text); }
    void setBatteryT(std::string text) { batteryT_ = std::move(text); }

private:
    // Rule of one battery state: the percentage and time of the time match when there is
    // one, else the percentage of the state's pattern and the state's own text.
    void timeOrState(const std::string& output, const std::smatch* time, const char* pattern, const char* state);

    Executors executors_;
    SSCpuMonitor cpuMonitor;
    SSMemoryMonitor memoryMonitor;
    SSMemoryInfo memoryInfo;
    uint32_t cpuCount = 0;
    std::optional<std::string> cpuB_, cpuTemp_, memoryB_, batteryB_, batteryT_;
};

}  // namespace core
