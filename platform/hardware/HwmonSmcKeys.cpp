#include "platform/hardware/HwmonSmcKeys.h"

#include "platform/system/KernelFiles.h"

#include <algorithm>
#include <set>

namespace platform {
namespace {

constexpr uint8_t kReadable = 0x80;

struct Sensor {
    std::string input;  // path of temp<N>_input
    std::string label;  // "" when the sensor has no label
};

// The folder's temperature sensors in the order of their numbers.
std::vector<Sensor> temperatureSensors(const std::string& folder) {
    std::vector<std::pair<uint64_t, Sensor>> numbered;
    for (const auto& name : listKernelFolder(folder)) {
        auto number = numberBetween(name, "temp", "_input");
        if (!number) continue;
        std::string prefix = folder + "/temp" + std::to_string(*number);
        numbered.push_back({*number, {prefix + "_input", readKernelAttribute(prefix + "_label").value_or("")}});
    }
    std::sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Sensor> sensors;
    for (auto& entry : numbered) sensors.push_back(std::move(entry.second));
    return sensors;
}

SmcKeyTable::Reader temperatureReader(const std::string& input) {
    return [input]() -> std::optional<std::vector<uint8_t>> {
        auto millidegrees = readKernelNumber(input);
        if (!millidegrees) return std::nullopt;
        return sp78Bytes(*millidegrees);
    };
}

bool isPackageLabel(const std::string& label) {
    return label.empty() || label.rfind("Package id", 0) == 0 || label == "Tdie" || label == "Tctl";
}

// "TC0C" ... "TC9C", then letters, as far as four characters allow.
std::optional<std::string> coreKeyName(size_t index) {
    static const std::string digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (index >= digits.size()) return std::nullopt;
    return std::string("TC") + digits[index] + "C";
}

void addCpuChip(const std::vector<Sensor>& sensors, SmcKeyTable& table, bool& hasPackage, size_t& cores) {
    // A die temperature ("Tdie") is preferred to the control value ("Tctl") that may be offset.
    auto package = std::find_if(sensors.begin(), sensors.end(), [](const Sensor& s) { return s.label == "Tdie"; });
    if (package == sensors.end())
        package = std::find_if(sensors.begin(), sensors.end(), [](const Sensor& s) { return isPackageLabel(s.label); });
    if (package != sensors.end() && !hasPackage) {
        table.add("TC0P", "sp78", kReadable, temperatureReader(package->input));
        hasPackage = true;
    }
    for (const auto& sensor : sensors) {
        if (isPackageLabel(sensor.label)) continue;
        if (auto name = coreKeyName(cores)) {
            table.add(*name, "sp78", kReadable, temperatureReader(sensor.input));
            ++cores;
        }
    }
}

std::unique_ptr<SmcKeyTable> finished(std::unique_ptr<SmcKeyTable> table) {
    if (table->size() == 0) return nullptr;
    table->addKeyCount();
    return table;
}

}  // namespace

std::unique_ptr<SmcKeyTable> applesmcSensorKeys(const std::string& deviceFolder) {
    auto table = std::make_unique<SmcKeyTable>();
    std::set<std::string> seen;
    for (const auto& sensor : temperatureSensors(deviceFolder)) {
        if (sensor.label.size() != 4 || !seen.insert(sensor.label).second) continue;
        table->add(sensor.label, "sp78", kReadable, temperatureReader(sensor.input));
    }
    return finished(std::move(table));
}

std::unique_ptr<SmcKeyTable> cpuSensorKeys(const std::string& hwmonClassFolder) {
    static const std::set<std::string> cpuDrivers = {"coretemp", "k10temp", "zenpower"};
    auto table = std::make_unique<SmcKeyTable>();
    bool hasPackage = false;
    size_t cores = 0;
    for (const auto& name : listKernelFolder(hwmonClassFolder)) {
        std::string folder = hwmonClassFolder + "/" + name;
        if (cpuDrivers.count(readKernelAttribute(folder + "/name").value_or("")) == 0) continue;
        addCpuChip(temperatureSensors(folder), *table, hasPackage, cores);
    }
    return finished(std::move(table));
}

}  // namespace platform
