#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace platform {

// One attribute of a S.M.A.R.T. data page: the raw value is six bytes, least significant first.
struct SmartPageAttribute {
    uint8_t id = 0;
    uint16_t flags = 0;
    uint8_t value = 0;
    uint8_t worst = 0;
    std::array<uint8_t, 6> raw{};
    uint8_t threshold = 0;
};

// Builds the 512-byte pages a drive answers when its attributes come from elsewhere than the
// drive itself: revision 0x0010, the attributes in the 30 twelve-byte slots from offset 2
// (more are dropped), and the checksum that makes all 512 bytes add up to 0.
std::vector<uint8_t> smartDataPage(const std::vector<SmartPageAttribute>& attributes);
// The thresholds page: id and threshold in the same slots.
std::vector<uint8_t> smartThresholdsPage(const std::vector<SmartPageAttribute>& attributes);
// A number as a six-byte raw value (two's complement for a negative one).
std::array<uint8_t, 6> smartRawBytes(int64_t value);

}  // namespace platform
