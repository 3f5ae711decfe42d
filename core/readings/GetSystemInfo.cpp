#include "core/readings/GetSystemInfo.h"

#include "core/readings/LoadFigures.h"
#include "core/readings/MenuMeterDefaults.h"
#include "core/readings/TemperatureReader.h"
#include "platform/system/Bundle.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "platform/system/ProcessRunner.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace core {
namespace {

constexpr auto kPowerToolTimeout = std::chrono::milliseconds(1000);

// The percentage and the remaining time "h:mm" of a battery line. The time is the first one
// after the percentage and keeps all its hour digits ("12:34" is 12 hours 34 minutes).
const char* const kTimePattern = R"((\d+)%.*?(\d+:\d+))";
const char* const kChargingPattern = R"((\d+)%.*?charging; \(no estimate\))";
const char* const kDischargingPattern = R"((\d+)%.*?discharging; \(no estimate\))";
const char* const kPercentagePattern = R"((\d+)(?=%))";

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

Executors& sharedExecutors() {
    static Executors executors = Executors::inlineExecutors();
    return executors;
}

std::string powerToolOutput() {
    std::string tool = platform::Bundle::helperPath("pmset");
    if (tool.empty()) return "";
    platform::ProcessRequest request;
    request.arguments = {tool, "-g", "batt"};
    request.timeout = kPowerToolTimeout;
    // The tool reads the same /sys as this process, whichever way its root was given.
    request.environment = {{"DURIDOVE_SYS_ROOT", platform::Environment::current()->sysRoot()}};
    platform::ProcessResult result = platform::ProcessRunner::shared()->run(request);
    if (result.timedOut) {
        platform::logWarning("pmset did not answer within a second");
        return "";
    }
    return result.output;
}

}  // namespace

GetSystemInfo::GetSystemInfo(Executors executors) : executors_(std::move(executors)) {}

void GetSystemInfo::setSharedExecutors(Executors executors) { sharedExecutors() = std::move(executors); }

GetSystemInfo& GetSystemInfo::shareInstall() {
    static GetSystemInfo* instance = [] {
        auto* made = new GetSystemInfo(sharedExecutors());
        made->initBase();
        return made;
    }();
    return *instance;
}

void GetSystemInfo::initBase() { cpuCount = cpuMonitor.getNumCPUs(); }

void GetSystemInfo::getInfo(Task done) {
    getCPUTemp();
    updateSysStat();
    executors_.global([this, done = std::move(done)] {
        executors_.main([this, output = powerToolOutput(), done] {
            takeBatteryOutput(output);
            if (done) done();
        });
    });
}

float GetSystemInfo::cpuProximityTemperature() {
    std::string sensor = MenuMeterDefaults::sharedMenuMeterDefaults().cpuTemperatureSensor();
    if (sensor == MenuMeterDefaults::kDefaultSensorName) sensor = TemperatureReader::defaultSensor();
    return TemperatureReader::temperatureOfSensorWithName(sensor);
}

std::string GetSystemInfo::getCPUTemp() {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f°C", static_cast<double>(cpuProximityTemperature()));
    cpuTemp_ = text;
    return text;
}

void GetSystemInfo::updateSysStat() {
    executors_.global([this] {
        auto loads = cpuMonitor.monitorCPU();
        // The first sample, or one of another processor count, leaves the text as it was.
        auto percentage = loads ? averageCpuPercentage(*loads, cpuCount) : std::nullopt;
        if (percentage) {
            executors_.main([this, value = *percentage] {
                platform::logInfo("CPU Percentage: " + percentText(value));
                cpuB_ = percentText(value);
            });
        }
        executors_.main([this] {
            memoryInfo = memoryMonitor.usagePercent();
            auto percentage = memoryInfo.usedPercentage();
            if (!percentage) return;
            auto value = static_cast<float>(*percentage);
            platform::logInfo("Memory Percentage: " + percentText(value));
            memoryB_ = percentText(value);
        });
    });
}

void GetSystemInfo::getBatteryInfo() { takeBatteryOutput(powerToolOutput()); }

void GetSystemInfo::takeBatteryOutput(const std::string& output) {
    platform::logInfo("Command Output: " + output);
    if (!contains(output, "Now drawing from 'AC Power'") || contains(output, "%")) {
        parseBatteryInfo(output);
    } else {
        batteryB_ = "100";
        batteryT_ = "Mac Mini";
    }
}

// The steps run in order, each seeing what the earlier ones set. "discharging;" contains
// "charging;", so a discharging battery passes the first two.
void GetSystemInfo::parseBatteryInfo(const std::string& output) {
    std::smatch match;
    const std::smatch* time = std::regex_search(output, match, std::regex(kTimePattern)) ? &match : nullptr;
    if (contains(output, "charging;")) timeOrState(output, time, kChargingPattern, "charging");
    if (contains(output, "discharging;")) timeOrState(output, time, kDischargingPattern, "discharging");
    if (contains(output, "AC attached;")) timeOrState(output, time, kPercentagePattern, "AC attached");
    if (contains(output, "charged;")) {
        batteryB_ = "100";
        batteryT_ = "charged";
    }
}

void GetSystemInfo::timeOrState(const std::string& output, const std::smatch* time, const char* pattern,
                                const char* state) {
    if (time) {
        getTimeValue(output, *time);
        return;
    }
    getTimeValueWithpattern(pattern, output);
    batteryT_ = state;
}

void GetSystemInfo::getTimeValue(const std::string& output, const std::smatch& match) {
    batteryB_ = match[1].str();
    std::string time = match[2].str();
    platform::logInfo("Battery Percentage: " + *batteryB_ + "%");
    platform::logInfo("Remaining Time: " + time);
    size_t colon = time.find(':');
    if (colon == std::string::npos) return;
    int hours = std::atoi(time.substr(0, colon).c_str());
    int minutes = std::atoi(time.substr(colon + 1).c_str());
    batteryT_ = "剩余" + std::to_string(hours) + "小时" + std::to_string(minutes) + "分";
}

void GetSystemInfo::getTimeValueWithpattern(const std::string& pattern, const std::string& output) {
    std::regex expression;
    try {
        expression = std::regex(pattern);
    } catch (const std::regex_error& error) {
        platform::logWarning(std::string("Error creating regex: ") + error.what());
        return;
    }
    std::smatch match;
    if (!std::regex_search(output, match, expression)) {
        platform::logInfo("No match found.");
        return;
    }
    batteryB_ = match[1].str();
    platform::logInfo("Percentage: " + *batteryB_);
    platform::logInfo("Status: charging");
}

}  // namespace core
