#include "platform/hardware/UdisksSmart.h"

#include "platform/system/Busctl.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace platform {
namespace {

using Json = nlohmann::json;

const char* const kService = "org.freedesktop.UDisks2";
const char* const kAtaInterface = "org.freedesktop.UDisks2.Drive.Ata";
constexpr auto kTimeout = std::chrono::seconds(3);

// udisks2's units of an attribute's value.
constexpr int kUnitMilliseconds = 2;
constexpr int kUnitMillikelvin = 4;

// The "data" of busctl's answer; nothing when the call failed.
std::optional<Json> busctl(const std::vector<std::string>& arguments) {
    BusctlAnswer answer = platform::busctl(Bus::System, arguments, kTimeout);
    if (!answer.succeeded) return std::nullopt;
    return std::move(answer.data);
}

std::optional<Json> property(const std::string& path, const char* interface, const char* name) {
    return busctl({"get-property", kService, path, interface, name});
}

// udisks2 names a block device's object after its name, other bytes as "_" and two hex digits.
std::string objectName(const std::string& name) {
    std::string escaped;
    for (unsigned char c : name) {
        if (std::isalnum(c)) {
            escaped += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "_%02x", c);
            escaped += hex;
        }
    }
    return escaped;
}

uint8_t byteValue(const Json& value) {
    if (!value.is_number_integer()) return 0;
    return static_cast<uint8_t>(std::clamp<int64_t>(value.get<int64_t>(), 0, 255));
}

// Kelvin to Celsius in floating point: a reading near the integer's ends, which only a broken
// answer holds, must not overflow on the way.
int64_t rawNumber(int64_t pretty, int unit) {
    if (unit == kUnitMilliseconds) return pretty / 3600000;
    if (unit == kUnitMillikelvin) return std::llround((static_cast<double>(pretty) - 273150.0) / 1000.0);
    return pretty;
}

// One entry of "a(ysqiiixia{sv})": id, name, flags, value, worst, threshold, pretty, unit, expansion.
std::optional<SmartPageAttribute> attributeOf(const Json& entry) {
    if (!entry.is_array() || entry.size() < 8 || !entry[0].is_number_integer() || !entry[6].is_number_integer() ||
        !entry[7].is_number_integer())
        return std::nullopt;
    SmartPageAttribute attribute;
    attribute.id = byteValue(entry[0]);
    attribute.flags = entry[2].is_number_integer() ? entry[2].get<uint16_t>() : 0;
    attribute.value = byteValue(entry[3]);
    attribute.worst = byteValue(entry[4]);
    attribute.threshold = byteValue(entry[5]);
    attribute.raw = smartRawBytes(rawNumber(entry[6].get<int64_t>(), entry[7].get<int>()));
    return attribute;
}

}  // namespace

std::unique_ptr<UdisksSmart> UdisksSmart::open(const std::string& blockName) {
    auto drive = property("/org/freedesktop/UDisks2/block_devices/" + objectName(blockName),
                          "org.freedesktop.UDisks2.Block", "Drive");
    if (!drive || !drive->is_string() || *drive == "/") return nullptr;
    auto supported = property(drive->get<std::string>(), kAtaInterface, "SmartSupported");
    if (!supported || !supported->is_boolean() || !supported->get<bool>()) return nullptr;
    return std::unique_ptr<UdisksSmart>(new UdisksSmart(drive->get<std::string>()));
}

// udisks2 keeps S.M.A.R.T. enabled itself where the drive allows it; changing it needs an
// administrator, so only the drive's state is reported here.
int UdisksSmart::SMARTEnableDisableOperations(bool enable) {
    auto enabled = property(drivePath_, kAtaInterface, "SmartEnabled");
    if (!enabled || !enabled->is_boolean()) return kIOReturnError;
    return enabled->get<bool>() == enable ? kIOReturnSuccess : kIOReturnError;
}

std::optional<std::vector<SmartPageAttribute>> UdisksSmart::attributes() {
    auto answer = busctl({"call", kService, drivePath_, kAtaInterface, "SmartGetAttributes", "a{sv}", "0"});
    if (!answer || !answer->is_array() || answer->empty() || !(*answer)[0].is_array()) return std::nullopt;
    std::vector<SmartPageAttribute> attributes;
    for (const auto& entry : (*answer)[0]) {
        if (auto attribute = attributeOf(entry)) attributes.push_back(*attribute);
    }
    return attributes;
}

int UdisksSmart::SMARTReadData(std::vector<uint8_t>& page) {
    auto found = attributes();
    if (!found) return kIOReturnError;
    page = smartDataPage(*found);
    return kIOReturnSuccess;
}

int UdisksSmart::SMARTReadDataThresholds(std::vector<uint8_t>& page) {
    auto found = attributes();
    if (!found) return kIOReturnError;
    page = smartThresholdsPage(*found);
    return kIOReturnSuccess;
}

}  // namespace platform
