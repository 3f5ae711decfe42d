#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace core {

// One twelve-byte attribute record of a S.M.A.R.T. data page.
struct AtaSmartAttribute {
    static constexpr size_t kSize = 12;

    uint8_t id = 0;  // 0 marks an unused slot
    uint16_t flags = 0;
    uint8_t current = 0;
    uint8_t worst = 0;
    std::array<uint8_t, 6> raw{};  // least significant byte first
    uint8_t reserved = 0;

    static AtaSmartAttribute fromBytes(const uint8_t* record);
};

// The raw value in the byte order "543210": the six raw bytes as a 48-bit number.
uint64_t ata_get_attr_raw_value(const AtaSmartAttribute& attribute);
// The raw format of an attribute id: 10 (id 3), 9 (5, 196), 11 (9, 240), 18 (190, 194), else 3.
int get_default_raw_format(uint8_t id);
// The attribute's figure in its format: the low 16 bits (formats 9 and 10), the low 24 bits
// (11 and 12), the low byte as a signed number (18), else the whole raw value.
int64_t ata_format_attr_raw_value(const AtaSmartAttribute& attribute);

}  // namespace core
