#include "core/readings/AtaSmartAttribute.h"

#include "platform/system/Log.h"

#include <algorithm>
#include <string>

namespace core {

AtaSmartAttribute AtaSmartAttribute::fromBytes(const uint8_t* record) {
    AtaSmartAttribute attribute;
    attribute.id = record[0];
    attribute.flags = static_cast<uint16_t>(record[1] | record[2] << 8);
    attribute.current = record[3];
    attribute.worst = record[4];
    std::copy(record + 5, record + 11, attribute.raw.begin());
    attribute.reserved = record[11];
    return attribute;
}

uint64_t ata_get_attr_raw_value(const AtaSmartAttribute& attribute) {
    static const char byteOrder[] = "543210";
    uint64_t value = 0;
    for (const char* position = byteOrder; *position; ++position) {
        uint8_t byte = 0;
        if (*position >= '0' && *position <= '5') byte = attribute.raw[static_cast<size_t>(*position - '0')];
        else if (*position == 'r') byte = attribute.reserved;
        else if (*position == 'v') byte = attribute.current;
        value = value * 256 + byte;
    }
    return value;
}

int get_default_raw_format(uint8_t id) {
    switch (id) {
    case 3: return 10;
    case 5:
    case 196: return 9;
    case 9:
    case 240: return 11;
    case 190:
    case 194: return 18;
    default: return 3;
    }
}

int64_t ata_format_attr_raw_value(const AtaSmartAttribute& attribute) {
    uint64_t raw = ata_get_attr_raw_value(attribute);
    platform::logInfo("rawvalue is = lld%");
    platform::logInfo("attr id = " + std::to_string(attribute.id));
    switch (get_default_raw_format(attribute.id)) {
    case 9:
    case 10: return static_cast<int64_t>(raw & 0xFFFF);
    case 11:
    case 12: return static_cast<int64_t>(raw & 0xFFFFFF);
    case 18: return static_cast<int8_t>(raw & 0xFF);
    default: return static_cast<int64_t>(raw);  // 48 bits: the full width fits
    }
}

}  // namespace core
