#include "platform/hardware/SmartPage.h"

#include <algorithm>
#include <functional>

namespace platform {
namespace {

constexpr size_t kPageSize = 512;
constexpr size_t kFirstSlot = 2;
constexpr size_t kSlotSize = 12;
constexpr size_t kSlots = 30;

using SlotWriter = std::function<void(const SmartPageAttribute&, uint8_t* slot)>;

std::vector<uint8_t> pageWith(const std::vector<SmartPageAttribute>& attributes, const SlotWriter& writeSlot) {
    std::vector<uint8_t> page(kPageSize, 0);
    page[0] = 0x10;
    size_t count = std::min(attributes.size(), kSlots);
    for (size_t i = 0; i < count; ++i) writeSlot(attributes[i], &page[kFirstSlot + i * kSlotSize]);
    uint8_t sum = 0;
    for (size_t i = 0; i + 1 < kPageSize; ++i) sum = static_cast<uint8_t>(sum + page[i]);
    page[kPageSize - 1] = static_cast<uint8_t>(0x100 - sum);
    return page;
}

}  // namespace

std::vector<uint8_t> smartDataPage(const std::vector<SmartPageAttribute>& attributes) {
    return pageWith(attributes, [](const SmartPageAttribute& attribute, uint8_t* slot) {
        slot[0] = attribute.id;
        slot[1] = static_cast<uint8_t>(attribute.flags & 0xFF);
        slot[2] = static_cast<uint8_t>(attribute.flags >> 8);
        slot[3] = attribute.value;
        slot[4] = attribute.worst;
        std::copy(attribute.raw.begin(), attribute.raw.end(), slot + 5);
    });
}

std::vector<uint8_t> smartThresholdsPage(const std::vector<SmartPageAttribute>& attributes) {
    return pageWith(attributes, [](const SmartPageAttribute& attribute, uint8_t* slot) {
        slot[0] = attribute.id;
        slot[1] = attribute.threshold;
    });
}

std::array<uint8_t, 6> smartRawBytes(int64_t value) {
    std::array<uint8_t, 6> raw{};
    auto bits = static_cast<uint64_t>(value);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(bits >> (8 * i));
    return raw;
}

}  // namespace platform
