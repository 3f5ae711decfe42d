#include "core/disks/DiskSizeText.h"

#include <charconv>

namespace core::disks {
namespace {

std::string twoDecimals(float value, const char* unit) {
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, 2).ptr;
    return std::string(buffer, end) + " " + unit;
}

}  // namespace

std::string convertSize2String(uint64_t bytes) {
    if (bytes < 1024) return std::to_string(bytes) + " byte";
    float count = static_cast<float>(bytes);
    if (bytes <= 0xFFFFF) return twoDecimals(count * (1.0f / 1024), "KB");
    if (bytes <= 0x3FFFFFFF) return twoDecimals(count * (1.0f / (1 << 20)), "MB");
    return twoDecimals(count * (1.0f / (1 << 30)), "GB");
}

}  // namespace core::disks
