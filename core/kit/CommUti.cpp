#include "core/kit/CommUti.h"

#include "core/junk/JunkLocations.h"
#include "platform/TreeSizer.h"

#include <charconv>
#include <cmath>

namespace core {
namespace {

std::string formatted(double value, int decimals, const char* unit) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr) + " " + unit;
}

std::string twoDecimals(float value, const char* unit) { return formatted(value, 2, unit); }

// Like Foundation's floatValue: leading blanks skipped, the longest number that follows read,
// 0 when there is none.
float leadingFloat(const std::string& text) {
    size_t start = text.find_first_not_of(" \t\n");
    if (start == std::string::npos) return 0;
    if (text[start] == '+') ++start;
    float value = 0;
    auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

bool endsWith(const std::string& text, const char* suffix) {
    size_t length = std::char_traits<char>::length(suffix);
    return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

double unitFactor(const std::string& text) {
    if (endsWith(text, "KB")) return 0x1p10;
    if (endsWith(text, "MB")) return 0x1p20;
    if (endsWith(text, "GB")) return 0x1p30;
    if (endsWith(text, "TB")) return 0x1p40;
    return 0;
}

}  // namespace

std::string CommUti::convertVolSpace(uint64_t bytes) {
    if (bytes == 0) return "0.00 KB";
    float count = static_cast<float>(bytes);
    if (bytes <= 0xFFFFF) return twoDecimals(count * 0x1p-10f, "KB");
    if (bytes <= 0x3FFFFFFF) return twoDecimals(count * 0x1p-20f, "MB");
    return twoDecimals(count * 0x1p-30f, "GB");
}

std::string CommUti::longlongDiskSize(int64_t bytes) {
    if (bytes <= 1023) return formatted(static_cast<float>(bytes), 0, "byte");
    double count = static_cast<double>(bytes);
    if (bytes <= 0xFFFFF) return twoDecimals(static_cast<float>(count * 0x1p-10), "KB");
    if (bytes <= 0x3FFFFFFF) return twoDecimals(static_cast<float>(count * 0x1p-20), "MB");
    if (bytes <= 0xFFFFFFFFFF) return twoDecimals(static_cast<float>(count * 0x1p-30), "GB");
    return twoDecimals(static_cast<float>(count * 0x1p-40), "TB");
}

std::string CommUti::longlongConvertVolSpace(int64_t bytes) { return longlongDiskSize(bytes); }

uint64_t CommUti::volSpaceFromString(const std::string& text) {
    if (text.size() < 3) return 0;
    float number = leadingFloat(text.substr(0, text.size() - 3));
    double factor = unitFactor(text);
    if (!(number > 0) || factor == 0) return 0;
    double bytes = static_cast<double>(number) * factor;
    // A count beyond 64 bits (or infinity) cannot be a size; it reads as unreadable.
    if (!std::isfinite(bytes) || bytes >= 0x1p64) return 0;
    return static_cast<uint64_t>(bytes);
}

uint64_t CommUti::sizeOfFileRef(const std::string& path) { return platform::TreeSizer::sizeOf(path); }

void CommUti::folderPath(int index, std::vector<std::string>& array) {
    junk::JunkLocations::appendLocations(index, array);
}

void CommUti::getSubPathFilesWithPath(const std::string& path, std::vector<std::string>& array) {
    junk::JunkLocations::getSubPathFilesWithPath(path, array);
}

void CommUti::trashPaths(std::vector<std::string>& array) { junk::JunkLocations::trashPaths(array); }

void CommUti::scanXcode(std::vector<std::string>& array) { junk::JunkLocations::appendLocations(4, array); }

std::vector<std::pair<std::string, std::vector<std::string>>> CommUti::socialToolsCachePaths() {
    return junk::JunkLocations::socialToolsCachePaths();
}

}  // namespace core
