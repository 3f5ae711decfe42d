#include "platform/hardware/SmcKeyData.h"

#include <algorithm>

namespace platform {
namespace {

template <class Number>
void put(SmcKeyData::Bytes& raw, size_t offset, Number value) {
    for (size_t i = 0; i < sizeof(Number); ++i) raw[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

template <class Number>
Number take(const SmcKeyData::Bytes& raw, size_t offset) {
    Number value = 0;
    for (size_t i = 0; i < sizeof(Number); ++i) value |= static_cast<Number>(static_cast<Number>(raw[offset + i]) << (8 * i));
    return value;
}

}  // namespace

SmcKeyData::Bytes SmcKeyData::toBytes() const {
    Bytes raw{};
    put(raw, 0, key);
    put(raw, 4, versionMajor);
    put(raw, 5, versionMinor);
    put(raw, 6, versionBuild);
    put(raw, 7, versionReserved);
    put(raw, 8, versionRelease);
    put(raw, 12, pLimitVersion);
    put(raw, 14, pLimitLength);
    put(raw, 16, cpuPLimit);
    put(raw, 20, gpuPLimit);
    put(raw, 24, memPLimit);
    put(raw, 28, keyInfoDataSize);
    put(raw, 32, keyInfoDataType);
    put(raw, 36, keyInfoDataAttributes);
    put(raw, 40, result);
    put(raw, 41, status);
    put(raw, 42, data8);
    put(raw, 44, data32);
    std::copy(bytes.begin(), bytes.end(), raw.begin() + 48);
    return raw;
}

SmcKeyData SmcKeyData::fromBytes(const Bytes& raw) {
    SmcKeyData record;
    record.key = take<uint32_t>(raw, 0);
    record.versionMajor = take<uint8_t>(raw, 4);
    record.versionMinor = take<uint8_t>(raw, 5);
    record.versionBuild = take<uint8_t>(raw, 6);
    record.versionReserved = take<uint8_t>(raw, 7);
    record.versionRelease = take<uint16_t>(raw, 8);
    record.pLimitVersion = take<uint16_t>(raw, 12);
    record.pLimitLength = take<uint16_t>(raw, 14);
    record.cpuPLimit = take<uint32_t>(raw, 16);
    record.gpuPLimit = take<uint32_t>(raw, 20);
    record.memPLimit = take<uint32_t>(raw, 24);
    record.keyInfoDataSize = take<uint32_t>(raw, 28);
    record.keyInfoDataType = take<uint32_t>(raw, 32);
    record.keyInfoDataAttributes = take<uint8_t>(raw, 36);
    record.result = take<uint8_t>(raw, 40);
    record.status = take<uint8_t>(raw, 41);
    record.data8 = take<uint8_t>(raw, 42);
    record.data32 = take<uint32_t>(raw, 44);
    std::copy(raw.begin() + 48, raw.end(), record.bytes.begin());
    return record;
}

uint32_t smcCode(std::string_view fourCharacters) {
    uint32_t code = 0;
    for (size_t i = 0; i < 4; ++i) {
        auto character = i < fourCharacters.size() ? static_cast<uint8_t>(fourCharacters[i]) : uint8_t{0};
        code = code << 8 | character;
    }
    return code;
}

std::string smcCodeText(uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) text += static_cast<char>((code >> shift) & 0xFF);
    return text;
}

}  // namespace platform
