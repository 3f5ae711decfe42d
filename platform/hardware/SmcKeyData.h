#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The 80-byte record passed both ways in each call to the system management controller,
// little-endian, every field at its fixed offset. Every input record starts all zero.
struct SmcKeyData {
    static constexpr size_t kSize = 80;
    using Bytes = std::array<uint8_t, kSize>;

    // Commands in data8.
    static constexpr uint8_t kReadKeyInfo = 9;
    static constexpr uint8_t kReadBytes = 5;
    static constexpr uint8_t kReadIndex = 8;

    uint32_t key = 0;                  // offset 0
    uint8_t versionMajor = 0;          // 4
    uint8_t versionMinor = 0;          // 5
    uint8_t versionBuild = 0;          // 6
    uint8_t versionReserved = 0;       // 7
    uint16_t versionRelease = 0;       // 8 (then 2 bytes of padding)
    uint16_t pLimitVersion = 0;        // 12
    uint16_t pLimitLength = 0;         // 14
    uint32_t cpuPLimit = 0;            // 16
    uint32_t gpuPLimit = 0;            // 20
    uint32_t memPLimit = 0;            // 24
    uint32_t keyInfoDataSize = 0;      // 28
    uint32_t keyInfoDataType = 0;      // 32
    uint8_t keyInfoDataAttributes = 0; // 36 (then 3 bytes of padding)
    uint8_t result = 0;                // 40: non-zero when the controller refused
    uint8_t status = 0;                // 41
    uint8_t data8 = 0;                 // 42: the command (then 1 byte of padding)
    uint32_t data32 = 0;               // 44: the index of command 8
    std::array<uint8_t, 32> bytes{};   // 48: the value, big-endian

    Bytes toBytes() const;
    static SmcKeyData fromBytes(const Bytes& raw);
};

// A key or data type of four ASCII characters, the first in the most significant byte.
uint32_t smcCode(std::string_view fourCharacters);
std::string smcCodeText(uint32_t code);

}  // namespace platform
