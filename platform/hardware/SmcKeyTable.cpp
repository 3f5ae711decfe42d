#include "platform/hardware/SmcKeyTable.h"

#include "platform/hardware/SmcKeyData.h"

#include <algorithm>
#include <cmath>

namespace platform {

void SmcKeyTable::add(const std::string& name, const std::string& type, uint8_t attributes, Reader reader) {
    entries_.push_back({smcCode(name), smcCode(type), attributes, std::move(reader)});
}

void SmcKeyTable::addKeyCount() {
    auto count = static_cast<uint32_t>(entries_.size() + 1);
    Reader reader = [count]() -> std::optional<std::vector<uint8_t>> { return ui32Bytes(count); };
    entries_.insert(entries_.begin(), {smcCode("#KEY"), smcCode("ui32"), 0x80, std::move(reader)});
}

std::optional<uint32_t> SmcKeyTable::keyAtIndex(uint32_t index) {
    if (index >= entries_.size()) return std::nullopt;
    return entries_[index].key;
}

std::optional<SmcKeyValue> SmcKeyTable::readKey(uint32_t key) {
    auto found = std::find_if(entries_.begin(), entries_.end(), [key](const Entry& entry) { return entry.key == key; });
    if (found == entries_.end()) return std::nullopt;
    auto bytes = found->reader();
    if (!bytes) return std::nullopt;
    return SmcKeyValue{found->type, found->attributes, std::move(*bytes)};
}

std::vector<uint8_t> sp78Bytes(int64_t millidegrees) {
    double steps = std::round(static_cast<double>(millidegrees) * 256.0 / 1000.0);
    auto value = static_cast<int16_t>(std::clamp(steps, -32768.0, 32767.0));
    auto bits = static_cast<uint16_t>(value);
    return {static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits & 0xFF)};
}

std::vector<uint8_t> ui32Bytes(uint32_t value) {
    return {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
}

}  // namespace platform
