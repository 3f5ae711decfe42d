#include "core/readings/TemperatureReader.h"

#include "core/readings/SMC.h"
#include "platform/system/Log.h"
#include "platform/hardware/SmcConnection.h"
#include "platform/hardware/SmcKeyData.h"

#include <algorithm>
#include <mutex>

namespace core {
namespace {

// A corrupt "#KEY" must not start a walk over billions of indexes; real controllers hold a
// few thousand keys at most.
constexpr uint32_t kMaximumKeys = 8192;
const char* const kPreferredSensor = "TC0P";

}  // namespace

std::optional<std::vector<std::string>> TemperatureReader::readSensorNames() {
    if (SMCOpen() != platform::kIOReturnSuccess) return std::nullopt;
    uint32_t count = 0;
    SMCReadKeysCount(count);
    if (count > kMaximumKeys) {
        platform::logWarning("the controller claims " + std::to_string(count) + " keys; reading the first " +
                             std::to_string(kMaximumKeys));
        count = kMaximumKeys;
    }
    std::vector<std::string> names;
    const uint32_t sp78 = platform::smcCode("sp78");
    for (uint32_t index = 0; index < count; ++index) {
        SMCValue value;
        if (SMCReadKeyAtIndex(index, value) != platform::kIOReturnSuccess) continue;
        std::string name = platform::smcCodeText(value.key);
        if (name.front() == 'T' && value.dataType == sp78) names.push_back(name);
    }
    SMCClose();
    return names;
}

std::string TemperatureReader::chooseDefaultSensor(const std::optional<std::vector<std::string>>& names) {
    if (!names || names->empty()) return kPreferredSensor;
    if (std::find(names->begin(), names->end(), kPreferredSensor) != names->end()) return kPreferredSensor;
    auto core = std::find_if(names->begin(), names->end(), [](const std::string& name) { return name.rfind("TC", 0) == 0; });
    return core != names->end() ? *core : names->front();
}

std::optional<std::vector<std::string>> TemperatureReader::sensorNames() {
    static const std::optional<std::vector<std::string>> names = readSensorNames();
    return names;
}

std::string TemperatureReader::defaultSensorRealWork() { return chooseDefaultSensor(sensorNames()); }

std::string TemperatureReader::defaultSensor() {
    static const std::string sensor = defaultSensorRealWork();
    return sensor;
}

float TemperatureReader::temperatureOfSensorWithName(const std::string& name) {
    // The key is the name's first four bytes; a shorter name names no key.
    if (name.size() < 4) return kFailureTemperature;
    if (SMCOpen() != platform::kIOReturnSuccess) return kFailureTemperature;
    SMCValue value;
    int status = SMCReadKey(platform::smcCode(name.substr(0, 4)), value);
    SMCClose();
    if (status != platform::kIOReturnSuccess) return kFailureTemperature;
    if (value.dataType != platform::smcCode("sp78") || value.dataSize != 2) {
        platform::logWarning("the controller key " + name.substr(0, 4) + " holds no temperature (type " +
                             platform::smcCodeText(value.dataType) + ", " + std::to_string(value.dataSize) +
                             " bytes)");
        return kFailureTemperature;
    }
    // "sp78": a signed 16-bit big-endian number with eight fraction bits.
    auto raw = static_cast<int16_t>(static_cast<uint16_t>(value.bytes[0] << 8 | value.bytes[1]));
    return static_cast<float>(raw) / 256.0f;
}

}  // namespace core
